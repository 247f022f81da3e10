// Where a point of a face's parameter plane lies with respect to the face: inside, on its
// boundary or outside. A face with many wires (a plate with thousands of holes) is classified
// against its outer wire, then only against the holes whose own parameter box holds the
// point; each hole's classifier is made on first need. An
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

 private:
  struct Hole {
    Bnd_Box2d box;
    TopoDS_Wire wire;
    std::unique_ptr<BRepTopAdaptor_FClass2d> classifier;  // made on first need
  };

  TopAbs_State _ClassifyInHole(Hole& hole, const gp_Pnt2d& uv);

  TopoDS_Face _Forward;
  double _ToleranceUV = 1e-7;
  std::unique_ptr<BRepTopAdaptor_FClass2d> _Whole;  // faces with few wires
  std::unique_ptr<BRepTopAdaptor_FClass2d> _Outer;  // faces with many: the outer wire alone
  std::vector<Hole> _Holes;
};

#endif
