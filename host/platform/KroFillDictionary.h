// Registration of a library's extension in the host's interface dictionary, called by the
// library's dictionary-entry functions while its object module is built (KroOMModule).
#ifndef KroFillDictionary_H
#define KroFillDictionary_H

#include "KroInterfaceDictionary.h"
#include "KroMetaClass.h"
#include "KroResult.h"

class KroFillDictionary {
 public:
  // Flags of Register.
  static constexpr int kReplace = 1;  // an extension already registered for the pair gives way

  // Registers the extension that the meta object extension describes as the implementation of
  // the interface that the meta object itf describes, for the late type that the extension
  // extends: asking an object of that late type for the interface calls create (when query,
  // if given, says the extension applies). Without kReplace an entry already there is kept.
  // Fails, registering nothing, for a null argument (query aside), an extension meta object
  // of no extension kind or an interface meta object of no interface kind, and when an entry
  // is kept. Made while a module is built, the entry is the module's (taken back when it goes).
  [[nodiscard]] static KroResult Register(const KroMetaClass* extension, const KroMetaClass* itf,
                                          KroCreateBOAFunction create, KroQueryBOAFunction query,
                                          int flags);
};

#endif
