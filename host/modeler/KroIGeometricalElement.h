// A spec that produces geometry: it gives the body it results in.
#ifndef KroIGeometricalElement_H
#define KroIGeometricalElement_H

#include "KroBaseUnknown.h"
#include "KroBody.h"
#include "KroVar.h"

class KroIGeometricalElement : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIGeometricalElement)

 public:
  // The body that the element results in; empty when it has none.
  virtual KroBody_var GetBodyResult() const = 0;
};

typedef KroVar<KroIGeometricalElement> KroIGeometricalElement_var;

#endif
