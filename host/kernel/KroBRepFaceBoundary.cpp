// The points along a face's edges and the distance to the nearest of them.
#include "KroBRepFaceBoundary.h"

#include <BRep_Tool.hxx>
#include <BndLib_Add3dCurve.hxx>
#include <algorithm>
#include <cmath>

#include "KroBRepEngine.h"
#include "KroBRepSolidCells.h"

namespace {

constexpr int kIntervals = 24;     // points per edge: kIntervals + 1
constexpr size_t kLazyEdges = 64;  // fewer edges than this are all sampled at once

}  // namespace

KroBRepFaceBoundary::KroBRepFaceBoundary(KroBRepSolidCells& cells, const std::vector<int>& edges)
    : _Cells(cells) {
  bool lazy = edges.size() > kLazyEdges;
  for (size_t k = 0; lazy && k < edges.size(); ++k) {
    // The box of a line or a circle holds it exactly; any other curve is sampled at once.
    if (!_Cells.EdgeHasCurve(edges[k])) continue;
    const GeomAbs_CurveType type = _Cells.Curve(edges[k]).GetType();
    lazy = type == GeomAbs_Line || type == GeomAbs_Circle;
  }
  if (lazy) {
    for (int e : edges) {
      Edge edge;
      edge.edge = e;
      const double tolerance = BRep_Tool::Tolerance(_Cells.Edge(e));
      if (_Cells.EdgeHasCurve(e)) {
        BndLib_Add3dCurve::Add(_Cells.Curve(e), tolerance, edge.box);
      } else {
        edge.box.Add(_Cells.DegenerateEdgePoint(e));
        edge.box.Enlarge(tolerance);
      }
      _Edges.push_back(edge);
    }
    _Lazy = _MakeEdgeGrid();
  }
  if (_Lazy) return;
  std::vector<gp_Pnt> points;
  for (int e : edges) _PointsOf(e, points);
  _Points.Build(points);
}

void KroBRepFaceBoundary::_PointsOf(int edge, std::vector<gp_Pnt>& points) {
  if (!_Cells.EdgeHasCurve(edge)) {
    points.push_back(_Cells.DegenerateEdgePoint(edge));
    return;
  }
  const BRepAdaptor_Curve& curve = _Cells.Curve(edge);
  const double a = curve.FirstParameter(), b = curve.LastParameter();
  for (int k = 0; k <= kIntervals; ++k) points.push_back(curve.Value(a + (b - a) * k / kIntervals));
}

