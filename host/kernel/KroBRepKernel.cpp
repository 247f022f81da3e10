// KroBRepKernel.cpp
//
// The B-rep kernel on the geometric engine: models (STEP/BREP reading, built-in parts, tags),
// solids (cells, cached projectors and classifiers, the bounding-volume index and the cell
// search) and cells (points, projections, tangents, normals).
#include "KroBRepCell.h"
#include "KroBRepModel.h"
#include "KroBRepSolid.h"

#include <BOPTools_AlgoTools3D.hxx>
#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepClass3d_SolidClassifier.hxx>
#include <BRepLProp_SLProps.hxx>
#include <BRepTools.hxx>
#include <BRepTopAdaptor_FClass2d.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <BVH_BoxSet.hxx>
#include <Bnd_Box.hxx>
#include <Bnd_Box2d.hxx>
#include <GeomAPI_ProjectPointOnCurve.hxx>
#include <GeomAPI_ProjectPointOnSurf.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IntTools_Context.hxx>
#include <Interface_InterfaceModel.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Precision.hxx>
#include <STEPControl_Reader.hxx>
#include <ShapeAnalysis_Surface.hxx>
#include <Standard_Failure.hxx>
#include <StepBasic_Product.hxx>
#include <StepBasic_ProductDefinition.hxx>
#include <StepBasic_ProductDefinitionFormation.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <Transfer_TransientProcess.hxx>
#include <TransferBRep.hxx>
#include <XSControl_TransferReader.hxx>
#include <XSControl_WorkSession.hxx>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

// Shapes of the built-in parts (KroBRepParts.cpp).
namespace kro_brep_parts {
void SamplePart(std::vector<TopoDS_Shape>& solids, std::vector<KroBRepFeature>& features);
TopoDS_Shape Box(double dx, double dy, double dz);
TopoDS_Shape HoledPlate(int rows, int cols, bool filleted);
TopoDS_Shape FilletedPlate();
TopoDS_Shape PlateVersion(int version);
TopoDS_Shape Sphere(double radius);
TopoDS_Shape Cylinder(double radius, double height);
}  // namespace kro_brep_parts

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

gp_Pnt ToPnt(const KroBRepXYZ& p) { return gp_Pnt(p.x, p.y, p.z); }
KroBRepXYZ ToXYZ(const gp_XYZ& p) { return {p.X(), p.Y(), p.Z()}; }

std::string FailureText(const Standard_Failure& f) {
  const char* m = f.GetMessageString();
  std::string s = f.DynamicType()->Name();
  if (m != nullptr && *m != '\0') s += std::string(": ") + m;
  return s;
}

// Runs fn, turning any exception of the engine into a failing status.
template <class Fn>
KroBRepStatus Guard(const char* where, Fn&& fn) {
  try {
    return fn();
  } catch (const Standard_Failure& f) {
    return KroBRepStatus::Failure(KroBRepCode::Failed, std::string(where) + ": " + FailureText(f));
  } catch (const std::exception& e) {
    return KroBRepStatus::Failure(KroBRepCode::Failed, std::string(where) + ": " + e.what());
  } catch (...) {
    return KroBRepStatus::Failure(KroBRepCode::Failed, std::string(where) + ": unknown error");
  }
}

double BoxDistance2(const Bnd_Box& b, const gp_Pnt& p) {
  if (b.IsVoid()) return kInf;
  double x0, y0, z0, x1, y1, z1;
  b.Get(x0, y0, z0, x1, y1, z1);
  auto axis = [](double v, double lo, double hi) {
    return v < lo ? lo - v : (v > hi ? v - hi : 0.0);
  };
  const double dx = axis(p.X(), x0, x1), dy = axis(p.Y(), y0, y1), dz = axis(p.Z(), z0, z1);
  return dx * dx + dy * dy + dz * dz;
}

std::string CurveTypeName(GeomAbs_CurveType t) {
  switch (t) {
    case GeomAbs_Line: return "Line";
    case GeomAbs_Circle: return "Circle";
    case GeomAbs_Ellipse: return "Ellipse";
    case GeomAbs_Hyperbola: return "Hyperbola";
    case GeomAbs_Parabola: return "Parabola";
    case GeomAbs_BezierCurve: return "BezierCurve";
    case GeomAbs_BSplineCurve: return "BSplineCurve";
    case GeomAbs_OffsetCurve: return "OffsetCurve";
    default: return "OtherCurve";
  }
}

std::string SurfaceTypeName(GeomAbs_SurfaceType t) {
  switch (t) {
    case GeomAbs_Plane: return "Plane";
    case GeomAbs_Cylinder: return "Cylinder";
    case GeomAbs_Cone: return "Cone";
    case GeomAbs_Sphere: return "Sphere";
    case GeomAbs_Torus: return "Torus";
    case GeomAbs_BezierSurface: return "BezierSurface";
    case GeomAbs_BSplineSurface: return "BSplineSurface";
    case GeomAbs_SurfaceOfRevolution: return "Revolution";
    case GeomAbs_SurfaceOfExtrusion: return "Extrusion";
    case GeomAbs_OffsetSurface: return "OffsetSurface";
    default: return "OtherSurface";
  }
}

// Faces with more wires than this are classified wire by wire behind a 2D box test.
constexpr int kWholeFaceClassifierMaxWires = 8;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Solid data
// ---------------------------------------------------------------------------------------------

struct KroBRepSolid::Impl {
  const KroBRepModel* model = nullptr;
  int index = 0;
  std::string name;
  std::uint32_t tag = 0;
  std::uint32_t firstTag[4] = {0, 0, 0, 0};  // tag of the first cell of each dimension
  TopoDS_Shape shape;                          // the solid
  TopTools_IndexedMapOfShape cells[4];         // [3] holds the solid itself

  Handle(IntTools_Context) ctx;

  // Caches (filled lazily).
  struct PointCache {
    bool done = false;
    KroBRepCode code = KroBRepCode::Ok;
    gp_Pnt point;
  };
  std::vector<PointCache> points[4];
  std::vector<Handle(BRepAdaptor_Curve)> curves;
  std::vector<signed char> seam;  // empty until computed

  struct InnerWire {
    Bnd_Box2d box;
    TopoDS_Wire wire;
    std::unique_ptr<BRepTopAdaptor_FClass2d> classifier;  // built on first need
  };
  struct FaceData {
    bool ready = false;
    TopoDS_Face forward;
    double tolUV = 1e-7;
    std::vector<int> edges;  // sorted indices of the face's edges in cells[1]
    std::unique_ptr<BRepTopAdaptor_FClass2d> whole;
    std::unique_ptr<BRepTopAdaptor_FClass2d> outer;
    std::vector<InnerWire> inners;
  };
  std::vector<FaceData> faces;

