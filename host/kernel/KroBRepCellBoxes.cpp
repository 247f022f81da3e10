// The boxes of a solid's cells, each checked against points on its cell.
#include "KroBRepCellBoxes.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Precision.hxx>

#include "KroBRepCellGeometry.h"
#include "KroBRepSolidCells.h"

namespace {

// Points taken along each edge (both ends included) and across a curved face's parameter box.
constexpr int kEdgeSamples = 8;
constexpr int kFaceSamples = 4;

}  // namespace

const Bnd_Box& KroBRepCellBoxes::Box(int dimension, int index) { return Boxes(dimension)[index]; }

const std::vector<Bnd_Box>& KroBRepCellBoxes::Boxes(int dimension) {
  if (!_Made) _Make();
  return _Boxes[dimension];
}

void KroBRepCellBoxes::_Make() {
  for (int d = 0; d < 4; ++d) _Boxes[d].assign(_Cells.Count(d), Bnd_Box());
  _Replaced = 0;
  for (int v = 0; v < _Cells.Count(0); ++v)
    BRepBndLib::Add(_Cells.Shape(0, v), _Boxes[0][v], false);
  for (int e = 0; e < _Cells.Count(1); ++e) {
    if (_Cells.EdgeHasCurve(e)) {
      _Boxes[1][e] = _CheckedBox(1, e);
    } else {
      _Boxes[1][e].Add(_Cells.DegenerateEdgePoint(e));
      _Boxes[1][e].SetGap(BRep_Tool::Tolerance(_Cells.Edge(e)));
    }
  }
  for (int f = 0; f < _Cells.Count(2); ++f) _Boxes[2][f] = _CheckedBox(2, f);
  Bnd_Box& solid = _Boxes[3][0];
  BRepBndLib::Add(_Cells.Solid(), solid, false);
  if (_Replaced > 0)
    for (int d = 1; d <= 2; ++d)
      for (const Bnd_Box& box : _Boxes[d]) solid.Add(box);
  _Made = true;
}

Bnd_Box KroBRepCellBoxes::_CheckedBox(int dimension, int index) {
  const TopoDS_Shape& shape = _Cells.Shape(dimension, index);
  Bnd_Box box;
  BRepBndLib::Add(shape, box, false);
  _Scratch.clear();
  _PointsOn(dimension, index, _Scratch);
  Bnd_Box reach = box;
  reach.Enlarge(Precision::Confusion());
  bool holds = true;
  for (const gp_Pnt& p : _Scratch)
    if (reach.IsOut(p)) {
      holds = false;
      break;
    }
  if (holds) return box;
  ++_Replaced;
  Bnd_Box exact;
  BRepBndLib::AddOptimal(shape, exact, false, true);
  for (const gp_Pnt& p : _Scratch) exact.Add(p);
  return exact;
}

void KroBRepCellBoxes::_PointsOn(int dimension, int index, std::vector<gp_Pnt>& points) {
  auto alongEdge = [&](int edge) {
    if (!_Cells.EdgeHasCurve(edge)) return;
    const BRepAdaptor_Curve& curve = _Cells.Curve(edge);
    const double a = curve.FirstParameter(), b = curve.LastParameter();
    for (int k = 0; k <= kEdgeSamples; ++k)
      points.push_back(curve.Value(a + (b - a) * k / kEdgeSamples));
  };
  if (dimension == 1) {
    alongEdge(index);
    return;
  }
  for (int edge : _Geometry.FaceEdges(index)) alongEdge(edge);
  // A plane holds no point outside the box of its boundary; a curved face may bulge out of it.
  const TopoDS_Face& face = _Cells.Face(index);
  BRepAdaptor_Surface& surface = _Cells.Tools().SurfaceAdaptor(face);
  if (surface.GetType() == GeomAbs_Plane) return;
  double u0, u1, v0, v1;
  BRepTools::UVBounds(face, u0, u1, v0, v1);
  for (int i = 0; i < kFaceSamples; ++i)
    for (int j = 0; j < kFaceSamples; ++j) {
      const gp_Pnt2d uv(u0 + (i + 0.5) * (u1 - u0) / kFaceSamples,
                        v0 + (j + 0.5) * (v1 - v0) / kFaceSamples);
      if (_Geometry.Classify(index, uv) == TopAbs_IN)
        points.push_back(surface.Value(uv.X(), uv.Y()));
    }
}
