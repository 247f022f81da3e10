// A library's entry in the host's object model, one static object per library. Built when the
// library loads, it runs the library's dictionary-entry functions, which register the library's
// extensions; when the library unloads it takes back what they registered, so that the
// dictionary never calls into a library that is gone.
#ifndef KroOMModule_H
#define KroOMModule_H

#include <string>
#include <vector>

#include "KroInterfaceDictionary.h"
#include "KroOMModuleInfo.h"

class KroOMModule {
 public:
  // Runs every non-empty slot of the table, in table order, under the object-model guard. A
  // table whose bounds are null or reversed runs nothing.
  explicit KroOMModule(const KroOMModuleInfo& info);
  // Removes the dictionary entries that the module's functions registered, each unless another
  // registration has replaced it since.
  ~KroOMModule();
  KroOMModule(const KroOMModule&) = delete;
  KroOMModule& operator=(const KroOMModule&) = delete;

  // The modules alive in the process (those of the loaded libraries), in the order they were
  // built.
  static std::vector<const KroOMModule*> GetLoadedModules();

  const KroOMModuleInfo& GetInfo() const { return _Info; }
  // The entry functions that ran and gave this module back.
  int GetRegisteredEntryCount() const { return _RegisteredEntries; }

 private:
  friend class KroFillDictionary;
  struct Registration {
    std::string lateType;
    std::string interfaceName;
    KroCreateBOAFunction create;
  };
  // Notes a dictionary entry made while a module is being built, for that module.
  static void _Note(const char* lateType, const char* interfaceName, KroCreateBOAFunction create);

  KroOMModuleInfo _Info;
  int _RegisteredEntries = 0;
  std::vector<Registration> _Registrations;
};

#endif
