// Exact distances, projections, tangents, normals and the written points of a solid's cells.
#include "KroBRepCellGeometry.h"

#include <BOPTools_AlgoTools3D.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepClass3d_SolidClassifier.hxx>
#include <BRepLProp_SLProps.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <GeomAPI_ProjectPointOnCurve.hxx>
#include <GeomAPI_ProjectPointOnSurf.hxx>
#include <Precision.hxx>
#include <ShapeAnalysis_Surface.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Solid.hxx>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "KroBRepCellBoxes.h"
#include "KroBRepEngine.h"
#include "KroBRepFaceBoundary.h"
#include "KroBRepSolidCells.h"

KroBRepCellGeometry::KroBRepCellGeometry(KroBRepSolidCells& cells, KroBRepCellBoxes& boxes)
    : _Cells(cells), _Boxes(boxes) {
  for (int d = 0; d < 4; ++d) _Points[d].resize(cells.Count(d));
  _Faces.resize(cells.Count(2));
}

KroBRepCellGeometry::~KroBRepCellGeometry() = default;

// --- Faces ------------------------------------------------------------------------------------

KroBRepFaceClassifier& KroBRepCellGeometry::Classifier(int face) {
  FaceData& data = _Faces[face];
  if (!data.classifier)
    data.classifier = std::make_unique<KroBRepFaceClassifier>(_Cells.Face(face));
  return *data.classifier;
}

const std::vector<int>& KroBRepCellGeometry::FaceEdges(int face) {
  FaceData& data = _Faces[face];
  if (data.edgesListed) return data.edges;
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(_Cells.Face(face), TopAbs_EDGE, edges);
  for (int i = 1; i <= edges.Extent(); ++i) {
    const int k = _Cells.IndexOf(1, edges(i));
    if (k >= 0) data.edges.push_back(k);
  }
  std::sort(data.edges.begin(), data.edges.end());
  data.edgesListed = true;
  return data.edges;
}

// --- Exact distances --------------------------------------------------------------------------

double KroBRepCellGeometry::Distance(int dimension, int index, const gp_Pnt& p, double limit) {
  switch (dimension) {
    case 0:
      return p.Distance(_Cells.VertexPoint(index));
    case 1:
      return EdgeDistance(index, p, nullptr);
    case 2:
      return FaceDistance(index, p, limit, nullptr);
    default:
      return VolumeDistance(p, limit);
  }
}

double KroBRepCellGeometry::EdgeDistance(int edge, const gp_Pnt& p, double* param) {
  if (!_Cells.EdgeHasCurve(edge)) {
    if (param) *param = 0.0;
    return p.Distance(_Cells.DegenerateEdgePoint(edge));
  }
  const BRepAdaptor_Curve& curve = _Cells.Curve(edge);
  const double first = curve.FirstParameter(), last = curve.LastParameter();
  double best = p.Distance(curve.Value(first)), bestT = first;
  const double toLast = p.Distance(curve.Value(last));
  if (toLast < best) best = toLast, bestT = last;
  GeomAPI_ProjectPointOnCurve& projector = _Cells.Tools().ProjPC(_Cells.Edge(edge));
  projector.Perform(p);
  if (projector.NbPoints() > 0 && projector.LowerDistance() < best) {
    best = projector.LowerDistance();
    bestT = projector.LowerDistanceParameter();
  }
  if (param) *param = bestT;
  return best;
}

double KroBRepCellGeometry::FaceDistance(int face, const gp_Pnt& p, double limit, gp_Pnt2d* uv) {
  double best = kKroBRepInfinity;
  bool nearestInside = false;
  GeomAPI_ProjectPointOnSurf& projector = _Cells.Tools().ProjPS(_Cells.Face(face));
  projector.Perform(p);
  const int n = projector.IsDone() ? projector.NbPoints() : 0;
  if (n > 0) {
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return projector.Distance(a) < projector.Distance(b); });
    double u, v;
    projector.Parameters(order[0], u, v);
    if (uv) *uv = gp_Pnt2d(u, v);
    // The nearest surface point that lies on the face, as long as it is within the limit.
    for (std::size_t k = 0; k < order.size(); ++k) {
      const double d = projector.Distance(order[k]);
      if (d >= limit) break;
      projector.Parameters(order[k], u, v);
      if (Classify(face, gp_Pnt2d(u, v)) != TopAbs_OUT) {
        best = d;
        nearestInside = (k == 0);
        break;
      }
    }
  } else if (uv) {
    ShapeAnalysis_Surface analysis(BRep_Tool::Surface(_Cells.Face(face)));
    *uv = analysis.ValueOfUV(p, Precision::Confusion());
  }
  if (nearestInside) return best;
  // The nearest point of the face may lie on its boundary.
  const std::vector<Bnd_Box>& edgeBoxes = _Boxes.Boxes(1);
  const double reach = std::min(limit, best);
  for (int e : FaceEdges(face)) {
    if (std::isfinite(reach) && KroBRepBoxDistance2(edgeBoxes[e], p) > reach * reach) continue;
    best = std::min(best, EdgeDistance(e, p, nullptr));
  }
  return best;
}

