// Objects made by late type name: the registry of makers and the holder of what they make.
#include "KroObject.h"

#include <map>
#include <string>

namespace {
std::map<std::string, KroObject::Maker>& Makers() {
  static std::map<std::string, KroObject::Maker> makers;
  return makers;
}
}  // namespace

void KroObject::RegisterLateType(const char* lateType, Maker maker) {
  if (lateType != nullptr) Makers()[lateType] = maker;
}

KroObject::KroObject(const char* lateType, const char* argument) {
  if (lateType == nullptr) return;
  const auto found = Makers().find(lateType);
  if (found == Makers().end() || found->second == nullptr) return;
  if (KroBaseUnknown* made = found->second(argument != nullptr ? argument : "")) {
    _Object = KroBaseUnknown_var::Adopt(made);
  }
}

KroResult KroObject::QueryInterface(const KroIID& iid, void** out) const {
  if (out != nullptr) *out = nullptr;
  if (!_Object) return KRO_E_FAIL;
  return _Object->QueryInterface(iid, out);
}
