// Counted objects, interface lookup and the interface dictionary.
#include "KroBaseUnknown.h"

#include <map>
#include <string>
#include <utility>

#include "KroInterfaceDictionary.h"
#include "KroMetaClass.h"
#include "KroOMGuard.h"

namespace {
long g_LiveObjects = 0;

// What the dictionary holds for one (late type, interface): a hook, or the functions of an
// extension that an object module registered.
struct DictionaryEntry {
  KroExtensionHook hook = nullptr;
  KroCreateBOAFunction create = nullptr;
  KroQueryBOAFunction query = nullptr;
};

// Never destroyed: the object module of a library that unloads while the program ends takes
// its entries back after other static objects have gone.
std::map<std::pair<std::string, std::string>, DictionaryEntry>& Hooks() {
  static auto* const hooks = new std::map<std::pair<std::string, std::string>, DictionaryEntry>;
  return *hooks;
}

// The extension of the object for the interface that the dictionary makes, or null.
KroBaseUnknown* MakeExtension(KroBaseUnknown* object, const char* interface_name) {
  KroExtensionHook hook = nullptr;
  KroCreateBOAFunction create = nullptr;
  KroQueryBOAFunction query = nullptr;
  {
    KroOMGuard guard;
    const auto found = Hooks().find({object->GetLateType(), interface_name});
    if (found == Hooks().end()) return nullptr;
    hook = found->second.hook;
    create = found->second.create;
    query = found->second.query;
  }
  if (hook != nullptr) return hook(object);
  if (create == nullptr || (query != nullptr && query(object) == 0)) return nullptr;
  return create(object, object);
}

std::map<std::string, KroInterfaceCaster>& Casters() {
  static std::map<std::string, KroInterfaceCaster> casters;
  return casters;
}

void* CastToBaseUnknown(KroBaseUnknown* object) { return object; }
}  // namespace

KroBaseUnknown::KroBaseUnknown() : _RefCount(1) { ++g_LiveObjects; }

KroBaseUnknown::~KroBaseUnknown() {
  --g_LiveObjects;
  if (_Extended != nullptr) _Extended->Release();
}

const char* KroBaseUnknown::IsA() const {
  const KroMetaClass* meta = GetMetaObject();
  return meta != nullptr ? meta->IsA() : GetLateType();
}

bool KroBaseUnknown::IsAKindOf(const char* className) const {
  if (className == nullptr) return false;
  const KroMetaClass* meta = GetMetaObject();
  return meta != nullptr ? meta->IsAKindOf(className) : std::strcmp(className, IsA()) == 0;
}

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
  // An extension answers for the object it extends.
  if (_Extended != nullptr) return _Extended->QueryInterface(interface_name, out);
  KroBaseUnknown* extension = MakeExtension(this, interface_name);
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
  KroOMGuard guard;
  DictionaryEntry entry;
  entry.hook = hook;
  Hooks()[{late_type, interface_name}] = entry;
}

void KroInterfaceDictionary::Unregister(const char* late_type, const char* interface_name) {
  KroOMGuard guard;
  Hooks().erase({late_type, interface_name});
}

KroExtensionHook KroInterfaceDictionary::Find(const char* late_type, const char* interface_name) {
  KroOMGuard guard;
  auto it = Hooks().find({late_type, interface_name});
  return it == Hooks().end() ? nullptr : it->second.hook;
}

bool KroInterfaceDictionary::RegisterBOA(const char* late_type, const char* interface_name,
                                         KroCreateBOAFunction create, KroQueryBOAFunction query,
                                         bool replace) {
  if (late_type == nullptr || interface_name == nullptr || create == nullptr) return false;
  KroOMGuard guard;
  const auto key = std::make_pair(std::string(late_type), std::string(interface_name));
  if (!replace && Hooks().count(key) != 0) return false;
  DictionaryEntry entry;
  entry.create = create;
  entry.query = query;
  Hooks()[key] = entry;
  return true;
}

bool KroInterfaceDictionary::FindBOA(const char* late_type, const char* interface_name,
                                     KroCreateBOAFunction& create, KroQueryBOAFunction& query) {
  create = nullptr;
  query = nullptr;
  if (late_type == nullptr || interface_name == nullptr) return false;
  KroOMGuard guard;
  const auto it = Hooks().find({late_type, interface_name});
  if (it == Hooks().end() || it->second.create == nullptr) return false;
  create = it->second.create;
  query = it->second.query;
  return true;
}

void KroInterfaceDictionary::UnregisterBOA(const char* late_type, const char* interface_name,
                                           KroCreateBOAFunction create) {
  if (late_type == nullptr || interface_name == nullptr) return;
  KroOMGuard guard;
  const auto it = Hooks().find({late_type, interface_name});
  if (it != Hooks().end() && it->second.create == create) Hooks().erase(it);
}

void KroInterfaceDictionary::RegisterCaster(const char* interface_name, KroInterfaceCaster caster) {
  Casters()[interface_name] = caster;
}

KroInterfaceCaster KroInterfaceDictionary::FindCaster(const char* interface_name) {
  auto it = Casters().find(interface_name);
  return it == Casters().end() ? nullptr : it->second;
}