bool KroBRepCellGeometry::_Inside(const gp_Pnt& p, double tolerance) {
  BRepClass3d_SolidClassifier& classifier =
      _Cells.Tools().SolidClassifier(TopoDS::Solid(_Cells.Solid()));
  classifier.Perform(p, tolerance);
  const TopAbs_State state = classifier.State();
  return state == TopAbs_IN || state == TopAbs_ON;
}

double KroBRepCellGeometry::VolumeDistance(const gp_Pnt& p, double limit) {
  if (_Inside(p, Precision::Confusion())) return 0.0;
  const std::vector<Bnd_Box>& faceBoxes = _Boxes.Boxes(2);
  double best = kKroBRepInfinity;
  for (int f = 0; f < _Cells.Count(2); ++f) {
    const double reach = std::min(limit, best);
    if (std::isfinite(reach) && KroBRepBoxDistance2(faceBoxes[f], p) > reach * reach) continue;
    best = std::min(best, FaceDistance(f, p, reach, nullptr));
  }
  return best;
}

// --- Local geometry ---------------------------------------------------------------------------

void KroBRepCellGeometry::ProjectOnSurface(int face, const gp_Pnt& p, gp_Pnt2d& uv) {
  GeomAPI_ProjectPointOnSurf& projector = _Cells.Tools().ProjPS(_Cells.Face(face));
  projector.Perform(p);
  if (projector.IsDone() && projector.NbPoints() > 0) {
    double u, v;
    projector.LowerDistanceParameters(u, v);
    uv.SetCoord(u, v);
    return;
  }
  ShapeAnalysis_Surface analysis(BRep_Tool::Surface(_Cells.Face(face)));
  uv = analysis.ValueOfUV(p, Precision::Confusion());
}

bool KroBRepCellGeometry::FaceNormal(int face, double u, double v, gp_Dir& normal) {
  const TopoDS_Face& f = _Cells.Face(face);
  BRepAdaptor_Surface& surface = _Cells.Tools().SurfaceAdaptor(f);
  BRepLProp_SLProps props(surface, u, v, 1, Precision::Confusion());
  if (!props.IsNormalDefined()) {
    // Singular point (apex, pole): take the normal a little towards the middle of the face.
    double u0, u1, v0, v1;
    Classifier(face).Bounds(u0, u1, v0, v1);
    const double uu = u + 1e-6 * (0.5 * (u0 + u1) - u), vv = v + 1e-6 * (0.5 * (v0 + v1) - v);
    props.SetParameters(uu, vv);
    if (!props.IsNormalDefined()) return false;
  }
  normal = props.Normal();
  if (f.Orientation() == TopAbs_REVERSED) normal.Reverse();
  return true;
}

bool KroBRepCellGeometry::CellDirection(int dimension, int index, const gp_Pnt& p,
                                        gp_Dir& direction) {
  if (dimension == 1) {
    if (!_Cells.EdgeHasCurve(index)) return false;
    double t = 0;
    EdgeDistance(index, p, &t);
    gp_Pnt q;
    gp_Vec d1;
    _Cells.Curve(index).D1(t, q, d1);
    if (d1.Magnitude() <= gp::Resolution()) return false;
    direction = gp_Dir(d1);
    return true;
  }
  if (dimension == 2) {
    gp_Pnt2d uv;
    ProjectOnSurface(index, p, uv);
    return FaceNormal(index, uv.X(), uv.Y(), direction);
  }
  return false;
}

// --- Points of cells --------------------------------------------------------------------------

KroBRepCode KroBRepCellGeometry::Point(int dimension, int index, gp_Pnt& point) {
  CachedPoint& cached = _Points[dimension][index];
  if (!cached.done) _ComputePoint(dimension, index);
  if (cached.code == KroBRepCode::Ok) point = cached.point;
  return cached.code;
}

void KroBRepCellGeometry::_ComputePoint(int dimension, int index) {
  CachedPoint& cached = _Points[dimension][index];
  cached.done = true;
  cached.code = KroBRepCode::Ok;
  try {
    switch (dimension) {
      case 0:
        cached.point = _Cells.VertexPoint(index);
        break;
      case 1:
        if (!_Cells.EdgeHasCurve(index)) {
          cached.point = _Cells.DegenerateEdgePoint(index);
        } else {
          const BRepAdaptor_Curve& curve = _Cells.Curve(index);
          cached.point = curve.Value(0.5 * (curve.FirstParameter() + curve.LastParameter()));
        }
        break;
      case 2:
        cached.point = _FaceInteriorPoint(index);
        break;
      default:
        cached.point = _VolumeInteriorPoint();
        break;
    }
  } catch (...) {
    cached.code = KroBRepCode::Failed;
  }
}

