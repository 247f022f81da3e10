// Stream builder of a generic-naming associated object (a feature, a log element...). The
// stream names the object in one of six ways: the tag of its body, its identifier, the element
// number of its scope, its alias, its naming reference or a nested log-element stream.
#ifndef KroMmdGNAOSpecODTStreamBuilder_H
#define KroMmdGNAOSpecODTStreamBuilder_H

#include "KroBody.h"
#include "KroBrpScope.h"
#include "KroGnIdentifier.h"
#include "KroIGnAssociatedObject.h"
#include "KroMmdODTStreamBuilder.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmdGNAOSpecODTStreamBuilder : public KroMmdODTStreamBuilder {
 public:
  KroMmdGNAOSpecODTStreamBuilder();
  KroMmdGNAOSpecODTStreamBuilder(const KroMmdGNAOSpecODTStreamBuilder& other);
  KroMmdGNAOSpecODTStreamBuilder& operator=(const KroMmdGNAOSpecODTStreamBuilder& other);
  ~KroMmdGNAOSpecODTStreamBuilder() override;

  // Stores the object (null too). A builder without context takes the object as its context.
  KroResult SetGNAO(const KroIGnAssociatedObject_var& object);
  KroResult GetGNAO(KroIGnAssociatedObject_var& object);

  // The object of the graph scope of a body, of an identifier, or of the identifier of kind 1
  // made of number. Need the context; on failure the object is left as it was.
  [[nodiscard]] KroResult SetBody(const KroBody_var& body);
  [[nodiscard]] KroResult SetGnId(const KroGnIdentifier& identifier);
  [[nodiscard]] KroResult SetDiezele(unsigned int number);

  // The graph scope of the object: null, and still a success, when the object has none. The
  // scope belongs to the context's document; the caller does not release it.
  [[nodiscard]] KroResult GetScope(KroBrpScope*& scope);
  // The body of the object's scope, null (and a success) for a scope without a body.
  [[nodiscard]] KroResult GetBody(KroBody_var& body);
  // The tag of that body; fails when there is none.
  [[nodiscard]] KroResult GetBodyTag(unsigned int& tag);

 private:
  KroResult DeclareInputs() override;
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override;
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override;

  KroResult _SetBodyTagStream(const KroUnicodeString& value);
  KroResult _GetBodyTagStream(KroUnicodeString& out);
  KroResult _SetSpecIdStream(const KroUnicodeString& value);
  KroResult _GetSpecIdStream(KroUnicodeString& out);
  KroResult _SetScopeEleStream(const KroUnicodeString& value);
  KroResult _GetScopeEleStream(KroUnicodeString& out);
  KroResult _SetAliasStream(const KroUnicodeString& value);
  KroResult _GetAliasStream(KroUnicodeString& out);
  KroResult _SetNamingRefStream(const KroUnicodeString& value);
  KroResult _GetNamingRefStream(KroUnicodeString& out);
  // The nested stream is the log-element builder's; format is its own output-format query.
  KroResult _SetLogElementStream(const KroUnicodeString& value);
  KroResult _GetLogElementStream(const KroUnicodeString& format, KroUnicodeString& out);

  KroIGnAssociatedObject_var _GNAO;
};

#endif
