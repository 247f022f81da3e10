// Counted objects, interface lookup and the interface dictionary.
#include "KroBaseUnknown.h"

#include <map>
#include <string>
#include <utility>

#include "KroInterfaceDictionary.h"

namespace {
long g_LiveObjects = 0;

std::map<std::pair<std::string, std::string>, KroExtensionHook>& Hooks() {
  static std::map<std::pair<std::string, std::string>, KroExtensionHook> hooks;
  return hooks;
}

std::map<std::string, KroInterfaceCaster>& Casters() {
  static std::map<std::string, KroInterfaceCaster> casters;
  return casters;
}

void* CastToBaseUnknown(KroBaseUnknown* object) { return object; }
}  // namespace

KroBaseUnknown::KroBaseUnknown() : _RefCount(1) { ++g_LiveObjects; }

KroBaseUnknown::~KroBaseUnknown() { --g_LiveObjects; }

long KroBaseUnknown::LiveObjects() { return g_LiveObjects; }

unsigned long KroBaseUnknown::AddRef() { return ++_RefCount; }

unsigned long KroBaseUnknown::Release() {
  const unsigned long left = --_RefCount;
  if (left == 0) delete this;
  return left;
}

KroResult KroBaseUnknown::QueryInterface(const KroIID& iid, void** out) {
  return QueryInterface(iid.name, out);
}

KroResult KroBaseUnknown::QueryInterface(const char* interface_name, void** out) {
  if (out == nullptr) return KRO_E_FAIL;
  *out = nullptr;
  if (interface_name == nullptr) return KRO_E_FAIL;
  KroInterfaceCaster caster = std::strcmp(interface_name, InterfaceName()) == 0
                                  ? &CastToBaseUnknown
                                  : KroInterfaceDictionary::FindCaster(interface_name);
  if (caster != nullptr) {
    if (void* own = caster(this)) {
      AddRef();
      *out = own;
      return KRO_S_OK;
    }
  }
  KroExtensionHook hook = KroInterfaceDictionary::Find(GetLateType(), interface_name);
  if (hook == nullptr) return KRO_E_FAIL;
  KroBaseUnknown* extension = hook(this);
  if (extension == nullptr) return KRO_E_FAIL;
  void* seen = caster != nullptr ? caster(extension) : nullptr;
  if (seen == nullptr) {
    extension->Release();
    return KRO_E_FAIL;
  }
  *out = seen;  // the extension's own first reference goes to the caller
  return KRO_S_OK;
}

void KroInterfaceDictionary::Register(const char* late_type, const char* interface_name,
                                      KroExtensionHook hook) {
  Hooks()[{late_type, interface_name}] = hook;
}

void KroInterfaceDictionary::Unregister(const char* late_type, const char* interface_name) {
  Hooks().erase({late_type, interface_name});
}

KroExtensionHook KroInterfaceDictionary::Find(const char* late_type, const char* interface_name) {
  auto it = Hooks().find({late_type, interface_name});
  return it == Hooks().end() ? nullptr : it->second;
}

void KroInterfaceDictionary::RegisterCaster(const char* interface_name, KroInterfaceCaster caster) {
  Casters()[interface_name] = caster;
}

KroInterfaceCaster KroInterfaceDictionary::FindCaster(const char* interface_name) {
  auto it = Casters().find(interface_name);
  return it == Casters().end() ? nullptr : it->second;
}
