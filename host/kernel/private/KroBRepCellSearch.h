// The geometric cell search of one solid, in three steps: the candidates (from the index, or
// every cell for the comparison scan), an exact distance test and a direction test on each,
// then the order of the answers. Also the first vertex, in the solid's order, near a point.
// Counts the exact distance tests it runs. An implementation header: never installed.
#ifndef KroBRepCellSearch_H
#define KroBRepCellSearch_H

#include <cstdint>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>
#include <vector>

#include "KroBRepTypes.h"

class KroBRepCellBoxes;
class KroBRepCellGeometry;
class KroBRepSearchIndex;
class KroBRepSolidCells;

class KroBRepCellSearch {
 public:
  // One answer: the cell's position among those of its dimension.
  struct Hit {
    int index;
    double distance;
    bool agrees;
  };

  // All must outlive the search.
  KroBRepCellSearch(KroBRepSolidCells& cells, KroBRepCellBoxes& boxes,
                    KroBRepCellGeometry& geometry, KroBRepSearchIndex& index)
      : _Cells(cells), _Boxes(boxes), _Geometry(geometry), _Index(index) {}
  KroBRepCellSearch(const KroBRepCellSearch&) = delete;
  KroBRepCellSearch& operator=(const KroBRepCellSearch&) = delete;

  // Builds the index and warms the projectors; idempotent. Times the first build.
  KroBRepStatus BuildIndex();
  double IndexBuildSeconds() const { return _IndexSeconds; }

  // The cells of the dimension strictly within the tolerance of p, best first (see
  // KroBRepSolid::Search). scan: test every cell instead of the index's candidates.
  KroBRepStatus Search(int dimension, double tolerance, const KroBRepXYZ& point,
                       const KroBRepXYZ* direction, bool scan, std::vector<Hit>& hits);
  // The first vertex in the solid's order strictly within the tolerance of p (-1 when none).
  // scan: walk every vertex in order instead of asking the index.
  KroBRepStatus FirstVertex(const KroBRepXYZ& point, double tolerance, bool scan, int& vertex);

  std::uint64_t ExactTestCount() const { return _ExactTestCount; }
  void ResetExactTestCount() { _ExactTestCount = 0; }

 private:
  // Fills _CandidateCells: every cell for a scan, else those the index gives (a volume: the
  // solid when its box is within reach).
  KroBRepStatus _Candidates(int dimension, const gp_Pnt& p, double tolerance, bool scan);
  // Fills _Found with the candidates strictly within the tolerance, each with its exact
  // distance and whether its direction agrees with wanted (always, without wanted).
  void _ExactTests(int dimension, const gp_Pnt& p, double tolerance, const gp_Vec* wanted);
  // Agreeing cells first, then nearest first, then in the solid's order.
  static void _Order(std::vector<Hit>& hits);

  KroBRepSolidCells& _Cells;
  KroBRepCellBoxes& _Boxes;
  KroBRepCellGeometry& _Geometry;
  KroBRepSearchIndex& _Index;
  double _IndexSeconds = 0.0;
  std::uint64_t _ExactTestCount = 0;
  // Kept between lookups to spare allocations.
  std::vector<int> _CandidateCells;
  std::vector<Hit> _Found;
};

#endif