  // Index.
  bool boxesReady = false;
  std::vector<Bnd_Box> boxes[4];
  bool indexed = false;
  opencascade::handle<BVH_BoxSet<Standard_Real, 3, Standard_Integer>> sets[3];
  double indexSeconds = 0.0;
  std::uint64_t exactTests = 0;

  // Scratch buffers of the search, kept to spare allocations on every lookup.
  struct Hit {
    int index;
    double dist;
    bool agrees;
  };
  std::vector<int> scratchCandidates;
  std::vector<Hit> scratchHits;

  // --- helpers -----------------------------------------------------------------------------

  bool ValidDim(int d) const { return d >= 0 && d <= 3; }
  int Count(int d) const { return ValidDim(d) ? cells[d].Extent() : 0; }
  const TopoDS_Shape& Shape(int d, int i) const { return cells[d].FindKey(i + 1); }
  const TopoDS_Edge& Edge(int i) const { return TopoDS::Edge(Shape(1, i)); }
  const TopoDS_Face& Face(int i) const { return TopoDS::Face(Shape(2, i)); }

  static int DimOf(TopAbs_ShapeEnum t) {
    switch (t) {
      case TopAbs_VERTEX: return 0;
      case TopAbs_EDGE: return 1;
      case TopAbs_FACE: return 2;
      default: return 3;
    }
  }
  static TopAbs_ShapeEnum TypeOf(int d) {
    static const TopAbs_ShapeEnum types[4] = {TopAbs_VERTEX, TopAbs_EDGE, TopAbs_FACE,
                                              TopAbs_SOLID};
    return types[d];
  }

  void Init(const TopoDS_Shape& s) {
    shape = s;
    for (int d = 0; d < 3; ++d) TopExp::MapShapes(s, TypeOf(d), cells[d]);
    cells[3].Add(s);
    for (int d = 0; d < 4; ++d) {
      points[d].resize(cells[d].Extent());
      boxes[d].clear();
    }
    curves.resize(cells[1].Extent());
    faces.resize(cells[2].Extent());
    ctx = new IntTools_Context;
  }

  bool EdgeHasCurve(int e) const {
    const TopoDS_Edge& edge = Edge(e);
    if (BRep_Tool::Degenerated(edge)) return false;
    double f, l;
    return !BRep_Tool::Curve(edge, f, l).IsNull();
  }

  const BRepAdaptor_Curve& Curve(int e) {
    if (curves[e].IsNull()) curves[e] = new BRepAdaptor_Curve(Edge(e));
    return *curves[e];
  }

  gp_Pnt VertexPoint(int v) const { return BRep_Tool::Pnt(TopoDS::Vertex(Shape(0, v))); }

  gp_Pnt DegenerateEdgePoint(int e) const {
    TopoDS_Vertex v1, v2;
    TopExp::Vertices(Edge(e), v1, v2);
    if (!v1.IsNull()) return BRep_Tool::Pnt(v1);
    if (!v2.IsNull()) return BRep_Tool::Pnt(v2);
    throw std::runtime_error("degenerate edge without vertices");
  }

  void EnsureSeams() {
    if (!seam.empty() || cells[1].Extent() == 0) return;
    seam.assign(cells[1].Extent(), 0);
    for (int f = 0; f < Count(2); ++f)
      for (TopExp_Explorer it(Face(f), TopAbs_EDGE); it.More(); it.Next()) {
        const TopoDS_Edge& e = TopoDS::Edge(it.Current());
        if (BRep_Tool::IsClosed(e, Face(f))) {
          const int i = cells[1].FindIndex(e);
          if (i > 0) seam[i - 1] = 1;
        }
      }
  }

  FaceData& Face2(int f) {
    FaceData& fd = faces[f];
    if (fd.ready) return fd;
    fd.forward = TopoDS::Face(Face(f).Oriented(TopAbs_FORWARD));
    fd.tolUV = std::max(BRep_Tool::Tolerance(fd.forward), Precision::PConfusion());
    TopTools_IndexedMapOfShape edges;
    TopExp::MapShapes(fd.forward, TopAbs_EDGE, edges);
    for (int i = 1; i <= edges.Extent(); ++i) {
      const int k = cells[1].FindIndex(edges(i));
      if (k > 0) fd.edges.push_back(k - 1);
    }
    std::sort(fd.edges.begin(), fd.edges.end());
    int wires = 0;
    for (TopExp_Explorer it(fd.forward, TopAbs_WIRE); it.More(); it.Next()) ++wires;
    if (wires > kWholeFaceClassifierMaxWires) {
      const TopoDS_Wire outer = BRepTools::OuterWire(fd.forward);
      BRep_Builder bb;
      TopoDS_Face outerFace = TopoDS::Face(fd.forward.EmptyCopied());
      bb.Add(outerFace, outer);
      fd.outer = std::make_unique<BRepTopAdaptor_FClass2d>(outerFace, fd.tolUV);
      for (TopExp_Explorer it(fd.forward, TopAbs_WIRE); it.More(); it.Next()) {
        const TopoDS_Wire& w = TopoDS::Wire(it.Current());
        if (w.IsSame(outer)) continue;
        InnerWire iw;
        iw.wire = w;
        BRepTools::AddUVBounds(fd.forward, w, iw.box);
        iw.box.Enlarge(fd.tolUV);
        fd.inners.push_back(std::move(iw));
      }
    }
    fd.ready = true;
    return fd;
  }

  // State of (u, v) relative to the face: IN, ON (boundary) or OUT.
  TopAbs_State Classify(int f, const gp_Pnt2d& uv) {
    FaceData& fd = Face2(f);
    if (!fd.outer) {
      if (!fd.whole) fd.whole = std::make_unique<BRepTopAdaptor_FClass2d>(fd.forward, fd.tolUV);
      return fd.whole->Perform(uv);
    }
    TopAbs_State s = fd.outer->Perform(uv);
    if (s == TopAbs_OUT) return s;
    for (InnerWire& iw : fd.inners) {
      if (iw.box.IsOut(uv)) continue;
      if (!iw.classifier) {
        // The hole on its own, as a bounded region: IN there means out of the face.
        BRep_Builder bb;
        TopoDS_Face hole = TopoDS::Face(fd.forward.EmptyCopied());
        bb.Add(hole, iw.wire.Reversed());
        iw.classifier = std::make_unique<BRepTopAdaptor_FClass2d>(hole, fd.tolUV);
      }
      const TopAbs_State h = iw.classifier->Perform(uv);
      if (h == TopAbs_IN) return TopAbs_OUT;
      if (h == TopAbs_ON) s = TopAbs_ON;
    }
    return s;
  }

