// An object that can be selected: it gives the selection path that leads to it from its
// document. Features and BRep accesses answer it.
#ifndef KroIPathAccess_H
#define KroIPathAccess_H

#include "KroBaseUnknown.h"
#include "KroResult.h"
#include "KroVar.h"

class KroPathElement;

class KroIPathAccess : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIPathAccess)

 public:
  // A new path whose current element is this object, with one reference that the caller
  // releases. Fails, path null, when the object belongs to no document.
  virtual KroResult GetPathElement(KroPathElement*& path) const = 0;
};

typedef KroVar<KroIPathAccess> KroIPathAccess_var;

#endif
