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
  _Grid.Clear();
  if (points.empty()) return;
  double low[3], high[3];
  for (int a = 0; a < 3; ++a) low[a] = high[a] = Coord(points[0], a);
  for (const gp_Pnt& p : points)
    for (int a = 0; a < 3; ++a) {
      low[a] = std::min(low[a], Coord(p, a));
      high[a] = std::max(high[a], Coord(p, a));
    }
  // About eight points per cell.
  _Grid.Fit(low, high, std::max(1.0, points.size() / 8.0), 1e-9, kMaxCellsPerAxis);
  // Counting sort of the points by cell.
  const int count = _Grid.Count();
  std::vector<int> cellOf(points.size());
  _Starts.assign(count + 1, 0);
  for (size_t n = 0; n < points.size(); ++n) {
    cellOf[n] = _Grid.CellIndexOf(points[n]);
    ++_Starts[cellOf[n] + 1];
  }
  for (int c = 0; c < count; ++c) _Starts[c + 1] += _Starts[c];
  std::vector<int> next(_Starts.begin(), _Starts.end() - 1);
  _Entries.resize(points.size());
  for (size_t n = 0; n < points.size(); ++n)
    _Entries[next[cellOf[n]]++] = Entry{points[n], static_cast<int>(n)};
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
  _Grid.VisitNearest(q, best, [&](int cell) {
    for (int e = _Starts[cell]; e < _Starts[cell + 1]; ++e) {
      best = std::min(best, q.SquareDistance(_Entries[e].point));
      if (best <= enough) return true;
    }
    return false;
  });
  return best;
}

void KroBRepPointGrid::Within(const gp_Pnt& q, double radius, std::vector<int>& out) const {
  if (_Entries.empty() || !(radius > 0.0)) return;
  // A point within the radius has each coordinate within it, hence (the cell mapping being
  // monotone) its cell between those of q - radius and q + radius.
  int lo[3], hi[3];
  const double at[3] = {q.X(), q.Y(), q.Z()};
  for (int a = 0; a < 3; ++a) {
    lo[a] = _Grid.Cell(at[a] - radius, a);
    hi[a] = _Grid.Cell(at[a] + radius, a);
  }
  for (int i = lo[0]; i <= hi[0]; ++i)
    for (int j = lo[1]; j <= hi[1]; ++j)
      for (int k = lo[2]; k <= hi[2]; ++k) {
        const int cell = _Grid.CellIndex(i, j, k);
        for (int e = _Starts[cell]; e < _Starts[cell + 1]; ++e)
          if (q.Distance(_Entries[e].point) < radius) out.push_back(_Entries[e].index);
      }
}
