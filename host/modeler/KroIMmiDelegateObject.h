// A delegate object of the modeler: a geometric stand-in for a feature (the whole feature) or
// for a cell of a feature's body, made under a contract. Delegates are made by a BRep access
// (KroIMmiDelegateBuilder) or by the geometric delegate factory; they also answer
// KroIMmiGeometryAccess and KroIOmbDelegateObject. A counted object of its own that holds what
// it stands for, and so its document, while it lives.
#ifndef KroIMmiDelegateObject_H
#define KroIMmiDelegateObject_H

#include "KroBaseUnknown.h"
#include "KroResult.h"
#include "KroVar.h"

class KroIMmiDelegateObject : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmiDelegateObject)

 public:
  // The object the delegate stands for (its linkable object): the BRep access of a cell
  // delegate, the feature of a whole-feature delegate. Fails, object empty, when it has none.
  virtual KroResult GetLinkableObject(KroBaseUnknown_var& object) const = 0;
};

typedef KroVar<KroIMmiDelegateObject> KroIMmiDelegateObject_var;

#endif
