// The local geometry of a solid's cells, as the cell search and the cell handles ask for it:
// exact distances from a point (with the parameters of the nearest point), projections,
// tangents, outward normals, and the point written for each cell (a point well inside a face, a
// point inside the solid), computed once and kept. Faces keep their classifier and the list of
// their edges. An implementation header: never installed.
#ifndef KroBRepCellGeometry_H
#define KroBRepCellGeometry_H

#include <TopAbs_State.hxx>
#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <gp_Pnt2d.hxx>
#include <memory>
#include <vector>

#include "KroBRepFaceClassifier.h"
#include "KroBRepTypes.h"

class KroBRepCellBoxes;
class KroBRepSolidCells;

class KroBRepCellGeometry {
 public:
  // Both must outlive the geometry.
  KroBRepCellGeometry(KroBRepSolidCells& cells, KroBRepCellBoxes& boxes);
  KroBRepCellGeometry(const KroBRepCellGeometry&) = delete;
  KroBRepCellGeometry& operator=(const KroBRepCellGeometry&) = delete;
  ~KroBRepCellGeometry();

  // --- Faces (made on first need; no box needed) ---
  KroBRepFaceClassifier& Classifier(int face);
  TopAbs_State Classify(int face, const gp_Pnt2d& uv) { return Classifier(face).Classify(uv); }
  // Positions of the face's edges among the solid's edges, ascending.
  const std::vector<int>& FaceEdges(int face);

  // --- Exact distances (engine exceptions pass through) ---
  // From p to the cell; a face or volume looks no farther than limit (a larger answer only
  // says "at least limit").
  double Distance(int dimension, int index, const gp_Pnt& p, double limit);
  // From p to an edge, with the curve parameter of the nearest point when param is given.
  double EdgeDistance(int edge, const gp_Pnt& p, double* param);
  // From p to a face, with the surface parameters of the nearest surface point when uv is
  // given; boundary edges farther than limit are not looked at.
  double FaceDistance(int face, const gp_Pnt& p, double limit, gp_Pnt2d* uv);
  // From p to the solid: 0 inside or on it.
  double VolumeDistance(const gp_Pnt& p, double limit);

  // --- Local geometry ---
  // (u, v) of the nearest point of the face's surface.
  void ProjectOnSurface(int face, const gp_Pnt& p, gp_Pnt2d& uv);
  // Unit normal at (u, v) pointing out of the material; false where none is defined.
  bool FaceNormal(int face, double u, double v, gp_Dir& normal);
  // Edge: unit tangent at the projection of p; face: outward unit normal there. False for
  // other dimensions, degenerate edges and undefined normals.
  bool CellDirection(int dimension, int index, const gp_Pnt& p, gp_Dir& direction);

  // --- The point of a cell (computed once and kept) ---
  // Vertex: its point; edge: the point at mid-parameter; face: a point well inside it;
  // volume: a point inside the solid. Failed when none could be found.
  KroBRepCode Point(int dimension, int index, gp_Pnt& point);

  // Makes the projectors and face data of every edge and face ahead of the searches.
  void Warm();

 private:
  struct CachedPoint {
    bool done = false;
    KroBRepCode code = KroBRepCode::Ok;
    gp_Pnt point;
  };
  struct FaceData {
    std::unique_ptr<KroBRepFaceClassifier> classifier;
    bool edgesListed = false;
    std::vector<int> edges;
  };

  bool _Inside(const gp_Pnt& p, double tolerance);
  void _ComputePoint(int dimension, int index);
  gp_Pnt _FaceInteriorPoint(int face);
  gp_Pnt _VolumeInteriorPoint();

  KroBRepSolidCells& _Cells;
  KroBRepCellBoxes& _Boxes;
  std::vector<CachedPoint> _Points[4];
  std::vector<FaceData> _Faces;
};

#endif
