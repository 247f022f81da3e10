// The points spread along a face's edges (25 intervals per edge with a curve, both ends
// included; a degenerate edge gives its one point), and the squared distance from a point to
// the nearest of them: exactly the value a walk over all of them gives. A face with many edges
// that are all lines or circles (a plate with thousands of holes) makes the points of an edge
// only when a query comes near the edge's box, found through a grid over the boxes; other
// faces make every point at once, behind a point grid. An implementation header: never
// installed.
#ifndef KroBRepFaceBoundary_H
#define KroBRepFaceBoundary_H

#include <Bnd_Box.hxx>
#include <gp_Pnt.hxx>
#include <limits>
#include <vector>

#include "KroBRepGridLayout.h"
#include "KroBRepPointGrid.h"

class KroBRepSolidCells;

class KroBRepFaceBoundary {
 public:
  // cells must outlive it; edges: the face's edges, as positions among the solid's edges.
  KroBRepFaceBoundary(KroBRepSolidCells& cells, const std::vector<int>& edges);
  KroBRepFaceBoundary(const KroBRepFaceBoundary&) = delete;
  KroBRepFaceBoundary& operator=(const KroBRepFaceBoundary&) = delete;

  // The smallest squared distance from q to the points; with enough, stops at the first point
  // at most enough away (squared) and gives that (KroBRepPointGrid::NearestSquareDistance).
  double NearestSquareDistance(const gp_Pnt& q,
                               double enough = -std::numeric_limits<double>::infinity());

 private:
  struct Edge {
    int edge;        // position among the solid's edges
    Bnd_Box box;     // holds the edge with its tolerance
    int first = -1;  // its points in _Made, once made: [first, first + count)
    int count = 0;
  };

  // The points of one edge, in the order they are always made.
  void _PointsOf(int edge, std::vector<gp_Pnt>& points);
  bool _MakeEdgeGrid();
  // Lowers best by the edges of the cell that no earlier cell of this query held; true when it
  // reached enough.
  bool _NearestInCell(const gp_Pnt& q, int cell, double enough, double& best);

  KroBRepSolidCells& _Cells;
  bool _Lazy = false;
  KroBRepPointGrid _Points;  // every point, when not lazy
  std::vector<Edge> _Edges;
  std::vector<gp_Pnt> _Made;  // points of the edges made so far
  // Grid over the edge boxes: cell n holds _EdgesOf[_Starts[n], _Starts[n + 1]).
  KroBRepGridLayout _Grid;
  std::vector<int> _Starts;
  std::vector<int> _EdgesOf;
  std::vector<unsigned> _Seen;  // per edge, the last query that looked at it
  unsigned _Query = 0;
};

#endif
