// Extensions made for the interface dictionary and bound to the object they extend.
#include "ToCreateBOA.h"

#include <cstring>

#include "KroInterfaceDictionary.h"

KroBaseUnknown* ToCreateBOA(KroBaseUnknown* object, KroBaseUnknown* implementation,
                            const KroMetaClass* meta, const KroIID& iid, KroBOAFactory factory) {
  KroBaseUnknown* extended = implementation != nullptr ? implementation : object;
  if (extended == nullptr || meta == nullptr || !meta->IsExtension() || factory == nullptr ||
      iid.name == nullptr || std::strcmp(meta->GetExtendedLateType(), extended->GetLateType()) != 0)
    return nullptr;
  KroBaseUnknown* extension = factory();
  if (extension == nullptr) return nullptr;
  const KroInterfaceCaster caster = KroInterfaceDictionary::FindCaster(iid.name);
  if (extension->GetMetaObject() != meta || caster == nullptr || caster(extension) == nullptr ||
      extension->_Extended != nullptr) {
    extension->Release();
    return nullptr;
  }
  extended->AddRef();
  extension->_Extended = extended;
  return extension;
}
