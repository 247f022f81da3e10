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
  // About two edges per cell.
  _Grid.Fit(low, high, std::max(1.0, _Edges.size() / 2.0), 1e-6, 256);
  // Each edge in every cell its box overlaps.
  const int count = _Grid.Count();
  std::vector<std::vector<int>> cells(count);
  for (size_t k = 0; k < _Edges.size(); ++k) {
    double lo[3], hi[3];
    _Edges[k].box.Get(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
    for (int i = _Grid.Cell(lo[0], 0); i <= _Grid.Cell(hi[0], 0); ++i)
      for (int j = _Grid.Cell(lo[1], 1); j <= _Grid.Cell(hi[1], 1); ++j)
        for (int l = _Grid.Cell(lo[2], 2); l <= _Grid.Cell(hi[2], 2); ++l)
          cells[_Grid.CellIndex(i, j, l)].push_back(static_cast<int>(k));
  }
  _Starts.assign(count + 1, 0);
  for (int c = 0; c < count; ++c) _Starts[c + 1] = _Starts[c] + static_cast<int>(cells[c].size());
  _EdgesOf.reserve(_Starts[count]);
  for (const std::vector<int>& cell : cells)
    _EdgesOf.insert(_EdgesOf.end(), cell.begin(), cell.end());
  _Seen.assign(_Edges.size(), 0);
  return true;
}

double KroBRepFaceBoundary::NearestSquareDistance(const gp_Pnt& q, double enough) {
  if (!_Lazy) return _Points.NearestSquareDistance(q, enough);
  double best = kKroBRepInfinity;
  if (++_Query == 0) std::fill(_Seen.begin(), _Seen.end(), 0), _Query = 1;
  _Grid.VisitNearest(q, best, [&](int cell) { return _NearestInCell(q, cell, enough, best); });
  return best;
}

bool KroBRepFaceBoundary::_NearestInCell(const gp_Pnt& q, int cell, double enough, double& best) {
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
  return false;
}
