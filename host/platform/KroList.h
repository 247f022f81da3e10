// The host's lists, indexed from 1 to Size(). KroListValKroUnicodeString holds strings,
// KroRawCollKroULONG32 unsigned 32-bit values, KroRawColldouble and KroRawCollint numbers.
#ifndef KroList_H
#define KroList_H

#include <cstdint>
#include <vector>

#include "KroUnicodeString.h"

template <typename T>
class KroList {
 public:
  int Size() const { return static_cast<int>(_Items.size()); }
  void Append(const T& item) { _Items.push_back(item); }
  void RemoveAll() { _Items.clear(); }
  // Index from 1; an index outside 1..Size() is a programming error and aborts through at().
  T& operator[](int index) { return _Items.at(static_cast<size_t>(index - 1)); }
  const T& operator[](int index) const { return _Items.at(static_cast<size_t>(index - 1)); }

  typename std::vector<T>::const_iterator begin() const { return _Items.begin(); }
  typename std::vector<T>::const_iterator end() const { return _Items.end(); }

 private:
  std::vector<T> _Items;
};

typedef KroList<KroUnicodeString> KroListValKroUnicodeString;
typedef KroList<uint32_t> KroRawCollKroULONG32;
typedef KroList<double> KroRawColldouble;
typedef KroList<int> KroRawCollint;

#endif
