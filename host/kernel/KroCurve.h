// The curve of an edge (absent for a degenerate edge): its parameter range and its first
// derivative at a parameter. The parameter of the point nearest to a given point comes from
// the point-to-curve distance operator (KroVyxCreateDistanceMin).
#ifndef KroCurve_H
#define KroCurve_H

#include "KroCrvParam.h"
#include "KroGeometry.h"
#include "KroMathVector.h"
#include "KroResult.h"
#include "KroVar.h"

class KroCurve : public virtual KroGeometry {
  KRO_DECLARE_INTERFACE(KroCurve)

 public:
  // The edge's range on the curve.
  virtual KroResult GetParamRange(KroCrvParam& start, KroCrvParam& end) const = 0;
  // The first derivative (tangent, not normalised) at the parameter; derivative unchanged on
  // failure.
  virtual KroResult EvalFirstDeriv(const KroCrvParam& param, KroMathVector& derivative) const = 0;
};

typedef KroVar<KroCurve> KroCurve_var;

#endif
