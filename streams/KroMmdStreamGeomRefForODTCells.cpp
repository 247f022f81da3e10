// Locating a sub-element of a compact geometric text (KroMmdGeomCursorForODT), shared by the link
// stream and the selector: a vertex, edge, face or volume is written as a point on it and a
// direction there (the unit tangent of an edge, the unit normal of a face), and found again in
// its body by geometry, within _LocationTolerance of the point.
#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroCurve.h"
#include "KroList.h"
#include "KroListPtrKroCell.h"
#include "KroMathVector.h"
#include "KroMmdGeomCursorForODT.h"
#include "KroPoint.h"
#include "KroSoftwareConfiguration.h"
#include "KroSurface.h"
#include "KroSysBftier.h"
#include "KroVertex.h"
#include "KroVyxCreateDistanceMin.h"
#include "KroVyxDistanceMin.h"

namespace {
constexpr short kFaceDimension = 2;
constexpr short kVolumeDimension = 3;

// The parameter of the point of a curve or surface nearest to point, from the host's
// minimum-distance operator (extra: the surface operator's flag); the default parameter when the
// geometry has no factory or the projection cannot be made. Host errors raised while the
// operator is made or asked are discarded.
template <class Param, class Geometry, class... Extra>
Param NearestParam(Geometry* geometry, const KroMathPoint& point,
                   KroResult (KroVyxDistanceMin::*getParam)(Param&) const, Extra... extra) {
  Param param;
  KroGeoFactory_var factory = geometry->GetGeoFactory();
  // A new default configuration (one reference), given back below.
  KroSoftwareConfiguration* config = new KroSoftwareConfiguration();
  KroVyxDistanceMin* distance = nullptr;
  if (!!factory) {
    try {
      distance = KroVyxCreateDistanceMin(factory.get(), config, point, geometry, extra..., 0);
      if (distance != nullptr && KroFailed((distance->*getParam)(param))) param = Param();
    } catch (...) {
      param = Param();
    }
  }
  if (distance != nullptr) distance->Release();
  config->Release();
  return param;
}
}  // namespace

