// A minimum-distance operator from a point to a curve or a surface, as KroVyxCreateDistanceMin
// makes it: it has already run, and gives the parameter of the nearest point and the distance.
#ifndef KroVyxDistanceMin_H
#define KroVyxDistanceMin_H

#include "KroBaseUnknown.h"
#include "KroCrvParam.h"
#include "KroResult.h"
#include "KroSurParam.h"
#include "KroVar.h"

class KroVyxDistanceMin : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroVyxDistanceMin)

 public:
  // Point-to-curve operators: the curve parameter of the nearest point (within the edge's
  // range). Fails, leaving param unchanged, for a point-to-surface operator.
  virtual KroResult GetCrvParam(KroCrvParam& param) const = 0;
  // Point-to-surface operators: the surface parameter of the nearest point. Fails, leaving
  // param unchanged, for a point-to-curve operator.
  virtual KroResult GetSurParam(KroSurParam& param) const = 0;
  // Distance from the point to the nearest point found.
  virtual double GetDistance() const = 0;
};

typedef KroVar<KroVyxDistanceMin> KroVyxDistanceMin_var;

#endif
