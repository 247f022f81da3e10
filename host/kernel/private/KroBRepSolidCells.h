// The cells of one solid as the engine holds them: the solid's vertices, edges, faces and the
// solid itself, each numbered from 0 in the fixed order of a map walk (the order the tags
// follow), with what a single cell answers from its B-rep alone: whether an edge has a curve,
// a vertex's point, seams. Also keeps the engine's per-solid tool cache (projectors, surface
// adaptors, classifiers). An implementation header: never installed.
#ifndef KroBRepSolidCells_H
#define KroBRepSolidCells_H

#include <BRepAdaptor_Curve.hxx>
#include <IntTools_Context.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Pnt.hxx>
#include <vector>

class KroBRepSolidCells {
 public:
  explicit KroBRepSolidCells(const TopoDS_Shape& solid);
  KroBRepSolidCells(const KroBRepSolidCells&) = delete;
  KroBRepSolidCells& operator=(const KroBRepSolidCells&) = delete;

  static bool ValidDimension(int dimension) { return dimension >= 0 && dimension <= 3; }
  // The engine's shape type of a dimension (0 vertex, 1 edge, 2 face, 3 solid).
  static TopAbs_ShapeEnum TypeOf(int dimension);

  const TopoDS_Shape& Solid() const { return _Solid; }
  int Count(int dimension) const;  // 0 for a bad dimension
  const TopoDS_Shape& Shape(int dimension, int index) const;
  const TopoDS_Edge& Edge(int index) const;
  const TopoDS_Face& Face(int index) const;
  // Position (from 0) of a shape among the cells of that dimension, -1 when it is none of them.
  int IndexOf(int dimension, const TopoDS_Shape& shape) const;

  // False for a degenerate edge and an edge without a 3D curve.
  bool EdgeHasCurve(int edge) const;
  // The curve of an edge that has one (made on first use and kept).
  const BRepAdaptor_Curve& Curve(int edge);
  gp_Pnt VertexPoint(int vertex) const;
  // The point a degenerate edge collapses to (its first vertex); throws when it has none.
  gp_Pnt DegenerateEdgePoint(int edge) const;
  // An edge that runs twice through the wire of one of the solid's faces.
  bool IsSeam(int edge);

  IntTools_Context& Tools() const { return *_Tools; }
  const Handle(IntTools_Context) & ToolsHandle() const { return _Tools; }

 private:
  TopoDS_Shape _Solid;
  TopTools_IndexedMapOfShape _Cells[4];  // [3] holds the solid itself
  std::vector<Handle(BRepAdaptor_Curve)> _Curves;
  std::vector<signed char> _Seams;  // empty until first asked
  Handle(IntTools_Context) _Tools;
};

#endif
