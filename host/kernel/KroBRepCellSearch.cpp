// The geometric cell search of a solid: candidates, exact tests, order.
#include "KroBRepCellSearch.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>

#include "KroBRepCellBoxes.h"
#include "KroBRepCellGeometry.h"
#include "KroBRepEngine.h"
#include "KroBRepSearchIndex.h"
#include "KroBRepSolidCells.h"

KroBRepStatus KroBRepCellSearch::BuildIndex() {
  if (_Index.Built()) return KroBRepStatus::Success();
  return KroBRepGuard("KroBRepSolid::BuildIndex", [&] {
    const auto start = std::chrono::steady_clock::now();
    _Index.Build();
    _Geometry.Warm();
    _IndexSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCellSearch::Search(int dimension, double tolerance, const KroBRepXYZ& point,
                                        const KroBRepXYZ* direction, bool scan,
                                        std::vector<Hit>& hits) {
  hits.clear();
  if (!KroBRepSolidCells::ValidDimension(dimension))
    return KroBRepStatus::Failure(KroBRepCode::BadArgument, "dimension must be 0 to 3");
  if (!(tolerance >= 0.0))
    return KroBRepStatus::Failure(KroBRepCode::BadArgument, "negative tolerance");
  return KroBRepGuard("KroBRepSolid::Search", [&] {
    const gp_Pnt p = KroBRepToPnt(point);
    const KroBRepStatus status = _Candidates(dimension, p, tolerance, scan);
    if (!status.Ok()) return status;
    // Only edges and faces have a direction to compare.
    gp_Vec wanted(0, 0, 0);
    bool testDirection = false;
    if (direction != nullptr && (dimension == 1 || dimension == 2)) {
      wanted = gp_Vec(direction->x, direction->y, direction->z);
      if (wanted.Magnitude() > gp::Resolution()) {
        wanted.Normalize();
        testDirection = true;
      }
    }
    _ExactTests(dimension, p, tolerance, testDirection ? &wanted : nullptr);
    _Order(_Found);
    hits = _Found;
    return KroBRepStatus::Success();
  });
}

KroBRepStatus KroBRepCellSearch::_Candidates(int dimension, const gp_Pnt& p, double tolerance,
                                             bool scan) {
  std::vector<int>& candidates = _CandidateCells;
  candidates.clear();
  if (scan || dimension == 3) {
    candidates.resize(_Cells.Count(dimension));
    std::iota(candidates.begin(), candidates.end(), 0);
    if (!scan && KroBRepBoxDistance2(_Boxes.Box(3, 0), p) > tolerance * tolerance)
      candidates.clear();
    return KroBRepStatus::Success();
  }
  const KroBRepStatus status = BuildIndex();
  if (!status.Ok()) return status;
  _Index.Candidates(dimension, p, tolerance, candidates);
  return KroBRepStatus::Success();
}

void KroBRepCellSearch::_ExactTests(int dimension, const gp_Pnt& p, double tolerance,
                                    const gp_Vec* wanted) {
  _Found.clear();
  for (int i : _CandidateCells) {
    ++_ExactTestCount;
    const double distance = _Geometry.Distance(dimension, i, p, tolerance);
    if (!(distance < tolerance)) continue;
    bool agrees = true;
    if (wanted != nullptr) {
      gp_Dir own;
      agrees = false;
      if (_Geometry.CellDirection(dimension, i, p, own)) {
        const double cosine = gp_Vec(own).Dot(*wanted);
        // An edge's tangent agrees in either sense.
        agrees = (dimension == 1 ? std::abs(cosine) : cosine) > kKroBRepDirectionAgreement;
      }
    }
    _Found.push_back({i, distance, agrees});
  }
}

void KroBRepCellSearch::_Order(std::vector<Hit>& hits) {
  std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
    if (a.agrees != b.agrees) return a.agrees;
    if (a.distance != b.distance) return a.distance < b.distance;
    return a.index < b.index;
  });
}

KroBRepStatus KroBRepCellSearch::FirstVertex(const KroBRepXYZ& point, double tolerance, bool scan,
                                             int& vertex) {
  vertex = -1;
  return KroBRepGuard("KroBRepSolid::FirstVertexNear", [&] {
    const gp_Pnt p = KroBRepToPnt(point);
    if (scan) {
      for (int i = 0; i < _Cells.Count(0); ++i) {
        ++_ExactTestCount;
        if (p.Distance(_Cells.VertexPoint(i)) < tolerance) {
          vertex = i;
          return KroBRepStatus::Success();
        }
      }
    } else {
      const KroBRepStatus status = BuildIndex();
      if (!status.Ok()) return status;
      // Every vertex within the tolerance, then the first of them in the solid's order.
      _Index.VerticesWithin(p, tolerance, _CandidateCells);
      _ExactTestCount += _CandidateCells.size();
      if (!_CandidateCells.empty()) {
        vertex = *std::min_element(_CandidateCells.begin(), _CandidateCells.end());
        return KroBRepStatus::Success();
      }
    }
    return KroBRepStatus::Failure(KroBRepCode::NotFound, "no vertex within the tolerance");
  });
}
