// The meta object of a class of the host's object model: its name, its kind, the class it
// derives from, the late type it extends (extensions only), the framework it belongs to and the
// size of an instance. Meta objects are made by Retrieve, one per class name, and live as long
// as the process; callers keep plain pointers to them.
#ifndef KroMetaClass_H
#define KroMetaClass_H

#include <cstddef>
#include <string>

// The kinds of class that the object model knows.
enum KroClassKind {
  KroClassImplementation = 0,   // the implementation of a late type
  KroClassInterface = 1,        // an interface
  KroClassDataExtension = 2,    // an extension with data of its own, kept with its object
  KroClassCachedExtension = 3,  // an extension made once per object and kept with it
  KroClassCodeExtension = 4     // an extension without data, made anew for each query
};

class KroMetaClass {
 public:
  // The meta object of the class. The first call for a class name makes it, under the
  // object-model guard; later calls give the same object when they describe the class alike.
  // Null when the name is empty or null, the kind is unknown, an extension names no late type
  // to extend, or the class is already described otherwise (another kind, base, extended late
  // type, framework or size): one name stands for one class in the process.
  static const KroMetaClass* Retrieve(const char* className, int classKind,
                                      const KroMetaClass* base, const char* extendedLateType,
                                      const char* frameworkName, size_t instanceSize);
  // The meta object of the class, or null when none was made.
  static const KroMetaClass* Find(const char* className);

  KroMetaClass(const KroMetaClass&) = delete;
  KroMetaClass& operator=(const KroMetaClass&) = delete;

  const char* IsA() const { return _ClassName.c_str(); }
  int GetClassKind() const { return _ClassKind; }
  const KroMetaClass* GetBase() const { return _Base; }
  // The late type that an extension extends; "" for other kinds.
  const char* GetExtendedLateType() const { return _ExtendedLateType.c_str(); }
  const char* GetFrameworkName() const { return _FrameworkName.c_str(); }
  size_t GetInstanceSize() const { return _InstanceSize; }
  bool IsExtension() const;
  // Whether the class is the named class or derives from it, through its bases.
  bool IsAKindOf(const char* className) const;

 private:
  KroMetaClass(const char* className, int classKind, const KroMetaClass* base,
               const char* extendedLateType, const char* frameworkName, size_t instanceSize);
  ~KroMetaClass() = default;

  std::string _ClassName;
  int _ClassKind;
  const KroMetaClass* _Base;
  std::string _ExtendedLateType;
  std::string _FrameworkName;
  size_t _InstanceSize;
};

#endif
