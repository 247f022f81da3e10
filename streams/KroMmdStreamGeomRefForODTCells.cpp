// Sub-element fields of KroMmdStreamGeomRefForODT: a vertex, edge, face or volume is written as
// a point on it and a direction there (the unit tangent of an edge, the unit normal of a face),
// and found again in its body by geometry, within 0.02 model units of the point.
#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroCurve.h"
#include "KroList.h"
#include "KroListPtrKroCell.h"
#include "KroMathVector.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroPoint.h"
#include "KroSoftwareConfiguration.h"
#include "KroSurface.h"
#include "KroSysBftier.h"
#include "KroVertex.h"
#include "KroVyxCreateDistanceMin.h"
#include "KroVyxDistanceMin.h"

namespace {
const char* const kWriteSubElemName = "KroMmdStreamGeomRefForODT::WriteSubElem";
const char* const kReadSubElemName = "KroMmdStreamGeomRefForODT::ReadSubElem";

// Largest distance, exclusive, at which a cell is found again from its point.
constexpr double kLocationTolerance = 0.02;
constexpr short kFaceDimension = 2;
constexpr short kVolumeDimension = 3;

// A new default configuration (one reference) for a distance operator, given back by the caller.
KroSoftwareConfiguration* NewConfiguration() { return new KroSoftwareConfiguration(); }

// The parameter of the point of the curve nearest to point; the default parameter when the
// curve has no factory or the projection cannot be made. Host errors raised while the operator
// is made or asked are discarded.
KroCrvParam NearestCurveParam(KroCurve* curve, const KroMathPoint& point) {
  KroCrvParam param;
  KroGeoFactory_var factory = curve->GetGeoFactory();
  KroSoftwareConfiguration* config = NewConfiguration();
  KroVyxDistanceMin* distance = nullptr;
  if (!!factory) {
    try {
      distance = KroVyxCreateDistanceMin(factory.get(), config, point, curve, 0);
      if (distance != nullptr && distance->GetCrvParam(param) != KRO_S_OK) param = KroCrvParam();
    } catch (...) {
      param = KroCrvParam();
    }
  }
  if (distance != nullptr) distance->Release();
  config->Release();
  return param;
}

// The same for a surface (flag 1: the face's own surface).
KroSurParam NearestSurfaceParam(KroSurface* surface, const KroMathPoint& point) {
  KroSurParam param;
  KroGeoFactory_var factory = surface->GetGeoFactory();
  KroSoftwareConfiguration* config = NewConfiguration();
  KroVyxDistanceMin* distance = nullptr;
  if (!!factory) {
    try {
      distance = KroVyxCreateDistanceMin(factory.get(), config, point, surface, 1, 0);
      if (distance != nullptr && distance->GetSurParam(param) != KRO_S_OK) param = KroSurParam();
    } catch (...) {
      param = KroSurParam();
    }
  }
  if (distance != nullptr) distance->Release();
  config->Release();
  return param;
}
}  // namespace

