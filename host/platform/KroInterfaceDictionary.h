// The host's interface dictionary: maps (late type, interface name) to a creation hook. When
// an object lacks an interface, QueryInterface asks the dictionary, and the hook makes an
// extension object (with one reference, owned by the caller) that implements it.
#ifndef KroInterfaceDictionary_H
#define KroInterfaceDictionary_H

#include "KroBaseUnknown.h"

typedef KroBaseUnknown* (*KroExtensionHook)(KroBaseUnknown* owner);
typedef void* (*KroInterfaceCaster)(KroBaseUnknown* object);

class KroInterfaceDictionary {
 public:
  // Registers or replaces the hook of (late type, interface).
  static void Register(const char* late_type, const char* interface_name, KroExtensionHook hook);
  static void Unregister(const char* late_type, const char* interface_name);
  static KroExtensionHook Find(const char* late_type, const char* interface_name);

  // Casters turn an object into a pointer of a named interface, or null; typed references
  // register the caster of their interface the first time they are used.
  static void RegisterCaster(const char* interface_name, KroInterfaceCaster caster);
  static KroInterfaceCaster FindCaster(const char* interface_name);
};

#endif
