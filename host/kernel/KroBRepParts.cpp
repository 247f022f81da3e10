// The shapes of the kernel's built-in parts (sample bracket, holed plates, plate versions...).
#include "KroBRepParts.h"

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <BRepOffsetAPI_ThruSections.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeSphere.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Wire.hxx>
#include <cmath>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>
#include <gp_Pln.hxx>
#include <gp_Vec.hxx>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The first solid of a boolean or fillet result.
TopoDS_Shape FirstSolid(const TopoDS_Shape& shape, const char* what) {
  for (TopExp_Explorer it(shape, TopAbs_SOLID); it.More(); it.Next()) return it.Current();
  throw std::runtime_error(std::string(what) + ": no solid in the result");
}

TopoDS_Shape Fuse(const TopoDS_Shape& a, const TopoDS_Shape& b, const char* what) {
  BRepAlgoAPI_Fuse op(a, b);
  if (!op.IsDone()) throw std::runtime_error(std::string(what) + ": fuse failed");
  op.SimplifyResult();
  return FirstSolid(op.Shape(), what);
}

TopoDS_Shape Cut(const TopoDS_Shape& a, const std::vector<TopoDS_Shape>& tools, const char* what) {
  TopTools_ListOfShape args, toolList;
  args.Append(a);
  for (const TopoDS_Shape& t : tools) toolList.Append(t);
  BRepAlgoAPI_Cut op;
  op.SetArguments(args);
  op.SetTools(toolList);
  op.Build();
  if (!op.IsDone()) throw std::runtime_error(std::string(what) + ": cut failed");
  return FirstSolid(op.Shape(), what);
}

TopoDS_Shape Drill(double x, double y, double z0, double radius, double depth) {
  return BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(x, y, z0), gp::DZ()), radius, depth).Shape();
}

bool IsVerticalLine(const TopoDS_Edge& e, double x, double y) {
  if (BRep_Tool::Degenerated(e)) return false;
  double f = 0, l = 0;
  Handle(Geom_Curve) c = BRep_Tool::Curve(e, f, l);
  if (c.IsNull()) return false;
  const gp_Pnt a = c->Value(f), b = c->Value(l);
  return std::abs(a.X() - b.X()) < 1e-9 && std::abs(a.Y() - b.Y()) < 1e-9 &&
         std::abs(a.X() - x) < 1e-9 && std::abs(a.Y() - y) < 1e-9;
}

// A circular edge lying in the plane z at the given center (the foot of a boss).
bool IsCircleAt(const TopoDS_Edge& e, double x, double y, double z, double radius) {
  if (BRep_Tool::Degenerated(e)) return false;
  double f = 0, l = 0;
  Handle(Geom_Curve) c = BRep_Tool::Curve(e, f, l);
  if (c.IsNull()) return false;
  for (double t : {f, 0.5 * (f + l), l}) {
    const gp_Pnt p = c->Value(t);
    if (std::abs(p.Z() - z) > 1e-7) return false;
    if (std::abs(std::hypot(p.X() - x, p.Y() - y) - radius) > 1e-7) return false;
  }
  return true;
}

}  // namespace

