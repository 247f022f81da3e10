// Classification of parameter points against a face, hole by hole behind a grid of their boxes.
#include "KroBRepFaceClassifier.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <BndLib_Add3dCurve.hxx>
#include <Bnd_Box.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Pln.hxx>

namespace {

// Faces with more wires than this are classified wire by wire behind a box test.
constexpr int kWholeFaceClassifierMaxWires = 8;

}  // namespace

KroBRepFaceClassifier::KroBRepFaceClassifier(const TopoDS_Face& face)
    : _Forward(TopoDS::Face(face.Oriented(TopAbs_FORWARD))) {
  _ToleranceUV = std::max(BRep_Tool::Tolerance(_Forward), Precision::PConfusion());
  std::vector<TopoDS_Wire> wires;
  for (TopExp_Explorer it(_Forward, TopAbs_WIRE); it.More(); it.Next())
    wires.push_back(TopoDS::Wire(it.Current()));
  if (static_cast<int>(wires.size()) <= kWholeFaceClassifierMaxWires) return;
  if (!_HolesOfPlane(wires)) _HolesOfAnyFace(wires);
  BRep_Builder builder;
  TopoDS_Face outerFace = TopoDS::Face(_Forward.EmptyCopied());
  builder.Add(outerFace, _OuterWire);
  _Outer = std::make_unique<BRepTopAdaptor_FClass2d>(outerFace, _ToleranceUV);
  _MakeHoleGrid();
}

void KroBRepFaceClassifier::_HolesOfAnyFace(const std::vector<TopoDS_Wire>& wires) {
  _OuterWire = BRepTools::OuterWire(_Forward);
  for (const TopoDS_Wire& wire : wires) {
    if (wire.IsSame(_OuterWire)) continue;
    Hole hole;
    hole.wire = wire;
    BRepTools::AddUVBounds(_Forward, wire, hole.box);
    hole.box.Enlarge(_ToleranceUV);
    _Holes.push_back(std::move(hole));
  }
}

// On a plane the parameters of a point are its coordinates along the plane's axes, so a wire's
// parameter box follows from the 3D boxes of its edges, which the engine gives without making
// the edges' parameter curves (the costly part on a face with thousands of holes). These boxes
// hold the holes, which is all the box test needs. The face's own parameter box is that of its
// outer wire, made exactly, as long as every hole's box lies inside it.
bool KroBRepFaceClassifier::_HolesOfPlane(const std::vector<TopoDS_Wire>& wires) {
  const BRepAdaptor_Surface surface(_Forward, false);
  if (surface.GetType() != GeomAbs_Plane) return false;
  const gp_Ax3 frame = surface.Plane().Position();
  const gp_XYZ origin = frame.Location().XYZ();
  const gp_XYZ axes[2] = {frame.XDirection().XYZ(), frame.YDirection().XYZ()};
  std::vector<Bnd_Box2d> boxes(wires.size());
  for (size_t w = 0; w < wires.size(); ++w) {
    Bnd_Box box;
    for (TopExp_Explorer it(wires[w], TopAbs_EDGE); it.More(); it.Next()) {
      const TopoDS_Edge& edge = TopoDS::Edge(it.Current());
      const double tolerance = BRep_Tool::Tolerance(edge);
      double first, last;
      if (BRep_Tool::Degenerated(edge) || BRep_Tool::Curve(edge, first, last).IsNull()) {
        for (TopExp_Explorer v(edge, TopAbs_VERTEX); v.More(); v.Next())
          box.Add(BRep_Tool::Pnt(TopoDS::Vertex(v.Current())));
        box.Enlarge(tolerance);
      } else {
        BndLib_Add3dCurve::Add(BRepAdaptor_Curve(edge), tolerance, box);
      }
    }
    if (box.IsVoid()) return false;
    double lo[3], hi[3];
    box.Get(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
    double range[2][2];
    for (int k = 0; k < 2; ++k) {
      double low = 0, high = 0, size = 0;
      for (int c = 0; c < 3; ++c) {
        const double a = axes[k].Coord(c + 1) * (lo[c] - origin.Coord(c + 1));
        const double b = axes[k].Coord(c + 1) * (hi[c] - origin.Coord(c + 1));
        low += std::min(a, b);
        high += std::max(a, b);
        size += std::abs(a) + std::abs(b);
      }
      // Room for rounding and the classifier's own tolerance.
      const double margin = _ToleranceUV + 1e-9 * (size + 1.0);
      range[k][0] = low - margin;
      range[k][1] = high + margin;
    }
    boxes[w].Update(range[0][0], range[1][0], range[0][1], range[1][1]);
  }
  // The outer wire as the engine picks it: the last one whose box holds the boxes before it.
  size_t outer = 0;
  for (size_t w = 1; w < wires.size(); ++w) {
    double u0, v0, u1, v1, U0, V0, U1, V1;
    boxes[w].Get(u0, v0, u1, v1);
    boxes[outer].Get(U0, V0, U1, V1);
    if (u0 <= U0 && u1 >= U1 && v0 <= V0 && v1 >= V1) outer = w;
  }
  Bnd_Box2d exact;
  BRepTools::AddUVBounds(_Forward, wires[outer], exact);
  if (exact.IsVoid() || exact.GetGap() != 0.0) return false;
  double U0, V0, U1, V1;
  exact.Get(U0, V0, U1, V1);
  for (size_t w = 0; w < wires.size(); ++w) {
    // The outer wire's own box from 3D holds its exact one, or the mapping is not to be trusted.
    if (w == outer) {
      if (boxes[w].IsOut(gp_Pnt2d(U0, V0)) || boxes[w].IsOut(gp_Pnt2d(U1, V1))) return false;
      continue;
    }
    double u0, v0, u1, v1;
    boxes[w].Get(u0, v0, u1, v1);
    if (u0 < U0 || u1 > U1 || v0 < V0 || v1 > V1) return false;
  }
  _OuterWire = wires[outer];
  for (size_t w = 0; w < wires.size(); ++w) {
    if (w == outer) continue;
    Hole hole;
    hole.wire = wires[w];
    hole.box = boxes[w];
    _Holes.push_back(std::move(hole));
  }
  _HaveBounds = true;
  _Bounds[0] = U0, _Bounds[1] = U1, _Bounds[2] = V0, _Bounds[3] = V1;
  return true;
}

void KroBRepFaceClassifier::Bounds(double& u0, double& u1, double& v0, double& v1) {
  if (!_HaveBounds) {
    BRepTools::UVBounds(_Forward, _Bounds[0], _Bounds[1], _Bounds[2], _Bounds[3]);
    _HaveBounds = true;
  }
  u0 = _Bounds[0], u1 = _Bounds[1], v0 = _Bounds[2], v1 = _Bounds[3];
}

void KroBRepFaceClassifier::_MakeHoleGrid() {
  double lo[2] = {0, 0}, hi[2] = {0, 0};
  bool any = false;
  for (const Hole& hole : _Holes) {
    _AllHoles.push_back(static_cast<int>(&hole - _Holes.data()));
    if (hole.box.IsVoid()) continue;  // out for every point
    double u0, v0, u1, v1;
    hole.box.Get(u0, v0, u1, v1);
    if (!any) {
      lo[0] = u0, lo[1] = v0, hi[0] = u1, hi[1] = v1;
      any = true;
    }
    lo[0] = std::min(lo[0], u0), lo[1] = std::min(lo[1], v0);
    hi[0] = std::max(hi[0], u1), hi[1] = std::max(hi[1], v1);
  }
  if (!any) return;
  const int size = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(_Holes.size()))));
  _GridSize = std::max(1, std::min(size, 256));
  for (int k = 0; k < 2; ++k) {
    _GridMin[k] = lo[k];
    const double step = (hi[k] - lo[k]) / _GridSize;
    _GridStep[k] = step > 0.0 && std::isfinite(step) ? step : 1.0;
  }
  _GridCells.assign(static_cast<size_t>(_GridSize) * _GridSize, std::vector<int>());
  for (size_t h = 0; h < _Holes.size(); ++h) {
    if (_Holes[h].box.IsVoid()) continue;
    double u0, v0, u1, v1;
    _Holes[h].box.Get(u0, v0, u1, v1);
    const int i0 = _GridCell(u0, 0), i1 = _GridCell(u1, 0);
    const int j0 = _GridCell(v0, 1), j1 = _GridCell(v1, 1);
    for (int i = i0; i <= i1; ++i)
      for (int j = j0; j <= j1; ++j) _GridCells[i * _GridSize + j].push_back(static_cast<int>(h));
  }
}

