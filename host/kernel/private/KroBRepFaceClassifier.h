// Where a point of a face's parameter plane lies with respect to the face: inside, on its
// boundary or outside. A face with many wires (a plate with thousands of holes) is classified
// against its outer wire, then only against the holes whose own parameter box holds the point,
// found through a grid over those boxes; each hole's classifier is made on first need. Also
// gives the face's parameter box. An
// implementation header: never installed.
#ifndef KroBRepFaceClassifier_H
#define KroBRepFaceClassifier_H

#include <BRepTopAdaptor_FClass2d.hxx>
#include <Bnd_Box2d.hxx>
#include <TopAbs_State.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Pnt2d.hxx>
#include <memory>
#include <vector>

class KroBRepFaceClassifier {
 public:
  // face: the face as the solid holds it (any orientation).
  explicit KroBRepFaceClassifier(const TopoDS_Face& face);
  KroBRepFaceClassifier(const KroBRepFaceClassifier&) = delete;
  KroBRepFaceClassifier& operator=(const KroBRepFaceClassifier&) = delete;

  // The face turned forward, and the parameter-plane tolerance used to classify on it.
  const TopoDS_Face& Forward() const { return _Forward; }
  double ToleranceUV() const { return _ToleranceUV; }

  // IN, ON (the boundary) or OUT.
  TopAbs_State Classify(const gp_Pnt2d& uv);
  // The face's parameter box, as the engine's UVBounds gives it (made once).
  void Bounds(double& u0, double& u1, double& v0, double& v1);

 private:
  struct Hole {
    Bnd_Box2d box;
    TopoDS_Wire wire;
    std::unique_ptr<BRepTopAdaptor_FClass2d> classifier;  // made on first need
  };

  // The outer wire and the holes with their boxes: on a plane from the 3D boxes of their
  // edges (false when the face is no plane or a box check fails), else from parameter curves.
  bool _HolesOfPlane(const std::vector<TopoDS_Wire>& wires);
  void _HolesOfAnyFace(const std::vector<TopoDS_Wire>& wires);
  void _MakeHoleGrid();
  int _GridCell(double value, int axis) const;
  // The holes (positions in _Holes, ascending) whose grid cell holds uv.
  const std::vector<int>& _HolesNear(const gp_Pnt2d& uv) const;
  TopAbs_State _ClassifyInHole(Hole& hole, const gp_Pnt2d& uv);

  TopoDS_Face _Forward;
  double _ToleranceUV = 1e-7;
  std::unique_ptr<BRepTopAdaptor_FClass2d> _Whole;  // faces with few wires
  std::unique_ptr<BRepTopAdaptor_FClass2d> _Outer;  // faces with many: the outer wire alone
  TopoDS_Wire _OuterWire;
  bool _HaveBounds = false;
  double _Bounds[4] = {0, 0, 0, 0};  // u0, u1, v0, v1
  std::vector<Hole> _Holes;
  // Grid over the holes' boxes: _GridSize x _GridSize cells of _GridStep from _GridMin, each
  // with the holes whose box overlaps it, in ascending order.
  int _GridSize = 0;
  double _GridMin[2] = {0, 0};
  double _GridStep[2] = {1, 1};
  std::vector<std::vector<int>> _GridCells;
  std::vector<int> _NoHoles;
  std::vector<int> _AllHoles;  // for a point that is not finite, which no box test rules out
};

#endif
