// Algorithm configuration services: a spec's software configuration.
#include "KroMfAlgoConfigServices.h"

#include "KroMfPart.h"

KroResult KroMfAlgoConfigServices::GetConfiguration(KroISpecObject* spec,
                                                    KroSoftwareConfiguration*& configuration,
                                                    int& flag) {
  configuration = nullptr;
  flag = 0;
  if (!spec) return KRO_E_FAIL;
  // This host has a single behaviour: every spec runs under the default configuration.
  configuration = new KroSoftwareConfiguration;
  flag = KroMfPart::FromContext(spec) ? 1 : 0;
  return KRO_S_OK;
}
