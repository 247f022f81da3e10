// A contract seen by the object model's update services: the same contract objects as
// KroIMmiContract, reached by an interface query by identifier.
#ifndef KroIOmbUpdateContract_H
#define KroIOmbUpdateContract_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroIOmbUpdateContract : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIOmbUpdateContract)
};

typedef KroVar<KroIOmbUpdateContract> KroIOmbUpdateContract_var;

#endif
