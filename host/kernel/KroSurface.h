// The surface of a face: its unit normal at a parameter, pointing out of the material (the
// face's orientation is taken into account, so two faces on one plane may answer opposite
// normals). The parameter of the point nearest to a given point comes from the point-to-surface
// distance operator (KroVyxCreateDistanceMin).
#ifndef KroSurface_H
#define KroSurface_H

#include "KroGeometry.h"
#include "KroMathDirection.h"
#include "KroResult.h"
#include "KroSurParam.h"
#include "KroVar.h"

class KroSurface : public virtual KroGeometry {
  KRO_DECLARE_INTERFACE(KroSurface)

 public:
  // Normal unchanged on failure (for example at a singular point of the surface).
  virtual KroResult EvalNormal(const KroSurParam& param, KroMathDirection& normal) const = 0;
};

typedef KroVar<KroSurface> KroSurface_var;

#endif
