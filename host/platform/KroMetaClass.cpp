// Meta objects: one per class name, made under the object-model guard, never freed.
#include "KroMetaClass.h"

#include <cstring>
#include <map>

#include "KroOMGuard.h"

namespace {
// Never destroyed: library code may ask for a meta object while the program ends.
std::map<std::string, const KroMetaClass*>& Classes() {
  static auto* const classes = new std::map<std::string, const KroMetaClass*>;
  return *classes;
}

std::string Text(const char* text) { return text != nullptr ? text : ""; }
}  // namespace

KroMetaClass::KroMetaClass(const char* className, int classKind, const KroMetaClass* base,
                           const char* extendedLateType, const char* frameworkName,
                           size_t instanceSize)
    : _ClassName(Text(className)),
      _ClassKind(classKind),
      _Base(base),
      _ExtendedLateType(Text(extendedLateType)),
      _FrameworkName(Text(frameworkName)),
      _InstanceSize(instanceSize) {}

const KroMetaClass* KroMetaClass::Retrieve(const char* className, int classKind,
                                           const KroMetaClass* base, const char* extendedLateType,
                                           const char* frameworkName, size_t instanceSize) {
  if (className == nullptr || className[0] == '\0' || classKind < KroClassImplementation ||
      classKind > KroClassCodeExtension)
    return nullptr;
  const bool extension = classKind >= KroClassDataExtension;
  if (extension != (extendedLateType != nullptr && extendedLateType[0] != '\0')) return nullptr;
  KroOMGuard guard;
  const KroMetaClass*& known = Classes()[className];
  if (known == nullptr) {
    known =
        new KroMetaClass(className, classKind, base, extendedLateType, frameworkName, instanceSize);
    return known;
  }
  const bool alike = known->_ClassKind == classKind && known->_Base == base &&
                     known->_ExtendedLateType == Text(extendedLateType) &&
                     known->_FrameworkName == Text(frameworkName) &&
                     known->_InstanceSize == instanceSize;
  return alike ? known : nullptr;
}

const KroMetaClass* KroMetaClass::Find(const char* className) {
  if (className == nullptr) return nullptr;
  KroOMGuard guard;
  const auto found = Classes().find(className);
  return found != Classes().end() ? found->second : nullptr;
}

bool KroMetaClass::IsExtension() const { return _ClassKind >= KroClassDataExtension; }

bool KroMetaClass::IsAKindOf(const char* className) const {
  if (className == nullptr) return false;
  for (const KroMetaClass* meta = this; meta != nullptr; meta = meta->_Base) {
    if (meta->_ClassName == className) return true;
  }
  return false;
}
