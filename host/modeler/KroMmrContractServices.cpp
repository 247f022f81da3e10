// The modeler's fixed set of contracts, their identifiers and support flags.
#include "KroMmrContractServices.h"

#include <cstdint>

#include "KroIMmrContractPrivate.h"
#include "KroIOmbUpdateContract.h"
#include "KroInterfaceDictionary.h"

KRO_REGISTER_INTERFACE(KroIMmiContract);
KRO_REGISTER_INTERFACE(KroIMmrContractPrivate);
KRO_REGISTER_INTERFACE(KroIOmbUpdateContract);

namespace {

// A contract of the set. The objects live as long as the library: references count nothing.
class KroMfContract final : public virtual KroIMmiContract,
                            public virtual KroIMmrContractPrivate,
                            public virtual KroIOmbUpdateContract {
 public:
  KroMfContract(int identifier, const char* name, uint32_t flags)
      : _Identifier(identifier), _Name(name), _Flags(flags) {}
  ~KroMfContract() override = default;

  const char* GetLateType() const override { return "KroMfContract"; }
  unsigned long AddRef() override { return 1; }
  unsigned long Release() override { return 1; }

  KroUnicodeString GetName() const override { return _Name; }
  KroResult GetSupportFlags(uint32_t& flags, uint32_t& version) const override {
    flags = _Flags;
    version = 1;
    return KRO_S_OK;
  }
  int GetIdentifier() const { return _Identifier; }

 private:
  int _Identifier;
  KroUnicodeString _Name;
  uint32_t _Flags;
};

// The set, made once and never freed (a reference held by a static object of another file may
// still be given back while the program ends): a vector that the program never destroys, so
// that the contracts stay reachable to the end. Made when the library loads, so that no
// reading of a stream adds a live object.
const std::vector<KroMfContract*>& Contracts() {
  using Flags = KroIMmrContractPrivate;
  static const std::vector<KroMfContract*>* const contracts = new std::vector<KroMfContract*>{
      new KroMfContract(1, "Geometry", Flags::MfGeometrySupport),
      new KroMfContract(2, "Topology", Flags::MfGeometrySupport | Flags::MfTopologySupport),
      new KroMfContract(12, "InitialFeature",
                        Flags::MfGeometrySupport | Flags::MfInitialFeatureSupport)};
  return *contracts;
}
const bool kContractsMade = (Contracts(), true);

}  // namespace

KroResult KroMmrContractServices::GetIdentifierOfContract(const KroIMmiContract_var& contract,
                                                          int& identifier) {
  if (!contract) {
    identifier = kNoContract;
    return KRO_S_OK;
  }
  for (KroMfContract* known : Contracts()) {
    if (contract.IsSame(KroIMmiContract_var(known))) {
      identifier = known->GetIdentifier();
      return KRO_S_OK;
    }
  }
  return KRO_E_FAIL;
}

KroResult KroMmrContractServices::GetContractFromIdentifier(int identifier,
                                                            KroIMmiContract_var& contract) {
  contract = nullptr;
  if (identifier == kNoContract) return KRO_S_OK;
  for (KroMfContract* known : Contracts()) {
    if (known->GetIdentifier() == identifier) {
      contract = KroIMmiContract_var(known);
      return KRO_S_OK;
    }
  }
  return KRO_E_FAIL;
}

const std::vector<int>& KroMmrContractServices::GetIdentifiers() {
  static const std::vector<int> identifiers = [] {
    std::vector<int> all = {kNoContract};
    for (const KroMfContract* known : Contracts()) all.push_back(known->GetIdentifier());
    return all;
  }();
  return identifiers;
}
