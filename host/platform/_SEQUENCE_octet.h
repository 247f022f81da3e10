// The host's byte sequence: a counted array of unsigned 8-bit values, indexed from 0.
#ifndef _SEQUENCE_octet_H
#define _SEQUENCE_octet_H

#include <cstdint>
#include <vector>

class _SEQUENCE_octet {
 public:
  _SEQUENCE_octet() = default;
  _SEQUENCE_octet(const std::vector<uint8_t>& bytes) : _Bytes(bytes) {}  // NOLINT

  uint32_t length() const { return static_cast<uint32_t>(_Bytes.size()); }
  // Sets the length; new octets are 0.
  void length(uint32_t n) { _Bytes.resize(n); }
  // Reserves room for n octets without changing the length.
  void max(uint32_t n) { _Bytes.reserve(n); }
  uint32_t maximum() const { return static_cast<uint32_t>(_Bytes.capacity()); }
  uint8_t& operator[](uint32_t i) { return _Bytes.at(i); }
  const uint8_t& operator[](uint32_t i) const { return _Bytes.at(i); }
  const std::vector<uint8_t>& bytes() const { return _Bytes; }
  bool operator==(const _SEQUENCE_octet& other) const { return _Bytes == other._Bytes; }

 private:
  std::vector<uint8_t> _Bytes;
};

#endif
