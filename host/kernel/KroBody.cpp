// The body's default vertex lookup: a walk over its vertices in order.
#include "KroBody.h"

#include "KroCell.h"
#include "KroListPtrKroCell.h"
#include "KroMathPoint.h"
#include "KroPoint.h"
#include "KroVertex.h"

KroResult KroBody::GetFirstVertexNear(double tolerance, const KroMathPoint& point,
                                      KroCell_var& vertex) const {
  KroListPtrKroCell vertices;
  GetAllCells(vertices, 0);
  for (int index = 1; index <= vertices.Size(); ++index) {
    KroVertex_var candidate = vertices[index];
    if (!candidate) continue;
    KroPoint_var at = candidate->GetPoint();
    if (!!at && at->GetModelPoint().DistanceTo(point) < tolerance) {
      vertex = candidate;
      return KRO_S_OK;
    }
  }
  return KRO_E_FAIL;
}