KroResult KroMmdGeomCursorForODT::WriteCellFields(const KroTopology_var& subElement,
                                                  const char* name) {
  KroMathPoint point(0.0, 0.0, 0.0);
  KroMathDirection direction(1.0, 0.0, 0.0);
  KroCell_var cell = subElement;
  if (!cell) return KroSysFail(200, name);

  if (cell->GetDimension() != 0) {
    // A cell without a point (a degenerate edge may have none) cannot be found again: writing
    // the start point instead would name some other cell, or none.
    if (KroFailed(cell->GetPointOnCell(point))) return KroSysFail(400, name);
  } else {
    KroVertex_var vertex = subElement;
    if (!vertex) return KroSysFail(300, name);
    KroPoint_var vertexPoint = vertex->GetPoint();
    if (!vertexPoint) return KroSysFail(400, name);
    point = vertexPoint->GetModelPoint();
  }

  if (KroFailed(WritePoint(point))) return KroSysFail(500, name);
  if (KroFailed(GetDirection(cell, direction, point))) return KroSysFail(600, name);
  if (KroFailed(WriteDirection(direction))) return KroSysFail(700, name);
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::GetDirection(KroCell_var& cell, KroMathDirection& direction,
                                               KroMathPoint& point) {
  if (!cell) return KRO_S_OK;
  switch (cell->GetDimension()) {
    case 0:
      // Not used by the reader; a fixed direction, set component by component.
      direction.SetX(1.0);
      direction.SetY(1.0);
      direction.SetZ(1.0);
      break;
    case 1: {
      KroCurve_var curve = cell->GetGeometry();
      if (!curve) break;
      const KroCrvParam param = NearestParam(curve.get(), point, &KroVyxDistanceMin::GetCrvParam);
      KroMathVector tangent;
      curve->EvalFirstDeriv(param, tangent);
      // Unit length kept as it is, zero gives (1, 0, 0), any other length is divided out.
      direction = KroMathDirection(tangent);
      break;
    }
    case 2: {
      KroSurface_var surface = cell->GetGeometry();
      if (!surface) break;
      const KroSurParam param =
          NearestParam(surface.get(), point, &KroVyxDistanceMin::GetSurParam, 1);
      surface->EvalNormal(param, direction);
      break;
    }
    default:
      break;
  }
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::ReadCellFields(KroBody_var& body, short dimension, bool twoFaces,
                                                 const char* name, KroTopology_var& subElement) {
  subElement = nullptr;
  KroMathPoint point;
  KroMathDirection direction;
  if (KroFailed(ReadPoint(point))) return KroSysFail(100, name);
  if (KroFailed(ReadDirection(direction))) return KroSysFail(200, name);

  KroCell_var cell;
  if (twoFaces) {
    KroMathPoint secondPoint;
    KroMathDirection secondDirection;
    if (KroFailed(ReadPoint(secondPoint))) return KroSysFail(300, name);
    if (KroFailed(ReadDirection(secondDirection))) return KroSysFail(400, name);
    KroCell_var face1;
    if (KroFailed(GetBestCellsOnBodyFromPointByGeomReroute(0, _LocationTolerance, kFaceDimension, 1,
                                                           &point, &direction, body.get(), face1)))
      return KroSysFail(500, name);
    KroCell_var face2;
    if (KroFailed(GetBestCellsOnBodyFromPointByGeomReroute(0, _LocationTolerance, kFaceDimension, 1,
                                                           &secondPoint, &secondDirection,
                                                           body.get(), face2)))
      return KroSysFail(600, name);
    // Without both faces there is no volume to look for: success with no cell.
    if (!!face1 && !!face2 && KroFailed(GetVolumeCellFromFaces(body, face1, face2, cell)))
      return KroSysFail(700, name);
  } else if (dimension == 0) {
    if (KroFailed(GetVertexOnBody(_LocationTolerance, point, body, cell)))
      return KroSysFail(900, name);
  } else if (KroFailed(GetBestCellsOnBodyFromPointByGeomReroute(
                 0, _LocationTolerance, dimension, 1, &point, &direction, body.get(), cell))) {
    return KroSysFail(800, name);
  }
  subElement = cell;
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::GetVertexOnBody(double tolerance, KroMathPoint& point,
                                                  KroBody_var& body, KroCell_var& vertex) {
  if (!body) return KRO_E_FAIL;
  // The first vertex in the body's order that is near enough wins, not the nearest one.
  KroCell_var found;
  if (KroFailed(GetFirstVertexOnBodyFromPoint(tolerance, &point, body.get(), found)))
    return KRO_E_FAIL;
  vertex = found;
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::GetVolumeCellFromFaces(KroBody_var body, KroCell_var face1,
                                                         KroCell_var face2, KroCell_var& volume) {
  if (!face1 || !face2 || !body) return KRO_E_FAIL;
  KroListPtrKroCell volumes;
  body->GetAllCells(volumes, kVolumeDimension);
  if (volumes.Size() == 0) return KRO_E_FAIL;
  const unsigned int tag1 = face1->GetTag();
  const unsigned int tag2 = face2->GetTag();
  for (int index = 1; index <= volumes.Size(); ++index) {
    KroCell* candidate = volumes[index];
    if (candidate == nullptr) continue;
    KroListPtrKroCell faces;
    candidate->GetAllCells(faces, kFaceDimension);
    int count = 0;
    for (int face = 1; face <= faces.Size(); ++face) {
      if (faces[face] == nullptr) continue;
      const unsigned int tag = faces[face]->GetTag();
      if (tag == tag1 || tag == tag2) ++count;
      if (count == 2) {
        volume = candidate;
        return KRO_S_OK;
      }
    }
  }
  return KRO_E_FAIL;
}

KroResult KroMmdGeomCursorForODT::GetBestCellsOnBodyFromPointByGeomReroute(
    int mode, double tolerance, short dimension, int useDirection, KroMathPoint* point,
    KroMathDirection* direction, KroBody* body, KroCell_var& cell) {
  KroListPtrKroCell* cells = nullptr;
  KroRawColldouble* distances = nullptr;
  const KroResult rc = GetCellsOnBodyFromPointByGeomReroute(
      mode, tolerance, dimension, useDirection, point, direction, body, cells, distances, nullptr);
  if (cells != nullptr && cells->Size() > 0) cell = (*cells)[1];
  delete cells;
  delete distances;
  return rc == KRO_S_OK ? KRO_S_OK : KRO_E_FAIL;
}
