// Compact stream of a delegate object: "3_8_Feature7_Face_10_0_5_0_0_1_12_" names the feature
// (by its journaling name, else its spec name), the delegate's first cell by its dimension and
// a point and direction on it, and the identifier of the delegate's contract (-1 for none); a
// delegate of the whole feature is "3_8_Feature7_Feat_-1_". Read back within a naming context,
// the stream makes the delegate again, the body being found by the feature's name (body lookup
// mode 0) or by a body tag that the caller gives (mode 1). The same class turns a selection
// path into a stream and a stream into a selection path.
#ifndef KroMmdStreamDelegateForODT_H
#define KroMmdStreamDelegateForODT_H

#include "KroBody.h"
#include "KroIMmiContract.h"
#include "KroIMmiDelegateObject.h"
#include "KroINamingContext.h"
#include "KroIOmbDelegateObject.h"
#include "KroIOmbUpdateContract.h"
#include "KroISpecObject.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroPathElement.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"

class KroMmdStreamDelegateForODT : public KroMmdStreamGeomRefForODT {
 public:
  // Body lookup modes of a read.
  enum BodyLookupMode { kByFeatureName = 0, kByBodyTag = 1 };

  KroMmdStreamDelegateForODT();
  KroMmdStreamDelegateForODT(const KroMmdStreamDelegateForODT& other);
  KroMmdStreamDelegateForODT& operator=(const KroMmdStreamDelegateForODT& other);
  ~KroMmdStreamDelegateForODT() override;

  // Writes the stream of the delegate. Stages: 100 empty delegate; 200 its type, cell or
  // contract cannot be had; 300 the stream cannot be written (the output is then unchanged).
  [[nodiscard]] KroResult GetStreamFromDelegate(KroIMmiDelegateObject_var& delegate,
                                                KroUnicodeString& stream);
  [[nodiscard]] KroResult GetStreamFromDelegate(KroIOmbDelegateObject* delegate,
                                                KroUnicodeString& stream);

  // Reads the stream within the naming context and makes the delegate again under the
  // contract: the caller's when it gives one, else the stream's. bodyLookupMode 0 finds the
  // body by the feature name, 1 by bodyTag (the stream's name then only has to be non-empty).
  // Succeeds with an empty delegate when the cell has no BRep access, when the contract stands
  // for the initial feature in mode 1, or when the factory makes no delegate. Stages: 100 the
  // stream names nothing; 200 the delegate cannot be made.
  [[nodiscard]] KroResult GetDelegateFromStream(KroUnicodeString& stream,
                                                KroINamingContext_var& context,
                                                KroIMmiDelegateObject_var& delegate,
                                                KroIMmiContract_var contract, int bodyLookupMode,
                                                unsigned int bodyTag);
  // The same for the object model's interfaces. A delegate made lands in delegate with one
  // reference that the caller releases; with none made delegate is left as it was.
  [[nodiscard]] KroResult GetDelegateFromStream(KroUnicodeString& stream,
                                                KroINamingContext_var& context,
                                                KroIOmbDelegateObject*& delegate,
                                                KroIOmbUpdateContract_var contract,
                                                int bodyLookupMode, unsigned int bodyTag);

  // The stream of the delegate of the path's current element (a feature or a BRep access),
  // made without a contract. Fails, without a trace of its own, when there is none.
  [[nodiscard]] KroResult GetStreamFromPathElement(KroPathElement& path, KroUnicodeString& stream);
  // Reads the stream as GetDelegateFromStream and gives the selection path of what the delegate
  // stands for, with one reference that the caller releases. path must be null on entry. Fails,
  // without a trace of its own, when the stream makes no delegate or the delegate stands for
  // nothing that has a path; path then stays null.
  [[nodiscard]] KroResult GetPathElementFromStream(KroUnicodeString& stream,
                                                   KroINamingContext_var& context,
                                                   KroPathElement*& path,
                                                   KroIMmiContract_var contract, int bodyLookupMode,
                                                   unsigned int bodyTag);

 private:
  void _Clear();
  KroResult _ComputeStreamAttributes();
  KroResult _ComputeDelegateAndContract(KroIMmiDelegateObject_var& delegate,
                                        KroIMmiContract_var contract);
  // The feature of that journaling name, else of that spec name, in the naming context's spec
  // container; spec is empty when none has it.
  KroResult _GetSpecFromName(KroUnicodeString name, KroISpecObject_var& spec);

  KroResult GetBodyIdentifier(KroUnicodeString& identifier) override;
  KroResult ParseBodyIdentifier(const KroUnicodeString& identifier, KroBody_var& body) override;
  KroResult GetMyGeoType(MyGeoType& type) override;
  KroResult SetMyGeoType(MyGeoType type) override;
  KroResult GetSubElem(KroTopology_var& subElement) override;
  KroResult SetSubElem(const KroTopology_var& subElement) override;
  KroResult GetSpecializedStream(KroUnicodeString& specialized) override;
  KroResult SetSpecializedStream(const KroUnicodeString& specialized) override;

  KroBody_var _Body;                     // found while reading
  KroIMmiContract_var _Contract;         // under which the delegate is made
  KroIMmiDelegateObject_var _Delegate;   // being written
  KroINamingContext_var _NamingContext;  // given for reading
  KroISpecObject_var _Spec;              // found by name while reading
  KroTopology_var _SubElem;              // first cell of the delegate, or the cell found
  MyGeoType _GeoType;                    // NoGeoType when not set
  unsigned int _BodyTag;                 // body of the graph node read in mode 1
  int _ContractId;                       // -1 when not set
  int _BodyLookupMode;                   // -1 when not set
};

#endif