  void EnsureBoxes() {
    if (boxesReady) return;
    for (int d = 0; d < 4; ++d) {
      boxes[d].assign(Count(d), Bnd_Box());
      for (int i = 0; i < Count(d); ++i) {
        Bnd_Box& b = boxes[d][i];
        if (d == 1 && !EdgeHasCurve(i)) {
          b.Add(DegenerateEdgePoint(i));
          b.SetGap(BRep_Tool::Tolerance(Edge(i)));
        } else {
          BRepBndLib::Add(Shape(d, i), b, false);
        }
      }
    }
    boxesReady = true;
  }

  // --- exact distances ---------------------------------------------------------------------

  // Exact distance from p to edge e, with the curve parameter of the nearest point.
  double EdgeDistance(int e, const gp_Pnt& p, double* param) {
    if (!EdgeHasCurve(e)) {
      if (param) *param = 0.0;
      return p.Distance(DegenerateEdgePoint(e));
    }
    const BRepAdaptor_Curve& c = Curve(e);
    const double f = c.FirstParameter(), l = c.LastParameter();
    double best = p.Distance(c.Value(f)), bestT = f;
    const double dl = p.Distance(c.Value(l));
    if (dl < best) best = dl, bestT = l;
    GeomAPI_ProjectPointOnCurve& proj = ctx->ProjPC(Edge(e));
    proj.Perform(p);
    if (proj.NbPoints() > 0 && proj.LowerDistance() < best) {
      best = proj.LowerDistance();
      bestT = proj.LowerDistanceParameter();
    }
    if (param) *param = bestT;
    return best;
  }

  // Exact distance from p to face f (as far as it is below limit; boundary edges farther than
  // limit are not looked at), with the surface parameters of the nearest surface point.
  double FaceDistance(int f, const gp_Pnt& p, double limit, gp_Pnt2d* uvOut) {
    double best = kInf;
    bool nearestInside = false;
    GeomAPI_ProjectPointOnSurf& proj = ctx->ProjPS(Face(f));
    proj.Perform(p);
    const int n = proj.IsDone() ? proj.NbPoints() : 0;
    if (n > 0) {
      std::vector<int> order(n);
      std::iota(order.begin(), order.end(), 1);
      std::sort(order.begin(), order.end(),
                [&](int a, int b) { return proj.Distance(a) < proj.Distance(b); });
      double u, v;
      proj.Parameters(order[0], u, v);
      if (uvOut) *uvOut = gp_Pnt2d(u, v);
      for (std::size_t k = 0; k < order.size(); ++k) {
        const double d = proj.Distance(order[k]);
        if (d >= limit) break;
        proj.Parameters(order[k], u, v);
        if (Classify(f, gp_Pnt2d(u, v)) != TopAbs_OUT) {
          best = d;
          nearestInside = (k == 0);
          break;
        }
      }
    } else if (uvOut) {
      ShapeAnalysis_Surface sas(BRep_Tool::Surface(Face(f)));
      *uvOut = sas.ValueOfUV(p, Precision::Confusion());
    }
    if (nearestInside) return best;
    // The nearest point of the face may lie on its boundary.
    FaceData& fd = Face2(f);
    EnsureBoxes();
    const double lim = std::min(limit, best);
    for (int e : fd.edges) {
      if (std::isfinite(lim) && BoxDistance2(boxes[1][e], p) > lim * lim) continue;
      best = std::min(best, EdgeDistance(e, p, nullptr));
    }
    return best;
  }

  bool PointInside(const gp_Pnt& p, double tol) {
    BRepClass3d_SolidClassifier& sc = ctx->SolidClassifier(TopoDS::Solid(shape));
    sc.Perform(p, tol);
    const TopAbs_State s = sc.State();
    return s == TopAbs_IN || s == TopAbs_ON;
  }

  double VolumeDistance(const gp_Pnt& p, double limit) {
    if (PointInside(p, Precision::Confusion())) return 0.0;
    EnsureBoxes();
    double best = kInf;
    for (int f = 0; f < Count(2); ++f) {
      const double lim = std::min(limit, best);
      if (std::isfinite(lim) && BoxDistance2(boxes[2][f], p) > lim * lim) continue;
      best = std::min(best, FaceDistance(f, p, lim, nullptr));
    }
    return best;
  }

  // --- local geometry ----------------------------------------------------------------------

  bool FaceNormal(int f, double u, double v, gp_Dir& n) {
    BRepAdaptor_Surface& s = ctx->SurfaceAdaptor(Face(f));
    BRepLProp_SLProps props(s, u, v, 1, Precision::Confusion());
    if (!props.IsNormalDefined()) {
      // Singular point (apex, pole): take the normal a little towards the middle of the face.
      double u0, u1, v0, v1;
      BRepTools::UVBounds(Face(f), u0, u1, v0, v1);
      const double uu = u + 1e-6 * (0.5 * (u0 + u1) - u), vv = v + 1e-6 * (0.5 * (v0 + v1) - v);
      props.SetParameters(uu, vv);
      if (!props.IsNormalDefined()) return false;
    }
    n = props.Normal();
    if (Face(f).Orientation() == TopAbs_REVERSED) n.Reverse();
    return true;
  }

  // Direction of edge e / face f at the projection of p (unit tangent / outward unit normal).
  bool CellDirection(int d, int i, const gp_Pnt& p, gp_Dir& dir) {
    if (d == 1) {
      if (!EdgeHasCurve(i)) return false;
      double t = 0;
      EdgeDistance(i, p, &t);
      gp_Pnt q;
      gp_Vec d1;
      Curve(i).D1(t, q, d1);
      if (d1.Magnitude() <= gp::Resolution()) return false;
      dir = gp_Dir(d1);
      return true;
    }
    if (d == 2) {
      gp_Pnt2d uv;
      if (!ProjectOnSurface(i, p, uv)) return false;
      return FaceNormal(i, uv.X(), uv.Y(), dir);
    }
    return false;
  }

  bool ProjectOnSurface(int f, const gp_Pnt& p, gp_Pnt2d& uv) {
    GeomAPI_ProjectPointOnSurf& proj = ctx->ProjPS(Face(f));
    proj.Perform(p);
    if (proj.IsDone() && proj.NbPoints() > 0) {
      double u, v;
      proj.LowerDistanceParameters(u, v);
      uv.SetCoord(u, v);
      return true;
    }
    ShapeAnalysis_Surface sas(BRep_Tool::Surface(Face(f)));
    uv = sas.ValueOfUV(p, Precision::Confusion());
    return true;
  }

