// Algorithm configuration services of the host modeler: the software configuration under which
// the operators of a spec run (and under which its log is read).
#ifndef KroMfAlgoConfigServices_H
#define KroMfAlgoConfigServices_H

#include "KroISpecObject.h"
#include "KroResult.h"
#include "KroSoftwareConfiguration.h"
#include "KroVar.h"

class KroMfAlgoConfigServices {
 public:
  // The configuration of a spec, with one reference that the caller releases; flag is 1 when
  // the spec belongs to a document (whose configuration it is), 0 otherwise. Fails for a null
  // spec, configuration null and flag 0.
  [[nodiscard]] static KroResult GetConfiguration(KroISpecObject* spec,
                                                  KroSoftwareConfiguration*& configuration,
                                                  int& flag);
  template <class I>
  [[nodiscard]] static KroResult GetConfiguration(const KroVar<I>& spec,
                                                  KroSoftwareConfiguration*& configuration,
                                                  int& flag) {
    return GetConfiguration(KroISpecObject_var(spec).get(), configuration, flag);
  }
};

#endif
