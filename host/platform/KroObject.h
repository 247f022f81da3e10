// An object made by the name of its late type through the object model, for host code that
// needs an implementation it does not link against (the modeler's "DelegateFactory", say). The
// layer that implements a late type registers its maker when the library loads; a KroObject
// holds the one reference to what the maker made and gives it back when it goes.
#ifndef KroObject_H
#define KroObject_H

#include "KroBaseUnknown.h"
#include "KroResult.h"
#include "KroVar.h"

class KroObject {
 public:
  // Makes a new object with one reference for the caller, or null; argument may be empty.
  typedef KroBaseUnknown* (*Maker)(const char* argument);

  // Registers, or replaces, the maker of a late type.
  static void RegisterLateType(const char* lateType, Maker maker);

  // Makes an object of the late type with the argument (null counts as ""). The KroObject is
  // empty when no maker is registered for the type or the maker made nothing.
  KroObject(const char* lateType, const char* argument);
  KroObject(const KroObject&) = delete;
  KroObject& operator=(const KroObject&) = delete;
  ~KroObject() = default;

  bool operator!() const { return !_Object; }
  const KroBaseUnknown_var& GetObject() const { return _Object; }
  // The object seen through the interface, as KroBaseUnknown::QueryInterface gives it (a
  // reference for the caller); fails, *out null, for an empty KroObject.
  KroResult QueryInterface(const KroIID& iid, void** out) const;

 private:
  KroBaseUnknown_var _Object;
};

#endif
