// An element of the modeling log. A log root (a feature) holds the elements that its operations
// logged; each child is reached from its parent through a short list of keys, for example
// "Construction", "Face", "12". The log element table turns these keys into paths.
#ifndef KroIMmiLogElement_H
#define KroIMmiLogElement_H

#include "KroBaseUnknown.h"
#include "KroList.h"
#include "KroResult.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroIMmiLogElement : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmiLogElement)

 public:
  // Number of elements logged directly under this one (0 for a leaf).
  virtual int GetLogChildCount() const = 0;
  // The index-th child (from 1) and the keys that lead to it from this element (at least one;
  // keys are never empty and hold neither "." nor "/"). Fails outside 1..GetLogChildCount(),
  // leaving keys empty and child null.
  virtual KroResult GetLogChild(int index, KroListValKroUnicodeString& keys,
                                KroVar<KroIMmiLogElement>& child) const = 0;
};

typedef KroVar<KroIMmiLogElement> KroIMmiLogElement_var;

#endif
