// A sequence of counted objects indexed from 0, as a container lists its members. Each element
// carries one reference that belongs to the caller, who releases every element once done; the
// sequence itself never adds nor releases references.
#ifndef _SEQUENCE_KroBaseUnknown_ptr_H
#define _SEQUENCE_KroBaseUnknown_ptr_H

#include <cstdint>
#include <vector>

#include "KroBaseUnknown.h"

class _SEQUENCE_KroBaseUnknown_ptr {
 public:
  uint32_t length() const { return static_cast<uint32_t>(_Items.size()); }
  // Sets the length; new elements are null.
  void length(uint32_t n) { _Items.resize(n, nullptr); }
  KroBaseUnknown*& operator[](uint32_t i) { return _Items.at(i); }
  KroBaseUnknown* const& operator[](uint32_t i) const { return _Items.at(i); }
  // Appends an element whose reference the caller has already taken.
  void append(KroBaseUnknown* item) { _Items.push_back(item); }
  // Releases every non-null element and empties the sequence.
  void ReleaseAll() {
    std::vector<KroBaseUnknown*> items;
    items.swap(_Items);
    for (KroBaseUnknown* item : items)
      if (item) item->Release();
  }

 private:
  std::vector<KroBaseUnknown*> _Items;
};

#endif
