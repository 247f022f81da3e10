// The contracts of the modeler and their identifiers. The set is fixed and the identifiers are
// stable, since delegate streams carry them:
//
//   identifier  name              support flags (KroIMmrContractPrivate)
//   -1          (no contract)     -
//    1          "Geometry"        MfGeometrySupport
//    2          "Topology"        MfGeometrySupport | MfTopologySupport
//   12          "InitialFeature"  MfGeometrySupport | MfInitialFeatureSupport
//
// Every contract answers KroIMmiContract, KroIMmrContractPrivate and KroIOmbUpdateContract. The
// contract objects live as long as the library; references to them count nothing.
#ifndef KroMmrContractServices_H
#define KroMmrContractServices_H

#include <vector>

#include "KroIMmiContract.h"
#include "KroResult.h"

class KroMmrContractServices {
 public:
  static constexpr int kNoContract = -1;

  // The identifier of a contract: kNoContract for an empty one. Fails, identifier unchanged,
  // for a contract that is none of the set.
  [[nodiscard]] static KroResult GetIdentifierOfContract(const KroIMmiContract_var& contract,
                                                         int& identifier);
  // The contract of an identifier: empty for kNoContract. Fails, contract empty, for an
  // identifier that names none.
  [[nodiscard]] static KroResult GetContractFromIdentifier(int identifier,
                                                           KroIMmiContract_var& contract);
  // The identifiers of the set in increasing order, kNoContract first.
  static const std::vector<int>& GetIdentifiers();
};

#endif
