// Common root of the geometry objects of a document (KroPoint of a vertex, KroCurve of an
// edge, KroSurface of a face): each knows the geometric factory that holds it.
#ifndef KroGeometry_H
#define KroGeometry_H

#include "KroBaseUnknown.h"
#include "KroGeoFactory.h"
#include "KroVar.h"

class KroGeometry : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroGeometry)

 public:
  // The factory that holds this geometry; empty when the object belongs to no document.
  virtual KroGeoFactory_var GetGeoFactory() const = 0;
};

typedef KroVar<KroGeometry> KroGeometry_var;

#endif
