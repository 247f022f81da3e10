// A container of specs (a document's spec container): it lists its members that implement a
// named interface, in the order the members were added.
#ifndef KroIContainer_H
#define KroIContainer_H

#include "KroBaseUnknown.h"
#include "KroResult.h"
#include "KroVar.h"
#include "_SEQUENCE_KroBaseUnknown_ptr.h"

class KroIContainer : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIContainer)

 public:
  // Empties members (without releasing what it held), then appends each member that
  // implements the interface of that name (for example KroIAlias::ClassName()), each with a
  // reference that the caller releases (members.ReleaseAll()). An empty or unknown interface
  // name lists nothing and succeeds; a null name fails.
  virtual KroResult ListMembersHere(const char* interfaceName,
                                    _SEQUENCE_KroBaseUnknown_ptr& members) const = 0;
};

typedef KroVar<KroIContainer> KroIContainer_var;

#endif
