// A topological cell of a body: vertex (dimension 0), edge (1), face (2) or volume (3). It
// gives a point that lies on it, its bounding cells by dimension in a stable order, its body
// and its geometry (KroPoint, KroCurve or KroSurface). Vertices also answer KroVertex.
// Within one document, a cell is always the same object; compare cells of different documents
// by tag.
#ifndef KroCell_H
#define KroCell_H

#include "KroBody.h"
#include "KroGeometry.h"
#include "KroMathPoint.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroVar.h"

class KroListPtrKroCell;

class KroCell : public virtual KroTopology {
  KRO_DECLARE_INTERFACE(KroCell)

 public:
  // 0 vertex, 1 edge, 2 face, 3 volume.
  virtual short GetDimension() const = 0;
  // The cell point query: a point that lies on the cell (a vertex: its point; an edge: the
  // point at mid-range; a face: a point well inside it; a volume: a point inside the solid).
  // Fails, leaving point unchanged, when the cell has none (a degenerate edge may not).
  virtual KroResult GetPointOnCell(KroMathPoint& point) const = 0;
  // Empties cells, then appends the cells of the dimension that bound this one, in a stable
  // order (a volume's faces, a face's edges, an edge's vertices...); for the cell's own
  // dimension the cell itself; for a higher dimension nothing. Fails for a dimension outside
  // 0..3.
  virtual KroResult GetAllCells(KroListPtrKroCell& cells, short dimension) const = 0;
  // The cell's geometry: the point of a vertex, the curve of an edge, the surface of a face.
  // Empty for a degenerate edge (no curve) and for a volume.
  virtual KroGeometry_var GetGeometry() const = 0;
  // The body that holds the cell.
  virtual KroBody_var GetBody() const = 0;
};

typedef KroVar<KroCell> KroCell_var;

#endif