KroResult KroMmdStreamGeomRefForODT::WriteSubElem() {
  KroMathPoint point(0.0, 0.0, 0.0);
  KroMathDirection direction(1.0, 0.0, 0.0);

  KroTopology_var subElement;
  if (GetSubElem(subElement) != KRO_S_OK) {
    KroSysBftier(100, kWriteSubElemName, 0);
    return KRO_E_FAIL;
  }
  KroCell_var cell = subElement;
  if (!cell) {
    KroSysBftier(200, kWriteSubElemName, 0);
    return KRO_E_FAIL;
  }

  if (cell->GetDimension() != 0) {
    // A cell without a point (a degenerate edge may have none) cannot be found again: writing
    // the start point instead would name some other cell, or none.
    if (cell->GetPointOnCell(point) != KRO_S_OK) {
      KroSysBftier(400, kWriteSubElemName, 0);
      return KRO_E_FAIL;
    }
  } else {
    KroVertex_var vertex = subElement;
    if (!vertex) {
      KroSysBftier(300, kWriteSubElemName, 0);
      return KRO_E_FAIL;
    }
    KroPoint_var vertexPoint = vertex->GetPoint();
    if (!vertexPoint) {
      KroSysBftier(400, kWriteSubElemName, 0);
      return KRO_E_FAIL;
    }
    point = vertexPoint->GetModelPoint();
  }

  if (WritePoint(point) != KRO_S_OK) {
    KroSysBftier(500, kWriteSubElemName, 0);
    return KRO_E_FAIL;
  }
  if (GetDirection(cell, direction, point) != KRO_S_OK) {
    KroSysBftier(600, kWriteSubElemName, 0);
    return KRO_E_FAIL;
  }
  if (WriteDirection(direction) != KRO_S_OK) {
    KroSysBftier(700, kWriteSubElemName, 0);
    return KRO_E_FAIL;
  }
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::GetDirection(KroCell_var& cell, KroMathDirection& direction,
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
      const KroCrvParam param = NearestCurveParam(curve.get(), point);
      KroMathVector tangent;
      curve->EvalFirstDeriv(param, tangent);
      // Unit length kept as it is, zero gives (1, 0, 0), any other length is divided out.
      direction = KroMathDirection(tangent);
      break;
    }
    case 2: {
      KroSurface_var surface = cell->GetGeometry();
      if (!surface) break;
      const KroSurParam param = NearestSurfaceParam(surface.get(), point);
      surface->EvalNormal(param, direction);
      break;
    }
    default:
      break;
  }
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadSubElem(KroBody_var& body, MyGeoType type,
                                                 KroTopology_var& subElement) {
  subElement = nullptr;
  KroMathPoint point;
  KroMathDirection direction;
  if (ReadPoint(point) != KRO_S_OK) {
    KroSysBftier(100, kReadSubElemName, 0);
    return KRO_E_FAIL;
  }
  if (ReadDirection(direction) != KRO_S_OK) {
    KroSysBftier(200, kReadSubElemName, 0);
    return KRO_E_FAIL;
  }

  KroCell_var cell;
  if (type == Vrtx) {
    if (GetVertexOnBody(kLocationTolerance, point, body, cell) != KRO_S_OK) {
      KroSysBftier(900, kReadSubElemName, 0);
      return KRO_E_FAIL;
    }
  } else if (type == Vlme) {
    KroMathPoint secondPoint;
    KroMathDirection secondDirection;
    if (ReadPoint(secondPoint) != KRO_S_OK) {
      KroSysBftier(300, kReadSubElemName, 0);
      return KRO_E_FAIL;
    }
    if (ReadDirection(secondDirection) != KRO_S_OK) {
      KroSysBftier(400, kReadSubElemName, 0);
      return KRO_E_FAIL;
    }
    KroCell_var face1;
    if (GetBestCellsOnBodyFromPointByGeomReroute(0, kLocationTolerance, kFaceDimension, 1, &point,
                                                 &direction, body.get(), face1) != KRO_S_OK) {
      KroSysBftier(500, kReadSubElemName, 0);
      return KRO_E_FAIL;
    }
    KroCell_var face2;
    if (GetBestCellsOnBodyFromPointByGeomReroute(0, kLocationTolerance, kFaceDimension, 1,
                                                 &secondPoint, &secondDirection, body.get(),
                                                 face2) != KRO_S_OK) {
      KroSysBftier(600, kReadSubElemName, 0);
      return KRO_E_FAIL;
    }
    // Without both faces there is no volume to look for: success with no cell.
    if (!!face1 && !!face2 && GetVolumeCellFromFaces(body, face1, face2, cell) != KRO_S_OK) {
      KroSysBftier(700, kReadSubElemName, 0);
      return KRO_E_FAIL;
    }
  } else {
    if (GetBestCellsOnBodyFromPointByGeomReroute(0, kLocationTolerance, static_cast<short>(type), 1,
                                                 &point, &direction, body.get(),
                                                 cell) != KRO_S_OK) {
      KroSysBftier(800, kReadSubElemName, 0);
      return KRO_E_FAIL;
    }
  }
  subElement = cell;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::GetVertexOnBody(double tolerance, KroMathPoint& point,
                                                     KroBody_var& body, KroCell_var& vertex) {
  if (!body) return KRO_E_FAIL;
  // The first vertex in the body's order that is near enough wins, not the nearest one.
  KroCell_var found;
  if (GetFirstVertexOnBodyFromPoint(tolerance, &point, body.get(), found) != KRO_S_OK) {
    return KRO_E_FAIL;
  }
  vertex = found;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::GetVolumeCellFromFaces(KroBody_var body, KroCell_var face1,
                                                            KroCell_var face2,
                                                            KroCell_var& volume) {
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

KroResult KroMmdStreamGeomRefForODT::GetBestCellsOnBodyFromPointByGeomReroute(
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
