// The geometric point of a vertex. Its model point gives the vertex's coordinates.
#ifndef KroPoint_H
#define KroPoint_H

#include "KroGeometry.h"
#include "KroMathPoint.h"
#include "KroVar.h"

class KroPoint : public virtual KroGeometry {
  KRO_DECLARE_INTERFACE(KroPoint)

 public:
  virtual KroMathPoint GetModelPoint() const = 0;
};

typedef KroVar<KroPoint> KroPoint_var;

#endif
