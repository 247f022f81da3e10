// KroBRepCell: one cell of a solid and the local geometry the cell search works with.
#include "KroBRepCell.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include "KroBRepEngine.h"
#include "KroBRepSolidImpl.h"

namespace {

std::string CurveTypeName(GeomAbs_CurveType type) {
  switch (type) {
    case GeomAbs_Line:
      return "Line";
    case GeomAbs_Circle:
      return "Circle";
    case GeomAbs_Ellipse:
      return "Ellipse";
    case GeomAbs_Hyperbola:
      return "Hyperbola";
    case GeomAbs_Parabola:
      return "Parabola";
    case GeomAbs_BezierCurve:
      return "BezierCurve";
    case GeomAbs_BSplineCurve:
      return "BSplineCurve";
    case GeomAbs_OffsetCurve:
      return "OffsetCurve";
    default:
      return "OtherCurve";
  }
}

std::string SurfaceTypeName(GeomAbs_SurfaceType type) {
  switch (type) {
    case GeomAbs_Plane:
      return "Plane";
    case GeomAbs_Cylinder:
      return "Cylinder";
    case GeomAbs_Cone:
      return "Cone";
    case GeomAbs_Sphere:
      return "Sphere";
    case GeomAbs_Torus:
      return "Torus";
    case GeomAbs_BezierSurface:
      return "BezierSurface";
    case GeomAbs_BSplineSurface:
      return "BSplineSurface";
    case GeomAbs_SurfaceOfRevolution:
      return "Revolution";
    case GeomAbs_SurfaceOfExtrusion:
      return "Extrusion";
    case GeomAbs_OffsetSurface:
      return "OffsetSurface";
    default:
      return "OtherSurface";
  }
}

KroBRepStatus NotAnEdge() {
  return KroBRepStatus::Failure(KroBRepCode::BadArgument, "not an edge");
}
KroBRepStatus NotAFace() { return KroBRepStatus::Failure(KroBRepCode::BadArgument, "not a face"); }
KroBRepStatus NoCurve() {
  return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "degenerate edge: no curve");
}

}  // namespace

std::uint32_t KroBRepCell::Tag() const {
  if (!_Solid) return 0;
  return _Solid->GetImpl().firstTag[_Dimension] + static_cast<std::uint32_t>(_Index);
}

std::string KroBRepCell::GeometryType() const {
  if (!_Solid) return "None";
  KroBRepSolidCells& cells = _Solid->GetImpl().cells;
  try {
    switch (_Dimension) {
      case 0:
        return "Point";
      case 1:
        return cells.EdgeHasCurve(_Index) ? CurveTypeName(cells.Curve(_Index).GetType()) : "None";
      case 2:
        return SurfaceTypeName(cells.Tools().SurfaceAdaptor(cells.Face(_Index)).GetType());
      default:
        return "Volume";
    }
  } catch (...) {
    return "None";
  }
}

bool KroBRepCell::HasGeometry() const {
  if (!_Solid) return false;
  try {
    return _Dimension != 1 || _Solid->GetImpl().cells.EdgeHasCurve(_Index);
  } catch (...) {
    return false;
  }
}

bool KroBRepCell::IsDegenerate() const {
  return _Solid && _Dimension == 1 && BRep_Tool::Degenerated(_Solid->GetImpl().cells.Edge(_Index));
}

bool KroBRepCell::IsSeam() const {
  if (!_Solid || _Dimension != 1) return false;
  try {
    return _Solid->GetImpl().cells.IsSeam(_Index);
  } catch (...) {
    return false;
  }
}

std::vector<KroBRepCell> KroBRepCell::SubCells(int dimension) const {
  std::vector<KroBRepCell> out;
  if (!_Solid || dimension < 0 || dimension >= _Dimension) return out;
  const KroBRepSolidCells& cells = _Solid->GetImpl().cells;
  try {
    TopTools_IndexedMapOfShape sub;
    TopExp::MapShapes(cells.Shape(_Dimension, _Index), KroBRepSolidCells::TypeOf(dimension), sub);
    for (int i = 1; i <= sub.Extent(); ++i) {
      const int k = cells.IndexOf(dimension, sub(i));
      if (k >= 0) out.push_back(KroBRepCell(_Solid, dimension, k));
    }
  } catch (...) {
    out.clear();
  }
  return out;
}

