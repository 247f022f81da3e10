// KroBRepSolid: one solid of a model (one "body" of the host): its name and tag, its cells by
// dimension in a stable order (the same at every load of the same file), lookup of a cell by
// tag, and the geometric cell search:
//
//   Search(dimension, tolerance, point, direction) -> cells of that dimension whose exact
//   distance to the point is strictly below the tolerance, best first: those whose direction at
//   the projection agrees with the given one come first (face: outward normal; edge: tangent up
//   to sign; no test for vertices and volumes), nearest first within each class, then by order.
//
// The search runs on a bounding-volume tree over the cells' boxes, built once per solid (lazily
// on the first search, or by BuildIndex), and then only runs exact distance tests on the cells
// whose box lies within the tolerance of the point. Every box is checked to hold its cell when
// it is made. SearchBruteForce runs the exact test on every cell, for comparison.
// ExactTestCount counts exact distance tests (every variant, vertex lookups included).
//
// Not thread-safe: searches fill caches inside the solid.
#ifndef KroBRepSolid_H
#define KroBRepSolid_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KroBRepCell.h"
#include "KroBRepTypes.h"

class KroBRepModel;

class KroBRepSolid {
 public:
  ~KroBRepSolid();
  KroBRepSolid(const KroBRepSolid&) = delete;
  KroBRepSolid& operator=(const KroBRepSolid&) = delete;

  const std::string& Name() const;
  std::uint32_t Tag() const;
  int Index() const;  // position in the model, 0-based
  const KroBRepModel& Model() const;

  // Cells by dimension (0 vertices, 1 edges, 2 faces, 3 volumes - one volume per solid).
  int CellCount(int dimension) const;                // 0 for a bad dimension
  KroBRepCell Cell(int dimension, int index) const;  // null when out of range
  std::vector<KroBRepCell> Cells(int dimension) const;
  KroBRepCell CellByTag(std::uint32_t tag) const;  // null when not a cell of this solid

  // Axis-aligned bounding box of the solid.
  void BoundingBox(KroBRepXYZ& min, KroBRepXYZ& max) const;

  // The geometric cell search (see above). direction may be null: no direction test then.
  // Fails only for a bad dimension, a negative tolerance or an engine failure; no cell within
  // the tolerance is a success with an empty list.
  KroBRepStatus Search(int dimension, double tolerance, const KroBRepXYZ& point,
                       const KroBRepXYZ* direction, std::vector<KroBRepCellHit>& hits) const;
  // Same answers, by an exact distance test on every cell of the dimension.
  KroBRepStatus SearchBruteForce(int dimension, double tolerance, const KroBRepXYZ& point,
                                 const KroBRepXYZ* direction,
                                 std::vector<KroBRepCellHit>& hits) const;

  // The first vertex in the solid's order whose distance to the point is strictly below the
  // tolerance (not the nearest one), found through the index: every vertex within the
  // tolerance, then the lowest position. NotFound, vertex unchanged, when none.
  KroBRepStatus FirstVertexNear(const KroBRepXYZ& point, double tolerance,
                                KroBRepCell& vertex) const;
  // Same answer, by walking the vertices in order.
  KroBRepStatus FirstVertexNearByWalk(const KroBRepXYZ& point, double tolerance,
                                      KroBRepCell& vertex) const;

  // Builds the search index for all dimensions (and warms the projectors). Idempotent.
  KroBRepStatus BuildIndex() const;
  bool HasIndex() const;
  double IndexBuildSeconds() const;  // wall time of the index build, 0 if none

  std::uint64_t ExactTestCount() const;
  void ResetExactTestCount() const;

 private:
  friend class KroBRepCell;
  friend class KroBRepModel;
  friend class KroBRepModelBuilder;
  struct Impl;  // engine-side data (private/KroBRepSolidImpl.h)
  explicit KroBRepSolid(std::unique_ptr<Impl> impl);
  Impl& GetImpl() const { return *_Impl; }
  KroBRepStatus _FirstVertex(const KroBRepXYZ& point, double tolerance, bool walk,
                             KroBRepCell& vertex) const;
  std::unique_ptr<Impl> _Impl;
};

#endif
