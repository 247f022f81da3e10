// A body of a document: one solid of the modeler's kernel, the result of a feature. It gives
// its cells by dimension in a stable order (the same order each time the same model is
// loaded) and is where the geometric cell searches (GetCellsOnBodyFromPointByGeomReroute,
// GetFirstVertexOnBodyFromPoint) run.
#ifndef KroBody_H
#define KroBody_H

#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroCell;
class KroListPtrKroCell;
class KroMathPoint;

class KroBody : public virtual KroTopology {
  KRO_DECLARE_INTERFACE(KroBody)

 public:
  // Empties cells, then appends the body's cells of the dimension (0 vertices, 1 edges,
  // 2 faces, 3 volumes) in the body's order. Fails for any other dimension (list empty).
  virtual KroResult GetAllCells(KroListPtrKroCell& cells, short dimension) const = 0;
  virtual int GetCellCount(short dimension) const = 0;
  // The solid's name in the model ("Solid.1", a STEP product name, a feature name).
  virtual KroUnicodeString GetName() const = 0;
  // The first vertex in the body's order whose point lies strictly within the tolerance of
  // the point, even when a later one is nearer; KRO_E_FAIL, vertex untouched, when none does.
  // By default a walk over GetAllCells(0), vertices without a point skipped; a body with an
  // index of its vertices answers the same from it.
  virtual KroResult GetFirstVertexNear(double tolerance, const KroMathPoint& point,
                                       KroVar<KroCell>& vertex) const;
};

typedef KroVar<KroBody> KroBody_var;

#endif
