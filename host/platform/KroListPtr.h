// The host's lists of counted objects, indexed from 1 to Size(). A list holds one reference on
// each object it contains (Append adds it, RemoveAll and the destructor give it back), so its
// entries stay valid as long as the list lives; operator[] lends the pointer without a
// reference. Null entries are allowed. KroListPtrKroCell, KroListPtrKroTopology and
// KroListPtrKroBrpObject are its named forms.
#ifndef KroListPtr_H
#define KroListPtr_H

#include <cstddef>
#include <vector>

template <class T>
class KroListPtr {
 public:
  KroListPtr() = default;
  KroListPtr(const KroListPtr& other) : _Items(other._Items) { AddRefAll(); }
  KroListPtr& operator=(const KroListPtr& other) {
    if (this != &other) {
      KroListPtr copy(other);
      _Items.swap(copy._Items);
    }
    return *this;
  }
  ~KroListPtr() { RemoveAll(); }

  int Size() const { return static_cast<int>(_Items.size()); }
  // Adds a reference on item (when not null).
  void Append(T* item) {
    if (item) item->AddRef();
    _Items.push_back(item);
  }
  // Index from 1; an index outside 1..Size() is a programming error and aborts through at().
  T* operator[](int index) const { return _Items.at(static_cast<std::size_t>(index - 1)); }
  // Position (from 1) of the first entry that is item, 0 when absent.
  int Locate(const T* item) const {
    for (std::size_t i = 0; i < _Items.size(); ++i)
      if (_Items[i] == item) return static_cast<int>(i) + 1;
    return 0;
  }
  void RemoveAll() {
    std::vector<T*> items;
    items.swap(_Items);
    for (T* item : items)
      if (item) item->Release();
  }

 private:
  void AddRefAll() {
    for (T* item : _Items)
      if (item) item->AddRef();
  }
  std::vector<T*> _Items;
};

#endif
