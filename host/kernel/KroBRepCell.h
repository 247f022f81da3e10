// KroBRepCell.h
//
// KroBRepCell: a light handle on one topological cell of a solid: a vertex (dimension 0), an edge
// (1), a face (2) or a volume (3). It is a value (copy freely); it stays valid as long as the
// KroBRepModel that owns its solid lives. A default-constructed cell is null.
//
// Queries: dimension, tag (32 bits, unique in the model, stable across loads of the same file),
// sub-cells in a stable order, a point on the cell, and the local geometry the geometric cell
// search works with:
//  - edge: curve parameter range, projection of a point (-> parameter), first derivative;
//  - face: projection of a point (-> u, v), unit normal pointing out of the material;
//  - any cell: exact distance from a point, and "Direction" = unit tangent (edge) / outward unit
//    normal (face) at the projection of a point.
// Degenerate edges (no 3D curve) answer KroBRepCode::NoGeometry; nothing throws.
#ifndef KroBRepCell_H
#define KroBRepCell_H

#include "KroBRepTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class KroBRepSolid;
class KroBRepModel;

class KroBRepCell {
 public:
  KroBRepCell() = default;

  bool IsNull() const { return _Solid == nullptr; }
  int Dimension() const { return _Dimension; }  // 0..3, -1 when null
  // Position (from 0) in the solid's list for its dimension.
  int Index() const { return _Index; }
  const KroBRepSolid* Solid() const { return _Solid; }
  std::uint32_t Tag() const;  // 0 when null

  // Kind of the underlying geometry: "Point", "Line", "Circle", "Ellipse", "BSplineCurve", ...,
  // "Plane", "Cylinder", "Cone", "Sphere", "Torus", "BSplineSurface", "Revolution",
  // "Extrusion", ..., "Volume"; "None" for a degenerate edge or a null cell.
  std::string GeometryType() const;
  // False for a degenerate edge (no 3D curve) and for a null cell.
  bool HasGeometry() const;
  // Degenerate edge (collapsed to a point, e.g. at a sphere's pole).
  bool IsDegenerate() const;
  // Seam edge (appears twice in the wire of some face of the solid).
  bool IsSeam() const;

  // The cells of a lower dimension that bound this one, in a stable order, each once
  // (volume -> faces/edges/vertices, face -> edges/vertices, edge -> vertices).
  std::vector<KroBRepCell> SubCells(int dimension) const;

  // A point that lies on the cell: vertex = its point; edge = point at mid-parameter; face = a
  // point well inside the face, far from its boundary; volume = a point inside the solid.
  // Computed once and cached.
  KroBRepStatus Point(KroBRepXYZ& point) const;

  // Exact B-rep distance from a point to the cell (volume: 0 inside or on the solid).
  KroBRepStatus DistanceTo(const KroBRepXYZ& point, double& distance) const;

  // Edge: parameter range of its curve.
  KroBRepStatus ParameterRange(double& first, double& last) const;
  // Edge: parameter of the nearest point of the curve (within the edge's range).
  KroBRepStatus ProjectOnCurve(const KroBRepXYZ& point, double& parameter) const;
  // Edge: first derivative of the curve at a parameter (not normalised).
  KroBRepStatus Tangent(double parameter, KroBRepXYZ& derivative) const;

  // Face: (u, v) of the nearest point of the surface.
  KroBRepStatus ProjectOnSurface(const KroBRepXYZ& point, double& u, double& v) const;
  // Face: unit normal at (u, v), pointing out of the material (face orientation respected).
  KroBRepStatus Normal(double u, double v, KroBRepXYZ& normal) const;

  // Edge: unit tangent at the projection of the point; face: outward unit normal there.
  // Vertices and volumes: NoGeometry.
  KroBRepStatus Direction(const KroBRepXYZ& point, KroBRepXYZ& direction) const;

  friend bool operator==(const KroBRepCell& a, const KroBRepCell& b) {
    return a._Solid == b._Solid && a._Dimension == b._Dimension && a._Index == b._Index;
  }
  friend bool operator!=(const KroBRepCell& a, const KroBRepCell& b) { return !(a == b); }

 private:
  friend class KroBRepSolid;
  KroBRepCell(const KroBRepSolid* solid, int dimension, int index)
      : _Solid(solid), _Dimension(dimension), _Index(index) {}

  const KroBRepSolid* _Solid = nullptr;
  int _Dimension = -1;
  int _Index = -1;
};

// One answer of KroBRepSolid::Search.
struct KroBRepCellHit {
  KroBRepCell cell;
  double distance = 0.0;         // exact distance from the searched point
  bool directionAgrees = false;  // direction test passed (always true for vertices and volumes)
};

#endif