  // A point well inside face f: the sample of a UV grid inside the face that lies farthest from
  // the face's boundary (measured on points spread along its edges), refined once.
  gp_Pnt FaceInteriorPoint(int f) {
    const TopoDS_Face& face = Face(f);
    double u0, u1, v0, v1;
    BRepTools::UVBounds(face, u0, u1, v0, v1);
    BRepAdaptor_Surface& surf = ctx->SurfaceAdaptor(face);
    FaceData& fd = Face2(f);
    std::vector<gp_Pnt> boundary;
    for (int e : fd.edges) {
      if (!EdgeHasCurve(e)) {
        boundary.push_back(DegenerateEdgePoint(e));
        continue;
      }
      const BRepAdaptor_Curve& c = Curve(e);
      const double a = c.FirstParameter(), b = c.LastParameter();
      const int n = 24;
      for (int k = 0; k <= n; ++k) boundary.push_back(c.Value(a + (b - a) * k / n));
    }
    auto clearance = [&](const gp_Pnt& q) {
      double m = kInf;
      for (const gp_Pnt& b : boundary) m = std::min(m, q.SquareDistance(b));
      return m;
    };
    double bestScore = -1.0;
    gp_Pnt2d bestUV;
    gp_Pnt bestP;
    auto consider = [&](double u, double v) {
      if (u < u0 || u > u1 || v < v0 || v > v1) return;
      const gp_Pnt2d uv(u, v);
      if (Classify(f, uv) != TopAbs_IN) return;
      const gp_Pnt q = surf.Value(u, v);
      const double s = clearance(q);
      // Near-ties (symmetric faces) go to the first sample, so that the choice does not hang
      // on rounding noise.
      if (s > bestScore * (1.0 + 1e-6) + 1e-18) bestScore = s, bestUV = uv, bestP = q;
    };
    const int n = 16;
    const double du = (u1 - u0) / n, dv = (v1 - v0) / n;
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) consider(u0 + (i + 0.5) * du, v0 + (j + 0.5) * dv);
    if (bestScore >= 0.0) {
      const gp_Pnt2d c = bestUV;
      const int m = 4;
      for (int i = -m; i <= m; ++i)
        for (int j = -m; j <= m; ++j)
          if (i != 0 || j != 0) consider(c.X() + i * du / (2 * m), c.Y() + j * dv / (2 * m));
      return bestP;
    }
    // A face too thin for the grid: let the engine find a point by hatching.
    gp_Pnt p;
    gp_Pnt2d uv;
    if (BOPTools_AlgoTools3D::PointInFace(face, p, uv, ctx) == 0) return p;
    return surf.Value(0.5 * (u0 + u1), 0.5 * (v0 + v1));
  }

  gp_Pnt VolumeInteriorPoint() {
    EnsureBoxes();
    const Bnd_Box& b = boxes[3][0];
    const double diag = b.IsVoid() ? 1.0 : std::sqrt(b.SquareExtent());
    for (double step : {1e-2, 1e-3, 1e-4, 1e-5}) {
      for (int f = 0; f < Count(2); ++f) {
        PointCache& pc = points[2][f];
        if (!pc.done) ComputePoint(2, f);
        if (pc.code != KroBRepCode::Ok) continue;
        gp_Dir n;
        gp_Pnt2d uv;
        if (!ProjectOnSurface(f, pc.point, uv) || !FaceNormal(f, uv.X(), uv.Y(), n)) continue;
        const gp_Pnt q = pc.point.Translated(gp_Vec(n) * (-step * diag));
        BRepClass3d_SolidClassifier& sc = ctx->SolidClassifier(TopoDS::Solid(shape));
        sc.Perform(q, Precision::Confusion());
        if (sc.State() == TopAbs_IN) return q;
      }
    }
    throw std::runtime_error("no point found inside the solid");
  }

  void ComputePoint(int d, int i) {
    PointCache& pc = points[d][i];
    pc.done = true;
    pc.code = KroBRepCode::Ok;
    try {
      switch (d) {
        case 0: pc.point = VertexPoint(i); break;
        case 1:
          if (!EdgeHasCurve(i)) {
            pc.point = DegenerateEdgePoint(i);
          } else {
            const BRepAdaptor_Curve& c = Curve(i);
            pc.point = c.Value(0.5 * (c.FirstParameter() + c.LastParameter()));
          }
          break;
        case 2: pc.point = FaceInteriorPoint(i); break;
        default: pc.point = VolumeInteriorPoint(); break;
      }
    } catch (...) {
      pc.code = KroBRepCode::Failed;
    }
  }

  // --- search ------------------------------------------------------------------------------

  KroBRepStatus BuildIndex() {
    if (indexed) return KroBRepStatus::Success();
    return Guard("KroBRepSolid::BuildIndex", [&] {
      const auto t0 = std::chrono::steady_clock::now();
      EnsureBoxes();
      for (int d = 0; d < 3; ++d) {
        sets[d] = new BVH_BoxSet<Standard_Real, 3, Standard_Integer>();
        sets[d]->SetSize(Count(d));
        for (int i = 0; i < Count(d); ++i) {
          const Bnd_Box& b = boxes[d][i];
          if (b.IsVoid()) continue;
          double x0, y0, z0, x1, y1, z1;
          b.Get(x0, y0, z0, x1, y1, z1);
          sets[d]->Add(i, BVH_Box<Standard_Real, 3>(BVH_Vec3d(x0, y0, z0), BVH_Vec3d(x1, y1, z1)));
        }
        sets[d]->Build();
      }
      // Warm the projectors.
      for (int e = 0; e < Count(1); ++e)
        if (EdgeHasCurve(e)) {
          ctx->ProjPC(Edge(e));
          Curve(e);
        }
      for (int f = 0; f < Count(2); ++f) {
        ctx->ProjPS(Face(f));
        Face2(f);
      }
      indexed = true;
      indexSeconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      return KroBRepStatus::Success();
    });
  }

  // Cells of dimension d (0..2) whose box lies within tol of p.
  void Candidates(int d, const gp_Pnt& p, double tol, std::vector<int>& out) {
    out.clear();
    const auto& set = sets[d];
    if (set.IsNull() || set->Size() == 0) return;
    const opencascade::handle<BVH_Tree<Standard_Real, 3>>& tree = set->BVH();
    if (tree.IsNull() || tree->Length() == 0) return;
    const double tol2 = tol * tol;
    auto nodeDist2 = [&](const BVH_Vec3d& lo, const BVH_Vec3d& hi) {
      double s = 0;
      const double c[3] = {p.X(), p.Y(), p.Z()};
      for (int k = 0; k < 3; ++k) {
        const double g = c[k] < lo[k] ? lo[k] - c[k] : (c[k] > hi[k] ? c[k] - hi[k] : 0.0);
        s += g * g;
      }
      return s;
    };
    int stack[128];
    int top = 0;
    stack[top++] = 0;
    while (top > 0) {
      const int node = stack[--top];
      if (nodeDist2(tree->MinPoint(node), tree->MaxPoint(node)) > tol2) continue;
      if (tree->IsOuter(node)) {
        for (int k = tree->BegPrimitive(node); k <= tree->EndPrimitive(node); ++k) {
          const BVH_Box<Standard_Real, 3> b = set->Box(k);
          if (nodeDist2(b.CornerMin(), b.CornerMax()) <= tol2) out.push_back(set->Element(k));
        }
      } else if (top + 2 <= 128) {
        stack[top++] = tree->template Child<0>(node);
        stack[top++] = tree->template Child<1>(node);
      }
    }
  }

  KroBRepStatus Search(int d, double tol, const KroBRepXYZ& point, const KroBRepXYZ* direction,
                       std::vector<KroBRepCellHit>& hits, bool bruteForce,
                       const KroBRepSolid* owner) {
    hits.clear();
    if (!ValidDim(d))
      return KroBRepStatus::Failure(KroBRepCode::BadArgument, "dimension must be 0 to 3");
    if (!(tol >= 0.0))
      return KroBRepStatus::Failure(KroBRepCode::BadArgument, "negative tolerance");
    return Guard("KroBRepSolid::Search", [&] {
      const gp_Pnt p = ToPnt(point);
      std::vector<int>& cand = scratchCandidates;
      cand.clear();
      if (bruteForce || d == 3) {
        EnsureBoxes();
        cand.resize(Count(d));
        std::iota(cand.begin(), cand.end(), 0);
        if (!bruteForce) {  // volume: one box test
          if (BoxDistance2(boxes[3][0], p) > tol * tol) cand.clear();
        }
      } else {
        KroBRepStatus st = BuildIndex();
        if (!st.Ok()) return st;
        Candidates(d, p, tol, cand);
      }
      gp_Vec want(0, 0, 0);
      bool testDirection = false;
      if (direction != nullptr && (d == 1 || d == 2)) {
        want = gp_Vec(direction->x, direction->y, direction->z);
        if (want.Magnitude() > gp::Resolution()) {
          want.Normalize();
          testDirection = true;
        }
      }
      std::vector<Hit>& found = scratchHits;
      found.clear();
      for (int i : cand) {
        ++exactTests;
        double dist = kInf;
        switch (d) {
          case 0: dist = p.Distance(VertexPoint(i)); break;
          case 1: dist = EdgeDistance(i, p, nullptr); break;
          case 2: dist = FaceDistance(i, p, tol, nullptr); break;
          default: dist = VolumeDistance(p, tol); break;
        }
        if (!(dist < tol)) continue;
        bool agrees = true;
        if (testDirection) {
          gp_Dir dir;
          agrees = false;
          if (CellDirection(d, i, p, dir)) {
            const double c = gp_Vec(dir).Dot(want);
            agrees = (d == 1 ? std::abs(c) : c) > kKroBRepDirectionAgreement;
          }
        }
        found.push_back({i, dist, agrees});
      }
      std::sort(found.begin(), found.end(), [](const Hit& a, const Hit& b) {
        if (a.agrees != b.agrees) return a.agrees;
        if (a.dist != b.dist) return a.dist < b.dist;
        return a.index < b.index;
      });
      hits.reserve(found.size());
      for (const Hit& h : found) {
        KroBRepCellHit hit;
        hit.cell = owner->Cell(d, h.index);
        hit.distance = h.dist;
        hit.directionAgrees = h.agrees;
        hits.push_back(hit);
      }
      return KroBRepStatus::Success();
    });
  }
};

