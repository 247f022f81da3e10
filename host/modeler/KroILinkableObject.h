// An object that a delegate can stand for: a feature (the whole feature) or a BRep access (one
// cell of a feature's body). Delegates give it back as their linkable object; the geometric
// delegate factory makes a delegate from one.
#ifndef KroILinkableObject_H
#define KroILinkableObject_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroILinkableObject : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroILinkableObject)
};

typedef KroVar<KroILinkableObject> KroILinkableObject_var;

#endif
