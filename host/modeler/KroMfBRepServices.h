// BRep services of the host modeler, reached from a context object (any object of a
// document): the geometric factory that holds the document's bodies, cells and geometry.
#ifndef KroMfBRepServices_H
#define KroMfBRepServices_H

#include "KroBaseUnknown.h"
#include "KroGeoFactory.h"
#include "KroVar.h"

class KroMfBRepServices {
 public:
  // The factory of the context's document, or an empty reference.
  static KroGeoFactory_var GetGeoFactory(KroBaseUnknown* context);
  template <class I>
  static KroGeoFactory_var GetGeoFactory(const KroVar<I>& context) {
    return GetGeoFactory(static_cast<KroBaseUnknown*>(context.get()));
  }
};

#endif