void KroBRepParts::SamplePart(std::vector<TopoDS_Shape>& solids,
                              std::vector<KroBRepFeature>& features) {
  auto add = [&](const TopoDS_Shape& s, const char* name, const char* alias, const char* journal) {
    KroBRepFeature f;
    f.name = name;
    f.alias = alias;
    f.journalingName = journal;
    f.solidIndex = static_cast<int>(solids.size());
    solids.push_back(s);
    features.push_back(f);
  };
  const double L = 80, W = 50, T = 8;

  // Plate: a box with its four vertical edges rounded.
  TopoDS_Shape plate = BRepPrimAPI_MakeBox(gp_Pnt(0, 0, 0), L, W, T).Shape();
  {
    BRepFilletAPI_MakeFillet fillet(plate);
    for (TopExp_Explorer it(plate, TopAbs_EDGE); it.More(); it.Next()) {
      const TopoDS_Edge& e = TopoDS::Edge(it.Current());
      for (auto xy : {std::pair<double, double>{0, 0}, {L, 0}, {0, W}, {L, W}})
        if (IsVerticalLine(e, xy.first, xy.second)) fillet.Add(6.0, e);
    }
    fillet.Build();
    if (!fillet.IsDone()) throw std::runtime_error("Plate: fillet failed");
    plate = FirstSolid(fillet.Shape(), "Plate");
  }
  add(plate, "Plate", "BasePlate", "Pad.1");

  // Boss: a cylinder standing on the plate.
  const double bx = 56, by = 25, br = 12, bh = 20;
  TopoDS_Shape part = Fuse(plate, Drill(bx, by, T - 1, br, bh + 1), "Boss");
  add(part, "Boss", "", "Pad.2");

  // Fillet.1: round the foot of the boss (toroidal face).
  {
    BRepFilletAPI_MakeFillet fillet(part);
    for (TopExp_Explorer it(part, TopAbs_EDGE); it.More(); it.Next()) {
      const TopoDS_Edge& e = TopoDS::Edge(it.Current());
      if (IsCircleAt(e, bx, by, T, br)) fillet.Add(2.5, e);
    }
    fillet.Build();
    if (!fillet.IsDone()) throw std::runtime_error("Fillet.1: fillet failed");
    part = FirstSolid(fillet.Shape(), "Fillet.1");
  }
  add(part, "Fillet.1", "BossFoot", "EdgeFillet.1");

  // Rib: a wedge from the plate edge up the side of the boss (slanted planar face).
  {
    BRepBuilderAPI_MakePolygon profile;
    profile.Add(gp_Pnt(20, by - 2, T - 0.5));
    profile.Add(gp_Pnt(bx - 4, by - 2, T - 0.5));
    profile.Add(gp_Pnt(bx - 4, by - 2, T + 14));
    profile.Close();
    TopoDS_Face face = BRepBuilderAPI_MakeFace(profile.Wire(), true).Face();
    TopoDS_Shape rib = BRepPrimAPI_MakePrism(face, gp_Vec(0, 4, 0)).Shape();
    part = Fuse(part, rib, "Rib");
  }
  add(part, "Rib", "", "Stiffener.1");

  // Pad: a loft from a square to a circle (B-spline faces) on the plate's left end.
  {
    BRepBuilderAPI_MakePolygon square;
    const double cx = 12, cy = 25, h = 6;
    square.Add(gp_Pnt(cx - h, cy - h, T - 0.5));
    square.Add(gp_Pnt(cx + h, cy - h, T - 0.5));
    square.Add(gp_Pnt(cx + h, cy + h, T - 0.5));
    square.Add(gp_Pnt(cx - h, cy + h, T - 0.5));
    square.Close();
    TopoDS_Edge circle =
        BRepBuilderAPI_MakeEdge(gp_Circ(gp_Ax2(gp_Pnt(cx, cy, T + 7), gp::DZ()), 3.5)).Edge();
    TopoDS_Wire top = BRepBuilderAPI_MakeWire(circle).Wire();
    BRepOffsetAPI_ThruSections loft(true, false);
    loft.AddWire(square.Wire());
    loft.AddWire(top);
    loft.Build();
    if (!loft.IsDone()) throw std::runtime_error("Loft: loft failed");
    part = Fuse(part, loft.Shape(), "Loft");
  }
  add(part, "Loft", "Knob", "Loft.1");

  // Holes through the plate, then a bore through the boss.
  part = Cut(part, {Drill(30, 8, -1, 3.5, T + 2)}, "Hole.1");
  add(part, "Hole.1", "", "Hole.1");
  part = Cut(part, {Drill(30, W - 8, -1, 3.5, T + 2)}, "Hole.2");
  add(part, "Hole.2", "", "");  // no journaling name: known by its spec name
  part = Cut(part, {Drill(bx, by, -1, 6, T + bh + 2)}, "BossHole");
  add(part, "BossHole", "Bore", "Hole.3");
}

