// Selection paths.
#include "KroPathElement.h"

#include "KroIPathAccess.h"
#include "KroInterfaceDictionary.h"

KRO_REGISTER_INTERFACE(KroIPathAccess);

KroPathElement* KroPathElement::Create(const std::vector<KroBaseUnknown_var>& elements) {
  return new KroPathElement(elements);
}

KroBaseUnknown_var KroPathElement::CurrentElement() const {
  return _Elements.empty() ? KroBaseUnknown_var() : _Elements.back();
}

KroBaseUnknown_var KroPathElement::GetItem(int index) const {
  if (index < 1 || index > GetSize()) return KroBaseUnknown_var();
  return _Elements[static_cast<size_t>(index - 1)];
}
