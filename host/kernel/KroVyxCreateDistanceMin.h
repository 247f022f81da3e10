// Creation of the minimum-distance operators from a point to the curve of an edge or the
// surface of a face. The operator runs at once; the result carries one reference that the
// caller releases. Null when the factory, the curve or surface is null, or when the
// projection cannot be computed (nothing is thrown).
#ifndef KroVyxCreateDistanceMin_H
#define KroVyxCreateDistanceMin_H

#include "KroCurve.h"
#include "KroGeoFactory.h"
#include "KroMathPoint.h"
#include "KroSoftwareConfiguration.h"
#include "KroSurface.h"
#include "KroVyxDistanceMin.h"

// Point to curve. The configuration may be null; the skill value (0) is accepted and unused.
KroVyxDistanceMin* KroVyxCreateDistanceMin(KroGeoFactory* factory, KroSoftwareConfiguration* config,
                                           const KroMathPoint& point, KroCurve* curve,
                                           int skill = 0);

// Point to surface. The flag (1: nearest point on the face's own surface) and the skill value
// (0) are accepted; every value behaves as 1 and 0.
KroVyxDistanceMin* KroVyxCreateDistanceMin(KroGeoFactory* factory, KroSoftwareConfiguration* config,
                                           const KroMathPoint& point, KroSurface* surface, int flag,
                                           int skill = 0);

#endif