// ---------------------------------------------------------------------------------------------
// Model data
// ---------------------------------------------------------------------------------------------

struct KroBRepModel::Impl {
  std::string path;
  std::vector<std::unique_ptr<KroBRepSolid>> solids;
  std::vector<KroBRepFeature> features;
};

// Builds the solids of a model from shapes and names, assigning tags in a fixed walk.
class KroBRepModelBuilder {
 public:
  static std::shared_ptr<KroBRepModel> Make(std::unique_ptr<KroBRepModel> model,
                                            const std::vector<TopoDS_Shape>& shapes,
                                            const std::vector<std::string>& names) {
    std::uint32_t next = 1;
    auto& impl = Access(*model);
    for (std::size_t k = 0; k < shapes.size(); ++k) {
      auto si = std::make_unique<KroBRepSolid::Impl>();
      si->model = model.get();
      si->index = static_cast<int>(k);
      si->name = names[k];
      si->Init(shapes[k]);
      si->tag = next++;
      for (int d : {3, 2, 1, 0}) {
        si->firstTag[d] = next;
        next += static_cast<std::uint32_t>(si->cells[d].Extent());
      }
      impl.solids.push_back(NewSolid(std::move(si)));
    }
    if (impl.features.empty())
      for (std::size_t k = 0; k < shapes.size(); ++k) {
        KroBRepFeature f;
        f.name = names[k];
        f.solidIndex = static_cast<int>(k);
        impl.features.push_back(f);
      }
    return std::shared_ptr<KroBRepModel>(model.release());
  }
  static KroBRepModel::Impl& Access(KroBRepModel& m);
  static std::unique_ptr<KroBRepSolid> NewSolid(std::unique_ptr<KroBRepSolid::Impl> impl);
  static std::unique_ptr<KroBRepModel> NewModel();
};

// ---------------------------------------------------------------------------------------------
// KroBRepCell
// ---------------------------------------------------------------------------------------------

std::uint32_t KroBRepCell::Tag() const {
  if (!solid_) return 0;
  return solid_->GetImpl().firstTag[dimension_] + static_cast<std::uint32_t>(index_);
}

std::string KroBRepCell::GeometryType() const {
  if (!solid_) return "None";
  KroBRepSolid::Impl& s = solid_->GetImpl();
  try {
    switch (dimension_) {
      case 0: return "Point";
      case 1: return s.EdgeHasCurve(index_) ? CurveTypeName(s.Curve(index_).GetType()) : "None";
      case 2: return SurfaceTypeName(s.ctx->SurfaceAdaptor(s.Face(index_)).GetType());
      default: return "Volume";
    }
  } catch (...) {
    return "None";
  }
}

bool KroBRepCell::HasGeometry() const {
  if (!solid_) return false;
  try {
    return dimension_ != 1 || solid_->GetImpl().EdgeHasCurve(index_);
  } catch (...) {
    return false;
  }
}