int KroBRepFaceClassifier::_GridCell(double value, int axis) const {
  // Monotone in value, so a point inside a box falls in one of the cells the box was put in.
  const double at = std::floor((value - _GridMin[axis]) / _GridStep[axis]);
  if (!(at > 0.0)) return 0;
  return at >= _GridSize - 1 ? _GridSize - 1 : static_cast<int>(at);
}

const std::vector<int>& KroBRepFaceClassifier::_HolesNear(const gp_Pnt2d& uv) const {
  if (!std::isfinite(uv.X()) || !std::isfinite(uv.Y())) return _AllHoles;
  if (_GridSize == 0) return _NoHoles;
  return _GridCells[_GridCell(uv.X(), 0) * _GridSize + _GridCell(uv.Y(), 1)];
}

TopAbs_State KroBRepFaceClassifier::_ClassifyInHole(Hole& hole, const gp_Pnt2d& uv) {
  if (!hole.classifier) {
    // The hole on its own, as a bounded region: IN there means out of the face.
    BRep_Builder builder;
    TopoDS_Face region = TopoDS::Face(_Forward.EmptyCopied());
    builder.Add(region, hole.wire.Reversed());
    hole.classifier = std::make_unique<BRepTopAdaptor_FClass2d>(region, _ToleranceUV);
  }
  return hole.classifier->Perform(uv);
}

TopAbs_State KroBRepFaceClassifier::Classify(const gp_Pnt2d& uv) {
  if (!_Outer) {
    if (!_Whole) _Whole = std::make_unique<BRepTopAdaptor_FClass2d>(_Forward, _ToleranceUV);
    return _Whole->Perform(uv);
  }
  TopAbs_State state = _Outer->Perform(uv);
  if (state == TopAbs_OUT) return state;
  for (int h : _HolesNear(uv)) {
    Hole& hole = _Holes[h];
    if (hole.box.IsOut(uv)) continue;
    const TopAbs_State inHole = _ClassifyInHole(hole, uv);
    if (inHole == TopAbs_IN) return TopAbs_OUT;
    if (inHole == TopAbs_ON) state = TopAbs_ON;
  }
  return state;
}
