// A uniform grid over points: nearest squared distance and points within a radius.
#include "KroBRepPointGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kMaxCellsPerAxis = 1024;
// So few points are walked rather than looked up cell by cell.
constexpr size_t kWalkedPoints = 128;

double Coord(const gp_Pnt& p, int axis) { return p.XYZ().GetData()[axis]; }

}  // namespace

void KroBRepPointGrid::Build(const std::vector<gp_Pnt>& points) {
  _Entries.clear();
  _Starts.clear();
  _Size[0] = _Size[1] = _Size[2] = 0;
  if (points.empty()) return;
  double high[3];
  for (int a = 0; a < 3; ++a) _Low[a] = high[a] = Coord(points[0], a);
  for (const gp_Pnt& p : points)
    for (int a = 0; a < 3; ++a) {
      _Low[a] = std::min(_Low[a], Coord(p, a));
      high[a] = std::max(high[a], Coord(p, a));
    }
  // A cell side that gives about eight points per cell over the axes the points spread along.
  const double target = std::max(1.0, points.size() / 8.0);
  double extent[3], volume = 1.0, scale = 0.0;
  int spread = 0;
  for (int a = 0; a < 3; ++a) {
    extent[a] = high[a] - _Low[a];
    scale = std::max({scale, std::abs(_Low[a]), std::abs(high[a])});
  }
  const double largest = std::max({extent[0], extent[1], extent[2]});
  for (int a = 0; a < 3; ++a)
    if (extent[a] > 1e-9 * largest) volume *= extent[a], ++spread;
  const double side = spread == 0 ? 1.0 : std::pow(volume / target, 1.0 / spread);
  for (int a = 0; a < 3; ++a) {
    const double cells =
        extent[a] > 1e-9 * largest && side > 0.0 ? std::ceil(extent[a] / side) : 1.0;
    _Size[a] = static_cast<int>(std::max(1.0, std::min(cells, double(kMaxCellsPerAxis))));
    _Step[a] = extent[a] > 0.0 ? extent[a] / _Size[a] : 1.0;
  }
  _Slack = 1e-9 * (scale + largest) + std::numeric_limits<double>::min();
  // Counting sort of the points by cell.
  const int count = _Size[0] * _Size[1] * _Size[2];
  std::vector<int> cellOf(points.size());
  _Starts.assign(count + 1, 0);
  for (size_t n = 0; n < points.size(); ++n) {
    const gp_Pnt& p = points[n];
    cellOf[n] = _CellIndex(_Cell(p.X(), 0), _Cell(p.Y(), 1), _Cell(p.Z(), 2));
    ++_Starts[cellOf[n] + 1];
  }
  for (int c = 0; c < count; ++c) _Starts[c + 1] += _Starts[c];
  std::vector<int> next(_Starts.begin(), _Starts.end() - 1);
  _Entries.resize(points.size());
  for (size_t n = 0; n < points.size(); ++n)
    _Entries[next[cellOf[n]]++] = Entry{points[n], static_cast<int>(n)};
}

int KroBRepPointGrid::_Cell(double coordinate, int axis) const {
  const double at = std::floor((coordinate - _Low[axis]) / _Step[axis]);
  if (!(at > 0.0)) return 0;
  return at >= _Size[axis] - 1 ? _Size[axis] - 1 : static_cast<int>(at);
}

double KroBRepPointGrid::NearestSquareDistance(const gp_Pnt& q, double enough) const {
  double best = std::numeric_limits<double>::infinity();
  if (_Entries.size() <= kWalkedPoints) {
    for (const Entry& e : _Entries) {
      best = std::min(best, q.SquareDistance(e.point));
      if (best <= enough) break;
    }
    return best;
  }
  const int c[3] = {_Cell(q.X(), 0), _Cell(q.Y(), 1), _Cell(q.Z(), 2)};
  double step = std::numeric_limits<double>::infinity();
  int rings = 0;
  for (int a = 0; a < 3; ++a)
    if (_Size[a] > 1) {
      step = std::min(step, _Step[a]);
      rings = std::max(rings, std::max(c[a], _Size[a] - 1 - c[a]));
    }
  for (int ring = 0; ring <= rings; ++ring) {
    // A point of a cell at Chebyshev distance ring lies, along the axis of that distance, at
    // least ring - 1 cells from q (whether q is inside the grid or beyond its edge), less
    // what rounding may have moved it. Stop when that bound exceeds the best found.
    if (ring >= 2) {
      const double bound = (ring - 1) * step - 2 * _Slack;
      if (bound > 0.0 && bound * bound * (1.0 - 1e-12) > best) break;
    }
    if (_NearestInRing(q, c, ring, enough, best)) break;
  }
  return best;
}

bool KroBRepPointGrid::_NearestInRing(const gp_Pnt& q, const int c[3], int ring, double enough,
                                      double& best) const {
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
        const int cell = _CellIndex(i, j, k);
        for (int e = _Starts[cell]; e < _Starts[cell + 1]; ++e) {
          best = std::min(best, q.SquareDistance(_Entries[e].point));
          if (best <= enough) return true;
        }
      }
  return false;
}

void KroBRepPointGrid::Within(const gp_Pnt& q, double radius, std::vector<int>& out) const {
  if (_Entries.empty() || !(radius > 0.0)) return;
  // A point within the radius has each coordinate within it, hence (the cell mapping being
  // monotone) its cell between those of q - radius and q + radius.
  int lo[3], hi[3];
  const double at[3] = {q.X(), q.Y(), q.Z()};
  for (int a = 0; a < 3; ++a) {
    lo[a] = _Cell(at[a] - radius, a);
    hi[a] = _Cell(at[a] + radius, a);
  }
  for (int i = lo[0]; i <= hi[0]; ++i)
    for (int j = lo[1]; j <= hi[1]; ++j)
      for (int k = lo[2]; k <= hi[2]; ++k) {
        const int cell = _CellIndex(i, j, k);
        for (int e = _Starts[cell]; e < _Starts[cell + 1]; ++e)
          if (q.Distance(_Entries[e].point) < radius) out.push_back(_Entries[e].index);
      }
}