KroBRepStatus KroBRepCell::Point(KroBRepXYZ& point) const {
  if (!_Solid) return KroBRepStatus::Failure(KroBRepCode::BadArgument, "null cell");
  gp_Pnt p;
  const KroBRepCode code = _Solid->GetImpl().geometry.Point(_Dimension, _Index, p);
  if (code != KroBRepCode::Ok)
    return KroBRepStatus::Failure(code, "KroBRepCell::Point: no point found on the cell");
  point = KroBRepToXYZ(p.XYZ());
  return KroBRepStatus::Success();
}

KroBRepStatus KroBRepCell::DistanceTo(const KroBRepXYZ& point, double& distance) const {
  if (!_Solid) return KroBRepStatus::Failure(KroBRepCode::BadArgument, "null cell");
  KroBRepCellGeometry& geometry = _Solid->GetImpl().geometry;
  return KroBRepGuard("KroBRepCell::DistanceTo", [&] {
    distance = geometry.Distance(_Dimension, _Index, KroBRepToPnt(point), kKroBRepInfinity);
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::ParameterRange(double& first, double& last) const {
  if (!_Solid || _Dimension != 1) return NotAnEdge();
  KroBRepSolidCells& cells = _Solid->GetImpl().cells;
  return KroBRepGuard("KroBRepCell::ParameterRange", [&] {
    if (!cells.EdgeHasCurve(_Index)) return NoCurve();
    first = cells.Curve(_Index).FirstParameter();
    last = cells.Curve(_Index).LastParameter();
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::ProjectOnCurve(const KroBRepXYZ& point, double& parameter) const {
  if (!_Solid || _Dimension != 1) return NotAnEdge();
  KroBRepSolid::Impl& solid = _Solid->GetImpl();
  return KroBRepGuard("KroBRepCell::ProjectOnCurve", [&] {
    if (!solid.cells.EdgeHasCurve(_Index)) return NoCurve();
    solid.geometry.EdgeDistance(_Index, KroBRepToPnt(point), &parameter);
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::Tangent(double parameter, KroBRepXYZ& derivative) const {
  if (!_Solid || _Dimension != 1) return NotAnEdge();
  KroBRepSolidCells& cells = _Solid->GetImpl().cells;
  return KroBRepGuard("KroBRepCell::Tangent", [&] {
    if (!cells.EdgeHasCurve(_Index)) return NoCurve();
    gp_Pnt q;
    gp_Vec d1;
    cells.Curve(_Index).D1(parameter, q, d1);
    derivative = KroBRepToXYZ(d1.XYZ());
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::ProjectOnSurface(const KroBRepXYZ& point, double& u, double& v) const {
  if (!_Solid || _Dimension != 2) return NotAFace();
  KroBRepCellGeometry& geometry = _Solid->GetImpl().geometry;
  return KroBRepGuard("KroBRepCell::ProjectOnSurface", [&] {
    gp_Pnt2d uv;
    geometry.ProjectOnSurface(_Index, KroBRepToPnt(point), uv);
    u = uv.X();
    v = uv.Y();
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::Normal(double u, double v, KroBRepXYZ& normal) const {
  if (!_Solid || _Dimension != 2) return NotAFace();
  KroBRepCellGeometry& geometry = _Solid->GetImpl().geometry;
  return KroBRepGuard("KroBRepCell::Normal", [&] {
    gp_Dir n;
    if (!geometry.FaceNormal(_Index, u, v, n))
      return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "normal undefined at (u, v)");
    normal = KroBRepToXYZ(n.XYZ());
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::Direction(const KroBRepXYZ& point, KroBRepXYZ& direction) const {
  if (!_Solid) return KroBRepStatus::Failure(KroBRepCode::BadArgument, "null cell");
  if (_Dimension != 1 && _Dimension != 2)
    return KroBRepStatus::Failure(KroBRepCode::NoGeometry,
                                  "vertices and volumes have no direction");
  KroBRepCellGeometry& geometry = _Solid->GetImpl().geometry;
  return KroBRepGuard("KroBRepCell::Direction", [&] {
    gp_Dir d;
    if (!geometry.CellDirection(_Dimension, _Index, KroBRepToPnt(point), d))
      return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "no curve or normal at the point");
    direction = KroBRepToXYZ(d.XYZ());
    return KroBRepStatus::Success();
  });
}
