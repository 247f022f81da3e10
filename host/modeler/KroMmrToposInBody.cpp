// Topological objects within one body.
#include "KroMmrToposInBody.h"

KroResult KroMmrToposInBody::GetTopos(KroListPtrKroTopology& topos, int /*mode*/,
                                      const KroIMmiMechanicalFeature_var& /*feature*/) const {
  for (const KroBaseUnknown_var& object : _Topos) {
    const KroTopology_var topology = object;
    if (!!topology) topos.Append(topology.get());
  }
  return KRO_S_OK;
}

KroResult KroMmrToposInBody::GetBody(KroBody_var& body) const {
  body = _Body;
  return !body ? KRO_E_FAIL : KRO_S_OK;
}
