// KroBRepSolid: a solid's names, cells and tags, and its cell search.
#include "KroBRepSolid.h"

#include "KroBRepSolidImpl.h"

KroBRepSolid::KroBRepSolid(std::unique_ptr<Impl> impl) : _Impl(std::move(impl)) {}
KroBRepSolid::~KroBRepSolid() = default;

const std::string& KroBRepSolid::Name() const { return _Impl->name; }
std::uint32_t KroBRepSolid::Tag() const { return _Impl->tag; }
int KroBRepSolid::Index() const { return _Impl->index; }
const KroBRepModel& KroBRepSolid::Model() const { return *_Impl->model; }

int KroBRepSolid::CellCount(int dimension) const { return _Impl->cells.Count(dimension); }

KroBRepCell KroBRepSolid::Cell(int dimension, int index) const {
  if (index < 0 || index >= CellCount(dimension)) return KroBRepCell();
  return KroBRepCell(this, dimension, index);
}

std::vector<KroBRepCell> KroBRepSolid::Cells(int dimension) const {
  std::vector<KroBRepCell> out;
  const int count = CellCount(dimension);
  out.reserve(count);
  for (int i = 0; i < count; ++i) out.push_back(KroBRepCell(this, dimension, i));
  return out;
}

KroBRepCell KroBRepSolid::CellByTag(std::uint32_t tag) const {
  for (int d = 0; d < 4; ++d) {
    const std::uint32_t first = _Impl->firstTag[d];
    if (tag >= first && tag < first + static_cast<std::uint32_t>(CellCount(d)))
      return KroBRepCell(this, d, static_cast<int>(tag - first));
  }
  return KroBRepCell();
}

void KroBRepSolid::BoundingBox(KroBRepXYZ& min, KroBRepXYZ& max) const {
  min = max = KroBRepXYZ();
  try {
    const Bnd_Box& box = _Impl->boxes.Box(3, 0);
    if (box.IsVoid()) return;
    box.Get(min.x, min.y, min.z, max.x, max.y, max.z);
  } catch (...) {
  }
}

namespace {

KroBRepStatus Answer(const KroBRepSolid& solid, int dimension, const KroBRepStatus& status,
                     const std::vector<KroBRepCellSearch::Hit>& found,
                     std::vector<KroBRepCellHit>& hits) {
  hits.clear();
  if (!status.Ok()) return status;
  hits.reserve(found.size());
  for (const KroBRepCellSearch::Hit& h : found) {
    KroBRepCellHit hit;
    hit.cell = solid.Cell(dimension, h.index);
    hit.distance = h.distance;
    hit.directionAgrees = h.agrees;
    hits.push_back(hit);
  }
  return status;
}

}  // namespace

KroBRepStatus KroBRepSolid::Search(int dimension, double tolerance, const KroBRepXYZ& point,
                                   const KroBRepXYZ* direction,
                                   std::vector<KroBRepCellHit>& hits) const {
  const KroBRepStatus status =
      _Impl->search.Search(dimension, tolerance, point, direction, false, _Impl->scratchHits);
  return Answer(*this, dimension, status, _Impl->scratchHits, hits);
}

KroBRepStatus KroBRepSolid::SearchBruteForce(int dimension, double tolerance,
                                             const KroBRepXYZ& point, const KroBRepXYZ* direction,
                                             std::vector<KroBRepCellHit>& hits) const {
  const KroBRepStatus status =
      _Impl->search.Search(dimension, tolerance, point, direction, true, _Impl->scratchHits);
  return Answer(*this, dimension, status, _Impl->scratchHits, hits);
}

KroBRepStatus KroBRepSolid::FirstVertexNear(const KroBRepXYZ& point, double tolerance,
                                            KroBRepCell& vertex) const {
  return _FirstVertex(point, tolerance, false, vertex);
}

KroBRepStatus KroBRepSolid::FirstVertexNearByWalk(const KroBRepXYZ& point, double tolerance,
                                                  KroBRepCell& vertex) const {
  return _FirstVertex(point, tolerance, true, vertex);
}

KroBRepStatus KroBRepSolid::_FirstVertex(const KroBRepXYZ& point, double tolerance, bool walk,
                                         KroBRepCell& vertex) const {
  int found = -1;
  const KroBRepStatus status = _Impl->search.FirstVertex(point, tolerance, walk, found);
  if (status.Ok()) vertex = KroBRepCell(this, kKroBRepVertex, found);
  return status;
}

KroBRepStatus KroBRepSolid::BuildIndex() const { return _Impl->search.BuildIndex(); }
bool KroBRepSolid::HasIndex() const { return _Impl->searchIndex.Built(); }
double KroBRepSolid::IndexBuildSeconds() const { return _Impl->search.IndexBuildSeconds(); }
std::uint64_t KroBRepSolid::ExactTestCount() const { return _Impl->search.ExactTestCount(); }
void KroBRepSolid::ResetExactTestCount() const { _Impl->search.ResetExactTestCount(); }
