// A uniform grid over points, for the two questions the kernel asks of many points at once: the
// squared distance from a point to the nearest of them (exactly the value a walk over all of
// them gives), and which of them lie strictly within a distance of a point. Built in linear
// time; about eight points per cell over the points' box, flat axes left undivided. An
// implementation header: never installed.
#ifndef KroBRepPointGrid_H
#define KroBRepPointGrid_H

#include <gp_Pnt.hxx>
#include <limits>
#include <vector>

#include "KroBRepGridLayout.h"

class KroBRepPointGrid {
 public:
  KroBRepPointGrid() = default;
  explicit KroBRepPointGrid(const std::vector<gp_Pnt>& points) { Build(points); }

  // The points, each known by its position in the vector.
  void Build(const std::vector<gp_Pnt>& points);
  bool Empty() const { return _Entries.empty(); }

  // The smallest q.SquareDistance(point) over the points; infinity when there is none. With
  // enough, the search stops at the first point whose squared distance is at most enough and
  // gives that (for a caller that only needs to know whether the smallest exceeds enough).
  double NearestSquareDistance(const gp_Pnt& q,
                               double enough = -std::numeric_limits<double>::infinity()) const;
  // Appends the positions of the points with q.Distance(point) < radius, in no set order.
  void Within(const gp_Pnt& q, double radius, std::vector<int>& out) const;

 private:
  struct Entry {
    gp_Pnt point;
    int index;
  };

  KroBRepGridLayout _Grid;
  std::vector<int> _Starts;  // entries of cell n: [_Starts[n], _Starts[n + 1])
  std::vector<Entry> _Entries;
};

#endif
