// A library's object module: its dictionary entries run at load and taken back at unload.
#include "KroOMModule.h"

#include <algorithm>

#include "KroOMGuard.h"

namespace {
// The module being built, while its entry functions run.
KroOMModule* g_Loading = nullptr;

// Never destroyed: modules of libraries unloaded while the program ends leave it last.
std::vector<const KroOMModule*>& Modules() {
  static auto* const modules = new std::vector<const KroOMModule*>;
  return *modules;
}
}  // namespace

KroOMModule::KroOMModule(const KroOMModuleInfo& info) : _Info(info) {
  KroOMGuard guard;
  Modules().push_back(this);
  if (info.begin == nullptr || info.end == nullptr || info.end < info.begin) return;
  KroOMModule* const outer = g_Loading;
  g_Loading = this;
  for (const KroOMDictionaryEntry* slot = info.begin; slot != info.end; ++slot) {
    if (*slot != nullptr && (*slot)() == this) ++_RegisteredEntries;
  }
  g_Loading = outer;
}

KroOMModule::~KroOMModule() {
  KroOMGuard guard;
  Modules().erase(std::remove(Modules().begin(), Modules().end(), this), Modules().end());
  for (auto it = _Registrations.rbegin(); it != _Registrations.rend(); ++it) {
    KroInterfaceDictionary::UnregisterBOA(it->lateType.c_str(), it->interfaceName.c_str(),
                                          it->create);
  }
}

void KroOMModule::_Note(const char* lateType, const char* interfaceName,
                        KroCreateBOAFunction create) {
  if (g_Loading != nullptr) g_Loading->_Registrations.push_back({lateType, interfaceName, create});
}

std::vector<const KroOMModule*> KroOMModule::GetLoadedModules() {
  KroOMGuard guard;
  return Modules();
}