bool KroBRepFaceBoundary::_MakeEdgeGrid() {
  double low[3], high[3];
  bool any = false;
  for (const Edge& edge : _Edges) {
    if (edge.box.IsVoid()) return false;
    double lo[3], hi[3];
    edge.box.Get(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
    for (int a = 0; a < 3; ++a) {
      low[a] = any ? std::min(low[a], lo[a]) : lo[a];
      high[a] = any ? std::max(high[a], hi[a]) : hi[a];
    }
    any = true;
  }
  if (!any) return false;
  // About two edges per cell over the axes the boxes spread along.
  const double target = std::max(1.0, _Edges.size() / 2.0);
  double extent[3], volume = 1.0, scale = 0.0;
  int spread = 0;
  for (int a = 0; a < 3; ++a) {
    _Low[a] = low[a];
    extent[a] = high[a] - low[a];
    scale = std::max({scale, std::abs(low[a]), std::abs(high[a])});
  }
  const double largest = std::max({extent[0], extent[1], extent[2]});
  for (int a = 0; a < 3; ++a)
    if (extent[a] > 1e-6 * largest) volume *= extent[a], ++spread;
  const double side = spread == 0 ? 1.0 : std::pow(volume / target, 1.0 / spread);
  for (int a = 0; a < 3; ++a) {
    const double cells =
        extent[a] > 1e-6 * largest && side > 0.0 ? std::ceil(extent[a] / side) : 1.0;
    _Size[a] = static_cast<int>(std::max(1.0, std::min(cells, 256.0)));
    _Step[a] = extent[a] > 0.0 ? extent[a] / _Size[a] : 1.0;
  }
  _Slack = 1e-9 * (scale + largest) + std::numeric_limits<double>::min();
  // Each edge in every cell its box overlaps.
  const int count = _Size[0] * _Size[1] * _Size[2];
  std::vector<std::vector<int>> cells(count);
  for (size_t k = 0; k < _Edges.size(); ++k) {
    double lo[3], hi[3];
    _Edges[k].box.Get(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
    for (int i = _Cell(lo[0], 0); i <= _Cell(hi[0], 0); ++i)
      for (int j = _Cell(lo[1], 1); j <= _Cell(hi[1], 1); ++j)
        for (int l = _Cell(lo[2], 2); l <= _Cell(hi[2], 2); ++l)
          cells[(i * _Size[1] + j) * _Size[2] + l].push_back(static_cast<int>(k));
  }
  _Starts.assign(count + 1, 0);
  for (int c = 0; c < count; ++c) _Starts[c + 1] = _Starts[c] + static_cast<int>(cells[c].size());
  _EdgesOf.reserve(_Starts[count]);
  for (const std::vector<int>& cell : cells)
    _EdgesOf.insert(_EdgesOf.end(), cell.begin(), cell.end());
  _Seen.assign(_Edges.size(), 0);
  return true;
}

int KroBRepFaceBoundary::_Cell(double coordinate, int axis) const {
  const double at = std::floor((coordinate - _Low[axis]) / _Step[axis]);
  if (!(at > 0.0)) return 0;
  return at >= _Size[axis] - 1 ? _Size[axis] - 1 : static_cast<int>(at);
}

double KroBRepFaceBoundary::NearestSquareDistance(const gp_Pnt& q, double enough) {
  if (!_Lazy) return _Points.NearestSquareDistance(q, enough);
  double best = kKroBRepInfinity;
  if (++_Query == 0) std::fill(_Seen.begin(), _Seen.end(), 0), _Query = 1;
  const int c[3] = {_Cell(q.X(), 0), _Cell(q.Y(), 1), _Cell(q.Z(), 2)};
  double step = kKroBRepInfinity;
  int rings = 0;
  for (int a = 0; a < 3; ++a)
    if (_Size[a] > 1) {
      step = std::min(step, _Step[a]);
      rings = std::max(rings, std::max(c[a], _Size[a] - 1 - c[a]));
    }
  for (int ring = 0; ring <= rings; ++ring) {
    // An edge not met yet has its whole box in cells at least ring cells away, hence lies at
    // least ring - 1 cells from q (less rounding): stop when that exceeds the best found.
    if (ring >= 2) {
      const double bound = (ring - 1) * step - 2 * _Slack;
      if (bound > 0.0 && bound * bound * (1.0 - 1e-12) > best) break;
    }
    if (_NearestInRing(q, c, ring, enough, best)) break;
  }
  return best;
}

bool KroBRepFaceBoundary::_NearestInRing(const gp_Pnt& q, const int c[3], int ring, double enough,
                                         double& best) {
  int lo[3], hi[3];
  for (int a = 0; a < 3; ++a) {
    lo[a] = std::max(0, c[a] - ring);
    hi[a] = std::min(_Size[a] - 1, c[a] + ring);
  }
  for (int i = lo[0]; i <= hi[0]; ++i)
    for (int j = lo[1]; j <= hi[1]; ++j)
      for (int l = lo[2]; l <= hi[2]; ++l) {
        if (std::max({std::abs(i - c[0]), std::abs(j - c[1]), std::abs(l - c[2])}) != ring)
          continue;
        const int cell = (i * _Size[1] + j) * _Size[2] + l;
        for (int at = _Starts[cell]; at < _Starts[cell + 1]; ++at) {
          const int k = _EdgesOf[at];
          if (_Seen[k] == _Query) continue;
          _Seen[k] = _Query;
          Edge& edge = _Edges[k];
          // The box holds every point of the edge, with the edge's tolerance to spare.
          if (KroBRepBoxDistance2(edge.box, q) > best) continue;
          if (edge.first < 0) {
            edge.first = static_cast<int>(_Made.size());
            _PointsOf(edge.edge, _Made);
            edge.count = static_cast<int>(_Made.size()) - edge.first;
          }
          for (int p = edge.first; p < edge.first + edge.count; ++p) {
            best = std::min(best, q.SquareDistance(_Made[p]));
            if (best <= enough) return true;
          }
        }
      }
  return false;
}