// A point well inside the face: the sample of a UV grid inside the face that lies farthest from
// the face's boundary (measured on points spread along its edges), refined once. The distance
// to the boundary comes from KroBRepFaceBoundary, which gives exactly the minimum a walk over
// those points gives, so the time does not grow with the number of holes times the samples.
gp_Pnt KroBRepCellGeometry::_FaceInteriorPoint(int face) {
  const TopoDS_Face& f = _Cells.Face(face);
  double u0, u1, v0, v1;
  Classifier(face).Bounds(u0, u1, v0, v1);
  BRepAdaptor_Surface& surface = _Cells.Tools().SurfaceAdaptor(f);
  KroBRepFaceBoundary boundary(_Cells, FaceEdges(face));
  double bestScore = -1.0;
  gp_Pnt2d bestUV;
  gp_Pnt bestP;
  // Near-ties (symmetric faces) go to the first sample, so that the choice does not hang on
  // rounding noise.
  auto bar = [&] { return bestScore * (1.0 + 1e-6) + 1e-18; };
  auto better = [&](double score) { return score > bar(); };
  auto consider = [&](double u, double v) {
    if (u < u0 || u > u1 || v < v0 || v > v1) return;
    const gp_Pnt2d uv(u, v);
    // A sample that would not beat the best one needs no classification (the costly step):
    // the choice is that of classifying every sample first. Where the surface cannot be
    // evaluated, classify first as well, so that the engine's failure stays where it was.
    gp_Pnt q;
    double score = 0.0;
    bool measured = true;
    try {
      q = surface.Value(u, v);
      // Exact when it beats the bar; otherwise any distance at or below it will do.
      score = boundary.NearestSquareDistance(q, bar());
    } catch (const Standard_Failure&) {
      measured = false;
    }
    if (measured && !better(score)) return;
    if (Classify(face, uv) != TopAbs_IN) return;
    if (!measured) {
      q = surface.Value(u, v);
      score = boundary.NearestSquareDistance(q);
    }
    if (better(score)) bestScore = score, bestUV = uv, bestP = q;
  };
  const int n = 16;
  const double du = (u1 - u0) / n, dv = (v1 - v0) / n;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) consider(u0 + (i + 0.5) * du, v0 + (j + 0.5) * dv);
  if (bestScore >= 0.0) {
    const gp_Pnt2d centre = bestUV;
    const int m = 4;
    for (int i = -m; i <= m; ++i)
      for (int j = -m; j <= m; ++j)
        if (i != 0 || j != 0)
          consider(centre.X() + i * du / (2 * m), centre.Y() + j * dv / (2 * m));
    return bestP;
  }
  // A face too thin for the grid: let the engine find a point by hatching.
  gp_Pnt p;
  gp_Pnt2d uv;
  if (BOPTools_AlgoTools3D::PointInFace(f, p, uv, _Cells.ToolsHandle()) == 0) return p;
  return surface.Value(0.5 * (u0 + u1), 0.5 * (v0 + v1));
}

gp_Pnt KroBRepCellGeometry::_VolumeInteriorPoint() {
  const Bnd_Box& box = _Boxes.Box(3, 0);
  const double diagonal = box.IsVoid() ? 1.0 : std::sqrt(box.SquareExtent());
  for (double step : {1e-2, 1e-3, 1e-4, 1e-5}) {
    for (int f = 0; f < _Cells.Count(2); ++f) {
      gp_Pnt onFace;
      if (Point(2, f, onFace) != KroBRepCode::Ok) continue;
      gp_Dir normal;
      gp_Pnt2d uv;
      ProjectOnSurface(f, onFace, uv);
      if (!FaceNormal(f, uv.X(), uv.Y(), normal)) continue;
      const gp_Pnt q = onFace.Translated(gp_Vec(normal) * (-step * diagonal));
      BRepClass3d_SolidClassifier& classifier =
          _Cells.Tools().SolidClassifier(TopoDS::Solid(_Cells.Solid()));
      classifier.Perform(q, Precision::Confusion());
      if (classifier.State() == TopAbs_IN) return q;
    }
  }
  throw std::runtime_error("no point found inside the solid");
}

void KroBRepCellGeometry::Warm() {
  for (int e = 0; e < _Cells.Count(1); ++e)
    if (_Cells.EdgeHasCurve(e)) {
      _Cells.Tools().ProjPC(_Cells.Edge(e));
      _Cells.Curve(e);
    }
  for (int f = 0; f < _Cells.Count(2); ++f) {
    _Cells.Tools().ProjPS(_Cells.Face(f));
    Classifier(f);
    FaceEdges(f);
  }
}