bool KroBRepCell::IsDegenerate() const {
  return solid_ && dimension_ == 1 && BRep_Tool::Degenerated(solid_->GetImpl().Edge(index_));
}

bool KroBRepCell::IsSeam() const {
  if (!solid_ || dimension_ != 1) return false;
  KroBRepSolid::Impl& s = solid_->GetImpl();
  try {
    s.EnsureSeams();
  } catch (...) {
    return false;
  }
  return !s.seam.empty() && s.seam[index_] != 0;
}

std::vector<KroBRepCell> KroBRepCell::SubCells(int dimension) const {
  std::vector<KroBRepCell> out;
  if (!solid_ || dimension < 0 || dimension >= dimension_) return out;
  KroBRepSolid::Impl& s = solid_->GetImpl();
  try {
    TopTools_IndexedMapOfShape sub;
    TopExp::MapShapes(s.Shape(dimension_, index_), KroBRepSolid::Impl::TypeOf(dimension), sub);
    for (int i = 1; i <= sub.Extent(); ++i) {
      const int k = s.cells[dimension].FindIndex(sub(i));
      if (k > 0) out.push_back(KroBRepCell(solid_, dimension, k - 1));
    }
  } catch (...) {
    out.clear();
  }
  return out;
}

KroBRepStatus KroBRepCell::Point(KroBRepXYZ& point) const {
  if (!solid_) return KroBRepStatus::Failure(KroBRepCode::BadArgument, "null cell");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  KroBRepSolid::Impl::PointCache& pc = s.points[dimension_][index_];
  if (!pc.done) s.ComputePoint(dimension_, index_);
  if (pc.code != KroBRepCode::Ok)
    return KroBRepStatus::Failure(pc.code, "KroBRepCell::Point: no point found on the cell");
  point = ToXYZ(pc.point.XYZ());
  return KroBRepStatus::Success();
}

