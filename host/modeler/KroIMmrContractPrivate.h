// The modeler's own side of a contract: the support flags that say what a delegate made under
// it gives.
#ifndef KroIMmrContractPrivate_H
#define KroIMmrContractPrivate_H

#include <cstdint>

#include "KroBaseUnknown.h"
#include "KroResult.h"
#include "KroVar.h"

class KroIMmrContractPrivate : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmrContractPrivate)

 public:
  enum SupportFlags : uint32_t {
    MfGeometrySupport = 0x1,        // the delegate gives the geometry of its cells
    MfTopologySupport = 0x2,        // and their topology (bounding cells)
    MfInitialFeatureSupport = 0x4,  // it stands for the feature as it was first built
  };

  // The support flags of the contract; version is the version of the flag set (1). Always 0.
  virtual KroResult GetSupportFlags(uint32_t& flags, uint32_t& version) const = 0;
};

typedef KroVar<KroIMmrContractPrivate> KroIMmrContractPrivate_var;

#endif
