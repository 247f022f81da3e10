// host/modeler: the mechanical modeler on top of the kernel: documents, features and specs, the
// naming graph, logs, context services and the modeler services the library calls.
//
// A part document of the host modeler: the naming context in which streams are written and
// read. It holds the kernel model, one body per solid, one feature (spec) per modeling
// feature, the geometric factory and the generic-naming graph. Made from a STEP or BREP file,
// from any kernel model built in code, or as the built-in sample part.
//
// The document answers KroINamingContext, KroIMfBrepContainer (its graph) and KroIContainer
// (its spec container, whose members are its features). Every object it gives shares its
// reference count (KroMfPartObject): the document and everything it made are freed when the
// last reference to any of them goes.
//
// Features: the k-th feature (from 1) has the identifier of kind 1 "#k", a scope in the graph
// with a body, answers KroISpecObject, KroIGnAssociatedObject, KroIGeometricalElement,
// KroILinkableObject (a delegate may stand for it) and KroIPathAccess, and also KroIAlias when
// it has an alias and KroIJournalingSpec when it has a journaling name (the name the modeling
// journal knows it by, which may differ from its spec name).
#ifndef KroMfPart_H
#define KroMfPart_H

#include <memory>
#include <string>
#include <vector>

#include "KroBaseUnknown.h"
#include "KroBody.h"
#include "KroGeoFactory.h"
#include "KroIContainer.h"
#include "KroIMfBrepContainer.h"
#include "KroINamingContext.h"
#include "KroISpecObject.h"
#include "KroResult.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroBRepModel;
class KroBrpGraph;
class KroMfPartObject;

class KroMfPart : public virtual KroINamingContext,
                  public virtual KroIMfBrepContainer,
                  public virtual KroIContainer {
  KRO_DECLARE_INTERFACE(KroMfPart)

 public:
  // One feature to make in a document built in code.
  struct FeatureDescription {
    std::string name;
    std::string alias;            // empty: the feature has no alias (no KroIAlias)
    std::string journalingName;   // empty: no journaling name (no KroIJournalingSpec)
    std::string namingReference;  // empty: the journaling name is the naming reference
    int solidIndex = -1;          // the feature's body: a solid of the model, from 0
  };

  // Reads a STEP or BREP file: one feature per solid, in file order, named after the STEP
  // product or "Solid.N"; identifiers "#1", "#2"... Reading the same file twice gives the
  // same identifiers, tags and cell orders. Fails (part empty, message says why) for a missing
  // file or a file that is not a model.
  [[nodiscard]] static KroResult Load(const KroUnicodeString& path, KroVar<KroMfPart>& part,
                                      KroUnicodeString* message = nullptr);
  // A document on a kernel model built in code, with one feature per feature of the model
  // (name, alias and journaling name taken over). Fails for a null model or a model without
  // solids.
  [[nodiscard]] static KroResult CreateFromModel(const std::shared_ptr<KroBRepModel>& model,
                                                 KroVar<KroMfPart>& part,
                                                 KroUnicodeString* message = nullptr);
  // The same with the caller's own features (at least one; every solidIndex must name a
  // solid of the model; several features may share a body).
  [[nodiscard]] static KroResult CreateFromModel(const std::shared_ptr<KroBRepModel>& model,
                                                 const std::vector<FeatureDescription>& features,
                                                 KroVar<KroMfPart>& part,
                                                 KroUnicodeString* message = nullptr);
  // The kernel's built-in sample part (a bracket made feature by feature, several features
  // with an alias and a journaling name).
  [[nodiscard]] static KroResult CreateSamplePart(KroVar<KroMfPart>& part,
                                                  KroUnicodeString* message = nullptr);

  // The document of an object used as a context: the document itself, the document that owns
  // the object (feature, body, cell, geometry, factory, graph, scope...), or that of the
  // feature of a BRep access. Null for an object of no document. A plain pointer, valid while
  // the context is held.
  static KroMfPart* FromContext(KroBaseUnknown* context);

  const char* GetLateType() const override { return "KroMfPart"; }

  // KroIMfBrepContainer.
  KroBrpGraph* GetBRepGraph() const override;
  // KroIContainer: the members are the features, in order.
  KroResult ListMembersHere(const char* interfaceName,
                            _SEQUENCE_KroBaseUnknown_ptr& members) const override;

  KroGeoFactory_var GetGeoFactory() const;

  // Features, from 1 to GetFeatureCount(); an empty reference outside.
  int GetFeatureCount() const;
  KroISpecObject_var GetFeature(int index) const;
  // The first feature of that name, or an empty reference.
  KroISpecObject_var FindFeature(const KroUnicodeString& name) const;

  // Bodies, one per solid of the model, from 1 to GetBodyCount(); empty outside.
  int GetBodyCount() const;
  KroBody_var GetBody(int index) const;
  // The document's main body: the body of its last feature.
  KroBody_var GetMainBody() const;

  // The kernel model under the document.
  const std::shared_ptr<KroBRepModel>& GetModel() const;

  // Implementation data, shared by the document's objects through KroMfPartImplOf (declared
  // with the data in a header of the library's own).
  struct Impl;

 protected:
  ~KroMfPart() override;

 private:
  friend class KroMfPartObject;
  friend Impl& KroMfPartImplOf(const KroMfPart& part);
  KroMfPart();
  // Called by KroMfPartObject's constructor: the document owns obj from now on.
  void _Adopt(KroMfPartObject* obj);

  std::unique_ptr<Impl> _Impl;
  std::vector<KroMfPartObject*> _Objects;  // owned, freed in reverse order of creation
  bool _Destroying = false;
};

typedef KroVar<KroMfPart> KroMfPart_var;

#endif