KroBRepStatus KroBRepCell::DistanceTo(const KroBRepXYZ& point, double& distance) const {
  if (!solid_) return KroBRepStatus::Failure(KroBRepCode::BadArgument, "null cell");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  return Guard("KroBRepCell::DistanceTo", [&] {
    const gp_Pnt p = ToPnt(point);
    switch (dimension_) {
      case 0: distance = p.Distance(s.VertexPoint(index_)); break;
      case 1: distance = s.EdgeDistance(index_, p, nullptr); break;
      case 2: distance = s.FaceDistance(index_, p, kInf, nullptr); break;
      default: distance = s.VolumeDistance(p, kInf); break;
    }
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::ParameterRange(double& first, double& last) const {
  if (!solid_ || dimension_ != 1)
    return KroBRepStatus::Failure(KroBRepCode::BadArgument, "not an edge");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  return Guard("KroBRepCell::ParameterRange", [&] {
    if (!s.EdgeHasCurve(index_))
      return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "degenerate edge: no curve");
    first = s.Curve(index_).FirstParameter();
    last = s.Curve(index_).LastParameter();
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::ProjectOnCurve(const KroBRepXYZ& point, double& parameter) const {
  if (!solid_ || dimension_ != 1)
    return KroBRepStatus::Failure(KroBRepCode::BadArgument, "not an edge");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  return Guard("KroBRepCell::ProjectOnCurve", [&] {
    if (!s.EdgeHasCurve(index_))
      return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "degenerate edge: no curve");
    s.EdgeDistance(index_, ToPnt(point), &parameter);
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::Tangent(double parameter, KroBRepXYZ& derivative) const {
  if (!solid_ || dimension_ != 1)
    return KroBRepStatus::Failure(KroBRepCode::BadArgument, "not an edge");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  return Guard("KroBRepCell::Tangent", [&] {
    if (!s.EdgeHasCurve(index_))
      return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "degenerate edge: no curve");
    gp_Pnt q;
    gp_Vec d1;
    s.Curve(index_).D1(parameter, q, d1);
    derivative = ToXYZ(d1.XYZ());
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::ProjectOnSurface(const KroBRepXYZ& point, double& u, double& v) const {
  if (!solid_ || dimension_ != 2)
    return KroBRepStatus::Failure(KroBRepCode::BadArgument, "not a face");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  return Guard("KroBRepCell::ProjectOnSurface", [&] {
    gp_Pnt2d uv;
    s.ProjectOnSurface(index_, ToPnt(point), uv);
    u = uv.X();
    v = uv.Y();
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::Normal(double u, double v, KroBRepXYZ& normal) const {
  if (!solid_ || dimension_ != 2)
    return KroBRepStatus::Failure(KroBRepCode::BadArgument, "not a face");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  return Guard("KroBRepCell::Normal", [&] {
    gp_Dir n;
    if (!s.FaceNormal(index_, u, v, n))
      return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "normal undefined at (u, v)");
    normal = ToXYZ(n.XYZ());
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCell::Direction(const KroBRepXYZ& point, KroBRepXYZ& direction) const {
  if (!solid_) return KroBRepStatus::Failure(KroBRepCode::BadArgument, "null cell");
  if (dimension_ != 1 && dimension_ != 2)
    return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "vertices and volumes have no direction");
  KroBRepSolid::Impl& s = solid_->GetImpl();
  return Guard("KroBRepCell::Direction", [&] {
    gp_Dir d;
    if (!s.CellDirection(dimension_, index_, ToPnt(point), d))
      return KroBRepStatus::Failure(KroBRepCode::NoGeometry, "no curve or normal at the point");
    direction = ToXYZ(d.XYZ());
    return KroBRepStatus::Success();
  });
}

// ---------------------------------------------------------------------------------------------
// KroBRepSolid
// ---------------------------------------------------------------------------------------------

KroBRepSolid::KroBRepSolid(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
KroBRepSolid::~KroBRepSolid() = default;

const std::string& KroBRepSolid::Name() const { return impl_->name; }
std::uint32_t KroBRepSolid::Tag() const { return impl_->tag; }
int KroBRepSolid::Index() const { return impl_->index; }
const KroBRepModel& KroBRepSolid::Model() const { return *impl_->model; }

int KroBRepSolid::CellCount(int dimension) const { return impl_->Count(dimension); }

KroBRepCell KroBRepSolid::Cell(int dimension, int index) const {
  if (index < 0 || index >= impl_->Count(dimension)) return KroBRepCell();
  return KroBRepCell(this, dimension, index);
}

std::vector<KroBRepCell> KroBRepSolid::Cells(int dimension) const {
  std::vector<KroBRepCell> out;
  const int n = impl_->Count(dimension);
  out.reserve(n);
  for (int i = 0; i < n; ++i) out.push_back(KroBRepCell(this, dimension, i));
  return out;
}

KroBRepCell KroBRepSolid::CellByTag(std::uint32_t tag) const {
  for (int d = 0; d < 4; ++d) {
    const std::uint32_t first = impl_->firstTag[d];
    if (tag >= first && tag < first + static_cast<std::uint32_t>(impl_->Count(d)))
      return KroBRepCell(this, d, static_cast<int>(tag - first));
  }
  return KroBRepCell();
}

void KroBRepSolid::BoundingBox(KroBRepXYZ& min, KroBRepXYZ& max) const {
  min = max = KroBRepXYZ();
  try {
    impl_->EnsureBoxes();
    const Bnd_Box& b = impl_->boxes[3][0];
    if (b.IsVoid()) return;
    b.Get(min.x, min.y, min.z, max.x, max.y, max.z);
  } catch (...) {
  }
}

KroBRepStatus KroBRepSolid::Search(int dimension, double tolerance, const KroBRepXYZ& point,
                                   const KroBRepXYZ* direction,
                                   std::vector<KroBRepCellHit>& hits) const {
  return impl_->Search(dimension, tolerance, point, direction, hits, false, this);
}

KroBRepStatus KroBRepSolid::SearchBruteForce(int dimension, double tolerance,
                                             const KroBRepXYZ& point, const KroBRepXYZ* direction,
                                             std::vector<KroBRepCellHit>& hits) const {
  return impl_->Search(dimension, tolerance, point, direction, hits, true, this);
}

KroBRepStatus KroBRepSolid::FirstVertexNear(const KroBRepXYZ& point, double tolerance,
                                            KroBRepCell& vertex) const {
  return Guard("KroBRepSolid::FirstVertexNear", [&] {
    const gp_Pnt p = ToPnt(point);
    for (int i = 0; i < impl_->Count(0); ++i)
      if (p.Distance(impl_->VertexPoint(i)) < tolerance) {
        vertex = KroBRepCell(this, 0, i);
        return KroBRepStatus::Success();
      }
    return KroBRepStatus::Failure(KroBRepCode::NotFound, "no vertex within the tolerance");
  });
}

KroBRepStatus KroBRepSolid::BuildIndex() const { return impl_->BuildIndex(); }
bool KroBRepSolid::HasIndex() const { return impl_->indexed; }
double KroBRepSolid::IndexBuildSeconds() const { return impl_->indexSeconds; }
std::uint64_t KroBRepSolid::ExactTestCount() const { return impl_->exactTests; }
void KroBRepSolid::ResetExactTestCount() const { impl_->exactTests = 0; }

// ---------------------------------------------------------------------------------------------
// KroBRepModel
// ---------------------------------------------------------------------------------------------

KroBRepModel::Impl& KroBRepModelBuilder::Access(KroBRepModel& m) { return *m.impl_; }
std::unique_ptr<KroBRepSolid> KroBRepModelBuilder::NewSolid(
    std::unique_ptr<KroBRepSolid::Impl> impl) {
  return std::unique_ptr<KroBRepSolid>(new KroBRepSolid(std::move(impl)));
}
std::unique_ptr<KroBRepModel> KroBRepModelBuilder::NewModel() {
  return std::unique_ptr<KroBRepModel>(new KroBRepModel());
}

KroBRepModel::KroBRepModel() : impl_(std::make_unique<Impl>()) {}
KroBRepModel::~KroBRepModel() = default;

namespace {

std::vector<std::string> DefaultNames(std::size_t n) {
  std::vector<std::string> names;
  for (std::size_t k = 0; k < n; ++k) names.push_back("Solid." + std::to_string(k + 1));
  return names;
}

// Solids of a shape in map order; free shells are closed into solids.
std::vector<TopoDS_Shape> SolidsOf(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Shape> out;
  TopTools_IndexedMapOfShape solids;
  TopExp::MapShapes(shape, TopAbs_SOLID, solids);
  for (int i = 1; i <= solids.Extent(); ++i) out.push_back(solids(i));
  if (out.empty()) {
    TopTools_IndexedMapOfShape shells;
    TopExp::MapShapes(shape, TopAbs_SHELL, shells);
    for (int i = 1; i <= shells.Extent(); ++i) {
      BRepBuilderAPI_MakeSolid ms(TopoDS::Shell(shells(i)));
      if (ms.IsDone()) out.push_back(ms.Solid());
    }
  }
  return out;
}

std::string Trimmed(const Handle(TCollection_HAsciiString)& s) {
  if (s.IsNull()) return std::string();
  std::string t = s->ToCString();
  const auto b = t.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  return t.substr(b, t.find_last_not_of(" \t") - b + 1);
}

// Names of the solids after the STEP products that hold them (the most specific product wins).
std::vector<std::string> StepProductNames(STEPControl_Reader& reader,
                                          const std::vector<TopoDS_Shape>& solids) {
  std::vector<std::string> names(solids.size());
  std::vector<int> weight(solids.size(), std::numeric_limits<int>::max());
  Handle(XSControl_WorkSession) ws = reader.WS();
  if (ws.IsNull() || ws->TransferReader().IsNull()) return names;
  Handle(Transfer_TransientProcess) tp = ws->TransferReader()->TransientProcess();
  Handle(Interface_InterfaceModel) model = ws->Model();
  if (tp.IsNull() || model.IsNull()) return names;
  std::map<const void*, std::size_t> byTShape;
  for (std::size_t k = 0; k < solids.size(); ++k) byTShape[solids[k].TShape().get()] = k;
  for (int i = 1; i <= model->NbEntities(); ++i) {
    Handle(StepBasic_ProductDefinition) pd =
        Handle(StepBasic_ProductDefinition)::DownCast(model->Value(i));
    if (pd.IsNull() || pd->Formation().IsNull() || pd->Formation()->OfProduct().IsNull())
      continue;
    const std::string name = Trimmed(pd->Formation()->OfProduct()->Name());
    if (name.empty()) continue;
    Handle(Transfer_Binder) binder = tp->Find(pd);
    if (binder.IsNull()) continue;
    const TopoDS_Shape s = TransferBRep::ShapeResult(tp, binder);
    if (s.IsNull()) continue;
    TopTools_IndexedMapOfShape in;
    TopExp::MapShapes(s, TopAbs_SOLID, in);
    for (int j = 1; j <= in.Extent(); ++j) {
      auto it = byTShape.find(in(j).TShape().get());
      if (it == byTShape.end()) continue;
      if (in.Extent() < weight[it->second]) {
        weight[it->second] = in.Extent();
        names[it->second] = name;
      }
    }
  }
  return names;
}

// Several solids named after the same product become "Name.1", "Name.2"...; unnamed solids are
// "Solid.N" after their position.
std::vector<std::string> FinalNames(const std::vector<std::string>& productNames) {
  std::vector<std::string> names(productNames.size());
  std::map<std::string, int> uses, seen;
  for (const std::string& n : productNames)
    if (!n.empty()) ++uses[n];
  for (std::size_t k = 0; k < productNames.size(); ++k) {
    const std::string& n = productNames[k];
    if (n.empty())
      names[k] = "Solid." + std::to_string(k + 1);
    else if (uses[n] > 1)
      names[k] = n + "." + std::to_string(++seen[n]);
    else
      names[k] = n;
  }
  return names;
}

std::shared_ptr<KroBRepModel> FromShapes(const std::vector<TopoDS_Shape>& shapes,
                                         const std::vector<std::string>& names,
                                         const std::vector<KroBRepFeature>& features,
                                         const std::string& path) {
  auto model = KroBRepModelBuilder::NewModel();
  KroBRepModel::Impl& impl = KroBRepModelBuilder::Access(*model);
  impl.path = path;
  impl.features = features;
  return KroBRepModelBuilder::Make(std::move(model), shapes, names);
}

template <class Fn>
std::shared_ptr<KroBRepModel> MakePart(const char* where, KroBRepStatus* status, Fn&& fn) {
  std::shared_ptr<KroBRepModel> out;
  KroBRepStatus st = Guard(where, [&] {
    out = fn();
    return KroBRepStatus::Success();
  });
  if (status) *status = st;
  if (!st.Ok()) out.reset();
  return out;
}

std::shared_ptr<KroBRepModel> OneSolid(const TopoDS_Shape& s, const char* name) {
  return FromShapes({s}, {name}, {}, std::string());
}

}  // namespace

std::shared_ptr<KroBRepModel> KroBRepModel::Load(const std::string& path, KroBRepStatus& status) {
  std::shared_ptr<KroBRepModel> out;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    status = KroBRepStatus::Failure(KroBRepCode::FileNotFound, "cannot open " + path);
    return out;
  }
  char head[256] = {0};
  in.read(head, sizeof(head) - 1);
  in.close();
  const std::string start(head);
  const bool isStep = start.find("ISO-10303-21") != std::string::npos;
  const bool isBRep = start.find("CASCADE Topology") != std::string::npos ||
                      start.find("DBRep_DrawableShape") != std::string::npos;
  if (!isStep && !isBRep) {
    status = KroBRepStatus::Failure(KroBRepCode::NotAModel, path + " is not a STEP or BREP model");
    return out;
  }
  status = Guard("KroBRepModel::Load", [&] {
    std::vector<TopoDS_Shape> solids;
    std::vector<std::string> names;
    if (isStep) {
      STEPControl_Reader reader;
      if (reader.ReadFile(path.c_str()) != IFSelect_RetDone)
        return KroBRepStatus::Failure(KroBRepCode::NotAModel, path + ": unreadable STEP file");
      reader.TransferRoots();
      solids = SolidsOf(reader.OneShape());
      names = FinalNames(StepProductNames(reader, solids));
    } else {
      TopoDS_Shape shape;
      BRep_Builder bb;
      if (!BRepTools::Read(shape, path.c_str(), bb) || shape.IsNull())
        return KroBRepStatus::Failure(KroBRepCode::NotAModel, path + ": unreadable BREP file");
      solids = SolidsOf(shape);
      names = DefaultNames(solids.size());
    }
    if (solids.empty())
      return KroBRepStatus::Failure(KroBRepCode::NotAModel, path + ": no solid in the model");
    out = FromShapes(solids, names, {}, path);
    return KroBRepStatus::Success();
  });
  if (!status.Ok()) out.reset();
  return out;
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeSamplePart(KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeSamplePart", status, [] {
    std::vector<TopoDS_Shape> solids;
    std::vector<KroBRepFeature> features;
    kro_brep_parts::SamplePart(solids, features);
    std::vector<std::string> names;
    for (const KroBRepFeature& f : features) names.push_back(f.name);
    return FromShapes(solids, names, features, std::string());
  });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeBox(double dx, double dy, double dz,
                                                     KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeBox", status,
                  [&] { return OneSolid(kro_brep_parts::Box(dx, dy, dz), "Box"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeHoledPlate(int rows, int cols, bool filleted,
                                                            KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeHoledPlate", status, [&] {
    return OneSolid(kro_brep_parts::HoledPlate(rows, cols, filleted), "Plate");
  });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeFilletedPlate(KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeFilletedPlate", status,
                  [] { return OneSolid(kro_brep_parts::FilletedPlate(), "Plate"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakePlateVersion(int version, KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakePlateVersion", status,
                  [&] { return OneSolid(kro_brep_parts::PlateVersion(version), "Plate"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeSphere(double radius, KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeSphere", status,
                  [&] { return OneSolid(kro_brep_parts::Sphere(radius), "Sphere"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeCylinder(double radius, double height,
                                                          KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeCylinder", status, [&] {
    return OneSolid(kro_brep_parts::Cylinder(radius, height), "Cylinder");
  });
}

KroBRepStatus KroBRepModel::SaveBRep(const std::string& path) const {
  return Guard("KroBRepModel::SaveBRep", [&] {
    TopoDS_Compound c;
    BRep_Builder bb;
    bb.MakeCompound(c);
    for (const auto& s : impl_->solids) bb.Add(c, s->GetImpl().shape);
    if (!BRepTools::Write(c, path.c_str()))
      return KroBRepStatus::Failure(KroBRepCode::Failed, "cannot write " + path);
    return KroBRepStatus::Success();
  });
}

const std::string& KroBRepModel::SourcePath() const { return impl_->path; }
int KroBRepModel::SolidCount() const { return static_cast<int>(impl_->solids.size()); }

const KroBRepSolid* KroBRepModel::Solid(int index) const {
  if (index < 0 || index >= SolidCount()) return nullptr;
  return impl_->solids[index].get();
}

const KroBRepSolid* KroBRepModel::SolidByTag(std::uint32_t tag) const {
  for (const auto& s : impl_->solids)
    if (s->Tag() == tag) return s.get();
  return nullptr;
}

const KroBRepSolid* KroBRepModel::SolidByName(const std::string& name) const {
  for (const auto& s : impl_->solids)
    if (s->Name() == name) return s.get();
  return nullptr;
}

KroBRepCell KroBRepModel::CellByTag(std::uint32_t tag) const {
  for (const auto& s : impl_->solids) {
    KroBRepCell c = s->CellByTag(tag);
    if (!c.IsNull()) return c;
  }
  return KroBRepCell();
}

const std::vector<KroBRepFeature>& KroBRepModel::Features() const { return impl_->features; }
