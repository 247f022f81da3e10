// Typed counted reference of the host object model. Assigning an object views it through
// interface I: the reference is empty when the object lacks I (and no extension provides it).
// Copies add a reference; the destructor releases it. Dereferencing an empty reference throws
// KroNullReferenceError, the host's null-reference error.
#ifndef KroVar_H
#define KroVar_H

#include <stdexcept>

#include "KroBaseUnknown.h"
#include "KroInterfaceDictionary.h"

class KroNullReferenceError : public std::logic_error {
 public:
  explicit KroNullReferenceError(const char* interface_name)
      : std::logic_error(std::string("null reference to ") + interface_name) {}
};

template <class I>
class KroVar {
 public:
  KroVar() : _Ptr(nullptr) {}
  KroVar(std::nullptr_t) : _Ptr(nullptr) {}  // NOLINT
  // Views obj through I, adding a reference of its own.
  KroVar(KroBaseUnknown* obj) : _Ptr(nullptr) { Assign(obj); }  // NOLINT
  KroVar(const KroVar& other) : _Ptr(other._Ptr) {
    if (_Ptr) _Ptr->AddRef();
  }
  KroVar(KroVar&& other) noexcept : _Ptr(other._Ptr) { other._Ptr = nullptr; }
  template <class J>
  KroVar(const KroVar<J>& other) : _Ptr(nullptr) {  // NOLINT: a view through another interface
    Assign(static_cast<KroBaseUnknown*>(other.get()));
  }
  ~KroVar() { Clear(); }

  KroVar& operator=(const KroVar& other) {
    if (other._Ptr) other._Ptr->AddRef();
    Clear();
    _Ptr = other._Ptr;
    return *this;
  }
  KroVar& operator=(KroVar&& other) noexcept {
    if (this != &other) {
      Clear();
      _Ptr = other._Ptr;
      other._Ptr = nullptr;
    }
    return *this;
  }
  template <class J>
  KroVar& operator=(const KroVar<J>& other) {
    KroVar view(static_cast<KroBaseUnknown*>(other.get()));
    return *this = std::move(view);
  }
  KroVar& operator=(KroBaseUnknown* obj) {
    KroVar view(obj);
    return *this = std::move(view);
  }
  KroVar& operator=(std::nullptr_t) {
    Clear();
    return *this;
  }

  // Takes over a reference the caller already owns (for example one made by new), without
  // adding one; the object must implement I.
  static KroVar Adopt(I* obj) {
    KroVar v;
    v._Ptr = obj;
    return v;
  }

  I* get() const { return _Ptr; }
  I* operator->() const {
    if (!_Ptr) throw KroNullReferenceError(I::InterfaceName());
    return _Ptr;
  }
  I& operator*() const { return *operator->(); }
  bool operator!() const { return _Ptr == nullptr; }
  explicit operator bool() const { return _Ptr != nullptr; }
  // Same object, whatever interface each reference shows.
  template <class J>
  bool IsSame(const KroVar<J>& other) const {
    return static_cast<const void*>(Identity(_Ptr)) ==
           static_cast<const void*>(Identity(other.get()));
  }
  void Clear() {
    if (_Ptr) {
      I* p = _Ptr;
      _Ptr = nullptr;
      p->Release();
    }
  }

  static void* Cast(KroBaseUnknown* obj) { return dynamic_cast<I*>(obj); }

 private:
  template <class J>
  static const KroBaseUnknown* Identity(J* p) {
    return p ? dynamic_cast<const KroBaseUnknown*>(p) : nullptr;
  }

  void Assign(KroBaseUnknown* obj) {
    static const bool registered =
        (KroInterfaceDictionary::RegisterCaster(I::InterfaceName(), &KroVar::Cast), true);
    (void)registered;
    Clear();
    if (!obj) return;
    if (I* own = dynamic_cast<I*>(obj)) {
      own->AddRef();
      _Ptr = own;
      return;
    }
    void* ext = nullptr;
    if (obj->QueryInterface(I::InterfaceName(), &ext) == KRO_S_OK) _Ptr = static_cast<I*>(ext);
  }

  I* _Ptr;
};

typedef KroVar<KroBaseUnknown> KroBaseUnknown_var;

// Registers the caster of interface I at library load, so that QueryInterface by name finds it
// before any typed reference to I was made. Use once per interface, in a source file.
#define KRO_REGISTER_INTERFACE(I)                                        \
  static const bool kKroInterfaceRegistered_##I =                        \
      (KroInterfaceDictionary::RegisterCaster(#I, &KroVar<I>::Cast), true)

#endif
