// A selection path, as the user interface hands a selected object around: the document, the
// feature and, for a cell, the BRep access of the cell, outermost first. The current element
// is the last one: the object that was selected. A counted object of its own, holding a
// reference to each element; KroIPathAccess makes one for its object.
#ifndef KroPathElement_H
#define KroPathElement_H

#include <vector>

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroPathElement : public KroBaseUnknown {
 public:
  // A path of the elements, outermost first (may be empty), with one reference for the caller.
  static KroPathElement* Create(const std::vector<KroBaseUnknown_var>& elements);

  const char* GetLateType() const override { return "KroPathElement"; }

  // The selected object: the last element; empty for an empty path.
  KroBaseUnknown_var CurrentElement() const;
  int GetSize() const { return static_cast<int>(_Elements.size()); }
  // The elements from 1 (the document) to GetSize(); empty outside.
  KroBaseUnknown_var GetItem(int index) const;

 private:
  explicit KroPathElement(const std::vector<KroBaseUnknown_var>& elements) : _Elements(elements) {}
  ~KroPathElement() override = default;

  std::vector<KroBaseUnknown_var> _Elements;
};

#endif
