// The cells of one solid, numbered in the order of the engine's map walk.
#include "KroBRepSolidCells.h"

#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <stdexcept>

KroBRepSolidCells::KroBRepSolidCells(const TopoDS_Shape& solid)
    : _Solid(solid), _Tools(new IntTools_Context) {
  for (int d = 0; d < 3; ++d) TopExp::MapShapes(solid, TypeOf(d), _Cells[d]);
  _Cells[3].Add(solid);
  _Curves.resize(_Cells[1].Extent());
}

TopAbs_ShapeEnum KroBRepSolidCells::TypeOf(int dimension) {
  static const TopAbs_ShapeEnum types[4] = {TopAbs_VERTEX, TopAbs_EDGE, TopAbs_FACE, TopAbs_SOLID};
  return types[dimension];
}

int KroBRepSolidCells::Count(int dimension) const {
  return ValidDimension(dimension) ? _Cells[dimension].Extent() : 0;
}

const TopoDS_Shape& KroBRepSolidCells::Shape(int dimension, int index) const {
  return _Cells[dimension].FindKey(index + 1);
}

const TopoDS_Edge& KroBRepSolidCells::Edge(int index) const {
  return TopoDS::Edge(Shape(1, index));
}

const TopoDS_Face& KroBRepSolidCells::Face(int index) const {
  return TopoDS::Face(Shape(2, index));
}

int KroBRepSolidCells::IndexOf(int dimension, const TopoDS_Shape& shape) const {
  return _Cells[dimension].FindIndex(shape) - 1;
}

bool KroBRepSolidCells::EdgeHasCurve(int edge) const {
  const TopoDS_Edge& e = Edge(edge);
  if (BRep_Tool::Degenerated(e)) return false;
  double first, last;
  return !BRep_Tool::Curve(e, first, last).IsNull();
}

const BRepAdaptor_Curve& KroBRepSolidCells::Curve(int edge) {
  if (_Curves[edge].IsNull()) _Curves[edge] = new BRepAdaptor_Curve(Edge(edge));
  return *_Curves[edge];
}

gp_Pnt KroBRepSolidCells::VertexPoint(int vertex) const {
  return BRep_Tool::Pnt(TopoDS::Vertex(Shape(0, vertex)));
}

gp_Pnt KroBRepSolidCells::DegenerateEdgePoint(int edge) const {
  TopoDS_Vertex v1, v2;
  TopExp::Vertices(Edge(edge), v1, v2);
  if (!v1.IsNull()) return BRep_Tool::Pnt(v1);
  if (!v2.IsNull()) return BRep_Tool::Pnt(v2);
  throw std::runtime_error("degenerate edge without vertices");
}

bool KroBRepSolidCells::IsSeam(int edge) {
  if (_Seams.empty() && Count(1) > 0) {
    _Seams.assign(Count(1), 0);
    for (int f = 0; f < Count(2); ++f)
      for (TopExp_Explorer it(Face(f), TopAbs_EDGE); it.More(); it.Next()) {
        const TopoDS_Edge& e = TopoDS::Edge(it.Current());
        if (!BRep_Tool::IsClosed(e, Face(f))) continue;
        const int i = IndexOf(1, e);
        if (i >= 0) _Seams[i] = 1;
      }
  }
  return !_Seams.empty() && _Seams[edge] != 0;
}
