// Registration of extensions by object modules.
#include "KroFillDictionary.h"

#include "KroOMGuard.h"
#include "KroOMModule.h"

KroResult KroFillDictionary::Register(const KroMetaClass* extension, const KroMetaClass* itf,
                                      KroCreateBOAFunction create, KroQueryBOAFunction query,
                                      int flags) {
  if (extension == nullptr || itf == nullptr || create == nullptr || !extension->IsExtension() ||
      itf->GetClassKind() != KroClassInterface)
    return KRO_E_FAIL;
  KroOMGuard guard;
  if (!KroInterfaceDictionary::RegisterBOA(extension->GetExtendedLateType(), itf->IsA(), create,
                                           query, (flags & kReplace) != 0))
    return KRO_E_FAIL;
  KroOMModule::_Note(extension->GetExtendedLateType(), itf->IsA(), create);
  return KRO_S_OK;
}
