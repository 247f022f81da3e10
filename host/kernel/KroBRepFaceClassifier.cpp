// Classification of parameter points against a face, hole by hole behind a box test.
#include "KroBRepFaceClassifier.h"

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>

namespace {

// Faces with more wires than this are classified wire by wire behind a box test.
constexpr int kWholeFaceClassifierMaxWires = 8;

}  // namespace

KroBRepFaceClassifier::KroBRepFaceClassifier(const TopoDS_Face& face)
    : _Forward(TopoDS::Face(face.Oriented(TopAbs_FORWARD))) {
  _ToleranceUV = std::max(BRep_Tool::Tolerance(_Forward), Precision::PConfusion());
  int wires = 0;
  for (TopExp_Explorer it(_Forward, TopAbs_WIRE); it.More(); it.Next()) ++wires;
  if (wires <= kWholeFaceClassifierMaxWires) return;
  const TopoDS_Wire outer = BRepTools::OuterWire(_Forward);
  BRep_Builder builder;
  TopoDS_Face outerFace = TopoDS::Face(_Forward.EmptyCopied());
  builder.Add(outerFace, outer);
  _Outer = std::make_unique<BRepTopAdaptor_FClass2d>(outerFace, _ToleranceUV);
  for (TopExp_Explorer it(_Forward, TopAbs_WIRE); it.More(); it.Next()) {
    const TopoDS_Wire& wire = TopoDS::Wire(it.Current());
    if (wire.IsSame(outer)) continue;
    Hole hole;
    hole.wire = wire;
    BRepTools::AddUVBounds(_Forward, wire, hole.box);
    hole.box.Enlarge(_ToleranceUV);
    _Holes.push_back(std::move(hole));
  }
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
  for (Hole& hole : _Holes) {
    if (hole.box.IsOut(uv)) continue;
    const TopAbs_State inHole = _ClassifyInHole(hole, uv);
    if (inHole == TopAbs_IN) return TopAbs_OUT;
    if (inHole == TopAbs_ON) state = TopAbs_ON;
  }
  return state;
}
