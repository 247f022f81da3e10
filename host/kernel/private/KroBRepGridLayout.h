// The cells of a uniform grid over a box, shared by the kernel's grids of points and of edge
// boxes: how the box is cut (about a target number of cells, flat axes left undivided), the cell
// of a coordinate, and the nearest search that walks rings of cells outwards from a point and
// stops when no further ring can hold anything nearer. What a cell holds is the grid's own
// business. An implementation header: never installed.
#ifndef KroBRepGridLayout_H
#define KroBRepGridLayout_H

#include <algorithm>
#include <cstdlib>
#include <gp_Pnt.hxx>
#include <limits>

class KroBRepGridLayout {
 public:
  // Cuts the box from low to high into about target cells over the axes that it spreads along
  // (an axis shorter than flat times the longest is one cell), at most maxCells along an axis.
  void Fit(const double low[3], const double high[3], double target, double flat, int maxCells);
  // An empty grid: no cell.
  void Clear() { _Size[0] = _Size[1] = _Size[2] = 0; }

  int Count() const { return _Size[0] * _Size[1] * _Size[2]; }
  // The cell of a coordinate along an axis: monotone in the coordinate, clamped to the grid.
  int Cell(double coordinate, int axis) const;
  int CellIndex(int i, int j, int k) const { return (i * _Size[1] + j) * _Size[2] + k; }
  int CellIndexOf(const gp_Pnt& p) const {
    return CellIndex(Cell(p.X(), 0), Cell(p.Y(), 1), Cell(p.Z(), 2));
  }

  // The nearest search around q: visit(cell) for the cells at Chebyshev distance 0, 1, 2...
  // from the cell of q; visit lowers best by what the cell holds and gives true when the
  // search may stop. It also stops when every cell was visited, or when the next ring lies
  // (less what rounding may have moved a point) farther than best.
  template <class Visit>
  void VisitNearest(const gp_Pnt& q, const double& best, Visit visit) const;

 private:
  template <class Visit>
  bool _VisitRing(const int c[3], int ring, Visit& visit) const;

  double _Low[3] = {0, 0, 0};
  double _Step[3] = {1, 1, 1};
  int _Size[3] = {0, 0, 0};
  double _Slack = 0.0;  // how far rounding may put a point outside its cell
};

template <class Visit>
void KroBRepGridLayout::VisitNearest(const gp_Pnt& q, const double& best, Visit visit) const {
  const int c[3] = {Cell(q.X(), 0), Cell(q.Y(), 1), Cell(q.Z(), 2)};
  double step = std::numeric_limits<double>::infinity();
  int rings = 0;
  for (int a = 0; a < 3; ++a)
    if (_Size[a] > 1) {
      step = std::min(step, _Step[a]);
      rings = std::max(rings, std::max(c[a], _Size[a] - 1 - c[a]));
    }
  for (int ring = 0; ring <= rings; ++ring) {
    // What the earlier rings did not hold lies wholly in cells at Chebyshev distance ring or
    // more, hence, along the axis of that distance, at least ring - 1 cells from q (whether q
    // is inside the grid or beyond its edge), less what rounding may have moved it. Stop when
    // that bound exceeds the best found.
    if (ring >= 2) {
      const double bound = (ring - 1) * step - 2 * _Slack;
      if (bound > 0.0 && bound * bound * (1.0 - 1e-12) > best) break;
    }
    if (_VisitRing(c, ring, visit)) break;
  }
}

template <class Visit>
bool KroBRepGridLayout::_VisitRing(const int c[3], int ring, Visit& visit) const {
  int lo[3], hi[3];
  for (int a = 0; a < 3; ++a) {
    lo[a] = std::max(0, c[a] - ring);
    hi[a] = std::min(_Size[a] - 1, c[a] + ring);
  }
  for (int i = lo[0]; i <= hi[0]; ++i)
    for (int j = lo[1]; j <= hi[1]; ++j)
      for (int k = lo[2]; k <= hi[2]; ++k) {
        // Inner cells were visited by the earlier rings.
        if (std::max({std::abs(i - c[0]), std::abs(j - c[1]), std::abs(k - c[2])}) != ring)
          continue;
        if (visit(CellIndex(i, j, k))) return true;
      }
  return false;
}

#endif
