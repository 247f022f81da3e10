// A list of log elements, indexed from 1 to Size(), as a log element table gives the answer to
// a selector. The table does not copy that answer: the list shares it, with whatever keeps its
// elements alive, and makes references of its own only when an element is first asked for (or
// the list is changed). The answer of a big log is thus handed over at no cost when nobody
// reads it.
#ifndef KroListValKroIMmiLogElement_var_H
#define KroListValKroIMmiLogElement_var_H

#include <memory>
#include <vector>

#include "KroIMmiLogElement.h"

class KroListValKroIMmiLogElement_var {
 public:
  int Size() const;
  // Index from 1; an index outside 1..Size() is a programming error and aborts through at().
  const KroIMmiLogElement_var& operator[](int index) const;
  void Append(const KroIMmiLogElement_var& element);
  void RemoveAll();
  std::vector<KroIMmiLogElement_var>::const_iterator begin() const { return _Own().begin(); }
  std::vector<KroIMmiLogElement_var>::const_iterator end() const { return _Own().end(); }

  // Empties the list, then makes it the elements of shared, in order. The owner of shared must
  // keep every element alive for as long as it keeps shared itself.
  void Share(std::shared_ptr<const std::vector<KroIMmiLogElement*>> shared);

 private:
  // The list's own references, made from the shared elements on first need.
  std::vector<KroIMmiLogElement_var>& _Own() const;

  mutable std::shared_ptr<const std::vector<KroIMmiLogElement*>> _Shared;
  mutable std::vector<KroIMmiLogElement_var> _Items;
};

#endif
