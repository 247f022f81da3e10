// The host's interface dictionary: maps (late type, interface name) to a creation hook. When
// an object lacks an interface, QueryInterface asks the dictionary, and the hook makes an
// extension object (with one reference, owned by the caller) that implements it. Extensions
// registered by a library's object module (KroFillDictionary) have a two-argument creation
// function and, optionally, a query function that tells whether they apply to an object.
#ifndef KroInterfaceDictionary_H
#define KroInterfaceDictionary_H

#include "KroBaseUnknown.h"

typedef KroBaseUnknown* (*KroExtensionHook)(KroBaseUnknown* owner);
typedef void* (*KroInterfaceCaster)(KroBaseUnknown* object);
// Makes the extension of object; implementation is the object that the extension answers for
// (the dictionary gives the object asked both times).
typedef KroBaseUnknown* (*KroCreateBOAFunction)(KroBaseUnknown* object,
                                                KroBaseUnknown* implementation);
// Non-zero when the extension applies to the object.
typedef int (*KroQueryBOAFunction)(KroBaseUnknown* object);

class KroInterfaceDictionary {
 public:
  // Registers or replaces the hook of (late type, interface).
  static void Register(const char* late_type, const char* interface_name, KroExtensionHook hook);
  static void Unregister(const char* late_type, const char* interface_name);
  static KroExtensionHook Find(const char* late_type, const char* interface_name);

  // Registers the creation and query functions of (late type, interface); query may be null
  // (the extension applies to every object of the late type). With replace false an entry
  // already there is kept and the call returns false.
  static bool RegisterBOA(const char* late_type, const char* interface_name,
                          KroCreateBOAFunction create, KroQueryBOAFunction query, bool replace);
  // The functions of (late type, interface); false, both null, when it has none.
  static bool FindBOA(const char* late_type, const char* interface_name,
                      KroCreateBOAFunction& create, KroQueryBOAFunction& query);
  // Removes the entry of (late type, interface) when create is still its creation function.
  static void UnregisterBOA(const char* late_type, const char* interface_name,
                            KroCreateBOAFunction create);

  // Casters turn an object into a pointer of a named interface, or null; typed references
  // register the caster of their interface the first time they are used.
  static void RegisterCaster(const char* interface_name, KroInterfaceCaster caster);
  static KroInterfaceCaster FindCaster(const char* interface_name);
};

#endif
