// A contract: what the modeler promises about the delegates made under it (which geometry and
// topology they give, whether they stand for the feature as it was first built). The fixed set
// of contracts and their identifiers is that of KroMmrContractServices.
#ifndef KroIMmiContract_H
#define KroIMmiContract_H

#include "KroBaseUnknown.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroIMmiContract : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmiContract)

 public:
  // "Geometry", "Topology", "InitialFeature".
  virtual KroUnicodeString GetName() const = 0;
};

typedef KroVar<KroIMmiContract> KroIMmiContract_var;

#endif
