// host/platform: the host's values and services that know nothing of geometry: text, lists
// and sequences, KroOmxAny, JSON reading and writing, result codes, tracing, and this counted
// object model with its interface dictionary. It includes nothing from host/kernel or host/modeler.
//
// Root of the host's counted object model. Objects are created with one reference and freed
// when the last reference is released. An object answers the interfaces it implements and,
// through the interface dictionary, extensions registered for its late type. An extension
// answers for the object it extends: asked for an interface it lacks, it gives that object's.
#ifndef KroBaseUnknown_H
#define KroBaseUnknown_H

#include <cstring>

#include "KroResult.h"

class KroMetaClass;

// An interface identifier: the interface's name.
struct KroIID {
  const char* name;
  bool operator==(const KroIID& other) const { return std::strcmp(name, other.name) == 0; }
};

class KroBaseUnknown;
// Allocates an extension with one reference for ToCreateBOA, or gives null.
typedef KroBaseUnknown* (*KroBOAFactory)();

// Declares the identity of an interface class; use inside the class body.
#define KRO_DECLARE_INTERFACE(Name)                          \
 public:                                                     \
  static const char* InterfaceName() { return #Name; }       \
  static const char* ClassName() { return #Name; }           \
  static KroIID ClassIID() { return KroIID{#Name}; }         \
                                                             \
 private:

class KroBaseUnknown {
 public:
  static const char* InterfaceName() { return "KroBaseUnknown"; }
  static const char* ClassName() { return "KroBaseUnknown"; }
  static KroIID ClassIID() { return KroIID{"KroBaseUnknown"}; }

  KroBaseUnknown(const KroBaseUnknown&) = delete;
  KroBaseUnknown& operator=(const KroBaseUnknown&) = delete;

  // Virtual so that an object owned by another one (a cell of a document, say) can share the
  // count of its owner: holding any part keeps the whole owner alive.
  virtual unsigned long AddRef();
  // Frees the object when the count reaches 0; returns the count left.
  virtual unsigned long Release();
  virtual unsigned long RefCount() const { return _RefCount; }

  // On success *out is the object seen through the interface (or an extension that the
  // interface dictionary creates for this object's late type) with a reference added for the
  // caller, and the result is 0. Otherwise *out is null and the result is a failure.
  KroResult QueryInterface(const KroIID& iid, void** out);
  KroResult QueryInterface(const char* interface_name, void** out);

  // Late type name: the name of the object's implementation, used by the interface dictionary.
  virtual const char* GetLateType() const { return "KroBaseUnknown"; }

  // The meta object of the object's class; null for classes that describe themselves by their
  // late type alone.
  virtual const KroMetaClass* GetMetaObject() const { return nullptr; }
  // The class name: the meta object's, else the late type.
  virtual const char* IsA() const;
  // Whether the object's class is the named class or derives from it (as its meta object
  // says; without one, whether the name is IsA()).
  virtual bool IsAKindOf(const char* className) const;

  // The object that this extension extends, or null for an object that is no extension.
  KroBaseUnknown* GetExtendedObject() const { return _Extended; }

  // Number of counted objects alive in the process (for leak checks in tests).
  static long LiveObjects();

 protected:
  KroBaseUnknown();
  virtual ~KroBaseUnknown();

 private:
  friend KroBaseUnknown* ToCreateBOA(KroBaseUnknown* object, KroBaseUnknown* implementation,
                                     const KroMetaClass* meta, const KroIID& iid,
                                     KroBOAFactory factory);

  unsigned long _RefCount;
  KroBaseUnknown* _Extended = nullptr;  // one reference, given back by the destructor
};

#endif