TopoDS_Shape KroBRepParts::Box(double dx, double dy, double dz) {
  return BRepPrimAPI_MakeBox(gp_Pnt(0, 0, 0), dx, dy, dz).Solid();
}

TopoDS_Shape KroBRepParts::HoledPlate(int rows, int cols, bool filleted) {
  const double pitch = 4.0, radius = 1.2, margin = 3.0, thickness = 2.0;
  const double L = margin * 2 + pitch * (cols > 0 ? cols - 1 : 0);
  const double W = margin * 2 + pitch * (rows > 0 ? rows - 1 : 0);
  BRepBuilderAPI_MakeFace mf(gp_Pln(gp::XOY()), 0.0, L, 0.0, W);
  TopoDS_Face base = mf.Face();
  BRepBuilderAPI_MakeFace withHoles(base);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      gp_Circ circ(gp_Ax2(gp_Pnt(margin + pitch * c, margin + pitch * r, 0), gp::DZ()), radius);
      TopoDS_Wire w = BRepBuilderAPI_MakeWire(BRepBuilderAPI_MakeEdge(circ).Edge()).Wire();
      withHoles.Add(TopoDS::Wire(w.Reversed()));
    }
  TopoDS_Shape plate = BRepPrimAPI_MakePrism(withHoles.Face(), gp_Vec(0, 0, thickness)).Shape();
  plate = FirstSolid(plate, "HoledPlate");
  if (!filleted) return plate;
  BRepFilletAPI_MakeFillet fillet(plate);
  const double eps = 1e-7;
  for (TopExp_Explorer it(plate, TopAbs_EDGE); it.More(); it.Next()) {
    const TopoDS_Edge& e = TopoDS::Edge(it.Current());
    double f = 0, l = 0;
    Handle(Geom_Curve) crv = BRep_Tool::Curve(e, f, l);
    if (crv.IsNull()) continue;
    const gp_Pnt a = crv->Value(f), b = crv->Value(l);
    auto onBorder = [&](const gp_Pnt& p) {
      return std::abs(p.X()) < eps || std::abs(p.X() - L) < eps || std::abs(p.Y()) < eps ||
             std::abs(p.Y() - W) < eps;
    };
    if (onBorder(a) && onBorder(b) && onBorder(crv->Value(0.5 * (f + l)))) fillet.Add(0.5, e);
  }
  fillet.Build();
  if (!fillet.IsDone()) throw std::runtime_error("HoledPlate: fillet failed");
  return FirstSolid(fillet.Shape(), "HoledPlate");
}

TopoDS_Shape KroBRepParts::FilletedPlate() {
  TopoDS_Shape box = BRepPrimAPI_MakeBox(gp_Pnt(0, 0, 0), 60, 40, 10).Shape();
  BRepFilletAPI_MakeFillet fillet(box);
  for (TopExp_Explorer it(box, TopAbs_EDGE); it.More(); it.Next())
    fillet.Add(3.0, TopoDS::Edge(it.Current()));
  fillet.Build();
  if (!fillet.IsDone()) throw std::runtime_error("FilletedPlate: fillet failed");
  return FirstSolid(fillet.Shape(), "FilletedPlate");
}

TopoDS_Shape KroBRepParts::PlateVersion(int version) {
  TopoDS_Shape box = BRepPrimAPI_MakeBox(gp_Pnt(0, 0, 0), 100, 60, 10).Shape();
  std::vector<TopoDS_Shape> tools = {Drill(20, 30, -1, 5, 12), Drill(50, 30, -1, 5, 12)};
  if (version >= 2) tools.push_back(Drill(80, 30, -1, 5, 12));
  return Cut(box, tools, "PlateVersion");
}

TopoDS_Shape KroBRepParts::Sphere(double radius) { return BRepPrimAPI_MakeSphere(radius).Solid(); }

TopoDS_Shape KroBRepParts::Cylinder(double radius, double height) {
  return BRepPrimAPI_MakeCylinder(radius, height).Solid();
}
