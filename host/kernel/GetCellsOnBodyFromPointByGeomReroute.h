// The host's geometric cell searches: the cells of one dimension of a body that lie within a
// tolerance of a point, best first, and the first vertex of a body near a point. Compact
// streams use them to find a cell again from the point and direction they recorded.
#ifndef GetCellsOnBodyFromPointByGeomReroute_H
#define GetCellsOnBodyFromPointByGeomReroute_H

#include "KroBody.h"
#include "KroCell.h"
#include "KroList.h"
#include "KroListPtrKroCell.h"
#include "KroMathDirection.h"
#include "KroMathPoint.h"
#include "KroResult.h"

// Finds the cells of the dimension (0..3) whose distance to the point is strictly below the
// tolerance. Best first: the cells whose direction at the point's projection agrees with the
// given direction (a face's outward normal; an edge's tangent, either sense; every vertex and
// volume agrees) come before the others, nearest first within each group, then in the body's
// order. With useDirection 0, or a null direction, no cell is preferred for its direction.
//
// mode: 0 (every value behaves as 0). useDirection: 1 to prefer agreeing directions.
// cells, distances: set to new lists on success (the caller deletes both), each entry of
// distances the distance of the cell at the same index; a success may give empty lists.
// Both are set to null first, so that the caller may delete them on every path.
// agreements: when not null, emptied then filled with 1 (direction agrees) or 0 per cell.
// Returns 0 on success; KRO_E_FAIL for a null point or body, a body that is not a body of a
// document, a negative tolerance, a dimension outside 0..3 or a failure of the kernel.
KroResult GetCellsOnBodyFromPointByGeomReroute(int mode, double tolerance, short dimension,
                                               int useDirection, KroMathPoint* point,
                                               KroMathDirection* direction, KroBody* body,
                                               KroListPtrKroCell*& cells,
                                               KroRawColldouble*& distances,
                                               KroRawCollint* agreements);

// The first vertex in the body's order (the order of its cells of dimension 0) whose point lies
// strictly within the tolerance of the point, even when a later one is nearer: the answer of a
// walk over the body's vertices (KroBody::GetFirstVertexNear). A body of a document answers
// from its index: every vertex within the tolerance, then the lowest position. Returns 0 with
// the vertex set; KRO_E_FAIL, vertex untouched, when no vertex qualifies, for a null point or
// body, or a failure of the kernel.
KroResult GetFirstVertexOnBodyFromPoint(double tolerance, KroMathPoint* point, KroBody* body,
                                        KroCell_var& vertex);

#endif
