// The software configuration under which a geometric operator runs. This host has a single
// behaviour, so a default configuration is all there is; operators accept a null one too.
// Made with new (one reference), given back with Release.
#ifndef KroSoftwareConfiguration_H
#define KroSoftwareConfiguration_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroSoftwareConfiguration : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroSoftwareConfiguration)

 public:
  KroSoftwareConfiguration() = default;
  const char* GetLateType() const override { return "KroSoftwareConfiguration"; }

 protected:
  ~KroSoftwareConfiguration() override = default;
};

typedef KroVar<KroSoftwareConfiguration> KroSoftwareConfiguration_var;

#endif
