// A delegate seen by the object model's services: the same delegate objects as
// KroIMmiDelegateObject, reached by an interface query by identifier.
#ifndef KroIOmbDelegateObject_H
#define KroIOmbDelegateObject_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroIOmbDelegateObject : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIOmbDelegateObject)
};

typedef KroVar<KroIOmbDelegateObject> KroIOmbDelegateObject_var;

#endif
