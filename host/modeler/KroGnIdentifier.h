// A generic-naming identifier: kind 1 holds one unsigned 32-bit number ("#42"), kind 3 two
// ("~FF~10"). A default identifier has kind 0 and no numbers.
#ifndef KroGnIdentifier_H
#define KroGnIdentifier_H

#include <cstdint>

#include "KroResult.h"

class KroGnIdentifier {
 public:
  KroGnIdentifier() : _Kind(0), _First(0), _Second(0) {}
  explicit KroGnIdentifier(uint32_t number) : _Kind(1), _First(number), _Second(0) {}
  KroGnIdentifier(uint32_t first, uint32_t second) : _Kind(3), _First(first), _Second(second) {}
  // Any kind, for hosts and tests that need identifiers without a text form.
  static KroGnIdentifier OfKind(int kind, uint32_t first, uint32_t second) {
    KroGnIdentifier id(first, second);
    id._Kind = kind;
    return id;
  }

  int GetKind() const { return _Kind; }
  // Kind 1 only; fails for any other kind.
  KroResult GetULong32(uint32_t& number) const {
    if (_Kind != 1) return KRO_E_FAIL;
    number = _First;
    return KRO_S_OK;
  }
  // Kind 3 only; fails for any other kind.
  KroResult GetULong32X2(uint32_t& first, uint32_t& second) const {
    if (_Kind != 3) return KRO_E_FAIL;
    first = _First;
    second = _Second;
    return KRO_S_OK;
  }

  bool operator==(const KroGnIdentifier& o) const {
    return _Kind == o._Kind && _First == o._First && (_Kind == 1 || _Second == o._Second);
  }
  bool operator!=(const KroGnIdentifier& o) const { return !(*this == o); }
  // An order in which identifiers that compare equal are equivalent, for maps keyed by them.
  bool operator<(const KroGnIdentifier& o) const {
    if (_Kind != o._Kind) return _Kind < o._Kind;
    if (_First != o._First) return _First < o._First;
    return _Kind != 1 && _Second < o._Second;
  }

 private:
  int _Kind;
  uint32_t _First;
  uint32_t _Second;
};

#endif
