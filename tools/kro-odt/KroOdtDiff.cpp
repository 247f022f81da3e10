// The diff verb: every cell's stream written in the old version of a model, read in the new one
// and judged there; then the new version's cells that no stream reached.
#include "KroOdtDiff.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_set>

#include "KroBRepModel.h"
#include "KroBRepSolid.h"
#include "KroOdtProgress.h"
#include "KroOdtRoundtrip.h"
#include "KroOdtTraceWords.h"
#include "KroOmxJsonWriter.h"

namespace {

const char* const kDimensionKeys[4] = {"vertex", "edge", "face", "volume"};

KroBRepXYZ ToXYZ(const KroMathPoint& point) {
  return KroBRepXYZ{point.GetX(), point.GetY(), point.GetZ()};
}

KroOdtDiffNeighbour NeighbourOf(const KroBRepCell& cell, double distance) {
  KroOdtDiffNeighbour neighbour;
  if (cell.IsNull()) return neighbour;
  KroOdtCellEntry entry;
  entry.bodyIndex = cell.Solid()->Index() + 1;
  entry.dimension = cell.Dimension();
  entry.index = cell.Index() + 1;
  entry.tag = cell.Tag();
  neighbour.any = true;
  neighbour.cell = KroOdtDescribeCell(entry);
  neighbour.dimension = entry.dimension;
  neighbour.tag = entry.tag;
  neighbour.distance = distance;
  return neighbour;
}

// The nearest cell of the dimension to the point in the solid. The cell search only tests the
// cells near the point, so the radius grows until it holds a cell: this costs about what the
// cells around the point cost, not the whole body. The last radius holds every cell.
KroOdtDiffNeighbour NearestIn(const KroBRepSolid& solid, int dimension, const KroBRepXYZ& point) {
  KroBRepXYZ low, high;
  solid.BoundingBox(low, high);
  auto outside = [](double value, double from, double to) {
    return value < from ? from - value : (value > to ? value - to : 0.0);
  };
  const double toBox = std::hypot(outside(point.x, low.x, high.x), outside(point.y, low.y, high.y),
                                  outside(point.z, low.z, high.z));
  const double diagonal = std::hypot(high.x - low.x, high.y - low.y, high.z - low.z);
  const double last = toBox + diagonal + 1.0;
  if (!std::isfinite(last)) return KroOdtDiffNeighbour();
  std::vector<KroBRepCellHit> hits;
  for (double radius = std::max(toBox, 0.1);; radius = std::min(radius * 4.0, last)) {
    if (!solid.Search(dimension, radius, point, nullptr, hits).Ok()) break;
    if (!hits.empty() || radius >= last) break;
  }
  const KroBRepCellHit* best = nullptr;
  for (const KroBRepCellHit& hit : hits) {
    if (best == nullptr || hit.distance < best->distance) best = &hit;
  }
  return best != nullptr ? NeighbourOf(best->cell, best->distance) : KroOdtDiffNeighbour();
}

// The nearest over several solids: one (index from 0), or all of them when index is -1.
KroOdtDiffNeighbour Nearest(const KroMfPart_var& part, int solidIndex, int dimension,
                            const KroBRepXYZ& point) {
  KroOdtDiffNeighbour best;
  const KroBRepModel* model = part->GetModel().get();
  if (model == nullptr) return best;
  for (int s = 0; s < model->SolidCount(); ++s) {
    if (solidIndex >= 0 && s != solidIndex) continue;
    const KroOdtDiffNeighbour near = NearestIn(*model->Solid(s), dimension, point);
    if (near.any && (!best.any || near.distance < best.distance)) best = near;
  }
  return best;
}

bool ChainHas(const std::vector<KroSysTraceEntry>& chain, const char* name, int stage) {
  for (const KroSysTraceEntry& entry : chain) {
    if (entry.name == name && entry.stage == stage) return true;
  }
  return false;
}

// The body of the new version that the stream names, read as the stream of the whole body.
int NamedBodyIndex(const KroMfPart_var& part, const KroOdtCompactFields& fields) {
  const std::string identifier = fields.identifier.ToStdString();
  const std::string featStream = std::to_string(fields.version) + "_" +
                                 std::to_string(identifier.size()) + "_" + identifier + "_Feat__";
  KroBody_var body;
  KroCell_var cell;
  if (!KroOdtReadTopoStream(part, featStream, body, cell).ok) return 0;
  return KroOdtBodyIndex(part, body);
}

// "normal" of a face, "tangent" of an edge.
const char* DirectionWord(int dimension) { return dimension == 1 ? "tangent" : "normal"; }

std::string FormatDirection(const KroBRepXYZ& direction) {
  KroMathPoint point;
  point.SetCoord(direction.x, direction.y, direction.z);
  return KroOdtFormatPoint(point);
}

// Reads the stream of one cell of the old version in the new one and judges what it finds.
// The cells of the new version that it found or could have meant go into reached.
class CellJudge {
 public:
  CellJudge(const KroMfPart_var& oldPart, const KroMfPart_var& newPart,
            std::unordered_set<unsigned int>& reached)
      : _Old(oldPart), _New(newPart), _Reached(reached) {}

  KroOdtDiffNote Judge(const KroOdtCellEntry& entry);

 private:
  void _Lost(KroOdtDiffNote& note, const KroOdtOutcome& read, const KroOdtCompactFields& fields);
  void _Found(KroOdtDiffNote& note, const KroOdtCellEntry& entry, const KroOdtCompactFields& fields,
              const KroCell_var& found);

  const KroMfPart_var& _Old;
  const KroMfPart_var& _New;
  std::unordered_set<unsigned int>& _Reached;
};

KroOdtDiffNote CellJudge::Judge(const KroOdtCellEntry& entry) {
  KroOdtDiffNote note;
  note.cell = KroOdtDescribeCell(entry);
  note.dimension = entry.dimension;
  note.tag = entry.tag;
  const KroOdtOutcome written = KroOdtWriteTopoStream(entry.body, entry.cell, note.stream);
  if (!written.ok) {
    note.stream.clear();
    note.reason = KroOdtDiffReason::kNotWritten;
    note.words =
        KroOdtDiffReasonWords(note.reason) + ": " + KroOdtFillPlaceholders(written.why, {});
    return note;
  }
  const KroOdtCompactFields fields = KroOdtScanCompactStream(note.stream);
  KroBody_var body;
  KroCell_var found;
  const KroOdtOutcome read = KroOdtReadTopoStream(_New, note.stream, body, found);
  if (!read.ok) {
    _Lost(note, read, fields);
  } else if (!found) {
    note.reason = KroOdtDiffReason::kNotRead;
    note.words = KroOdtDiffReasonWords(note.reason) + ": it names no cell";
  } else {
    _Found(note, entry, fields, found);
  }
  return note;
}

void CellJudge::_Lost(KroOdtDiffNote& note, const KroOdtOutcome& read,
                      const KroOdtCompactFields& fields) {
  note.verdict = KroOdtDiffVerdict::kLost;
  const KroBRepXYZ point = ToXYZ(fields.point);
  if (ChainHas(read.chain, "KroMmdStreamTopoForODT::ParseBodyIdentifier", 300)) {
    note.reason = KroOdtDiffReason::kBodyGone;
    note.words = KroOdtDiffReasonWords(note.reason) + ": " + read.why;
    note.nearest = Nearest(_New, -1, note.dimension, point);
  } else if (ChainHas(read.chain, "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 800) ||
             ChainHas(read.chain, "KroMmdStreamGeomRefForODT::ReadSubElem", 900)) {
    note.reason = KroOdtDiffReason::kNoCell;
    note.words = KroOdtDiffReasonWords(note.reason) + " " + KroOdtFormatPoint(fields.point);
    const int body = NamedBodyIndex(_New, fields);
    if (body > 0) note.nearest = Nearest(_New, body - 1, note.dimension, point);
  } else {
    note.reason = KroOdtDiffReason::kNotRead;
    note.words = KroOdtDiffReasonWords(note.reason) + ": " + read.why;
  }
}

void CellJudge::_Found(KroOdtDiffNote& note, const KroOdtCellEntry& entry,
                       const KroOdtCompactFields& fields, const KroCell_var& found) {
  const KroBRepCell cell = _New->GetModel()->CellByTag(found->GetTag());
  const KroBRepXYZ point = ToXYZ(fields.point);
  const KroBRepXYZ written{fields.direction.GetX(), fields.direction.GetY(),
                           fields.direction.GetZ()};
  // The cells of the new version around the point, the one found among them, as the cell
  // search of the stream's reader sees them.
  std::vector<KroBRepCellHit> hits;
  if (!cell.IsNull()) {
    if (!cell.Solid()
             ->Search(note.dimension, KroMmdGeomCursorForODT::_LocationTolerance, point, &written,
                      hits)
             .Ok()) {
      hits.clear();
    }
  }
  const auto foundHit = std::find_if(hits.begin(), hits.end(),
                                     [&](const KroBRepCellHit& hit) { return hit.cell == cell; });
  KroOdtCellGeometry mine;
  if (foundHit != hits.end()) {
    mine.measured = true;
    mine.distance = foundHit->distance;
    mine.directionAgrees = foundHit->directionAgrees;
  } else {
    mine = KroOdtMeasureCell(_New, found, fields.point, fields.direction);
  }
  note.found = NeighbourOf(cell, mine.distance);
  // The old cell measured against its own stream: its direction there, whether it has one.
  bool measuredOwn = false;
  KroOdtCellGeometry own;
  auto measureOwn = [&] {
    if (!measuredOwn) own = KroOdtMeasureCell(_Old, entry.cell, fields.point, fields.direction);
    measuredOwn = true;
  };

  if (!mine.directionAgrees) {
    measureOwn();
    if (!own.degenerate && own.directionAgrees) {
      note.verdict = KroOdtDiffVerdict::kLost;
      note.reason = KroOdtDiffReason::kDirection;
      note.nearest = note.found;
      note.words = KroOdtDiffReasonWords(note.reason) + ": the " + DirectionWord(note.dimension) +
                   " of the " + KroOdtDimensionWord(note.dimension) + " found there, " +
                   note.found.cell;
      KroBRepXYZ direction;
      if (!cell.IsNull() && cell.Direction(point, direction).Ok()) {
        note.words += ", is " + FormatDirection(direction);
      } else {
        note.words += ", has none";
      }
      note.words += ", the stream's " + FormatDirection(written);
      return;
    }
  }
  _Reached.insert(found->GetTag());
  for (const KroBRepCellHit& hit : hits) {
    if (hit.cell == cell) continue;
    measureOwn();
    KroOdtCellGeometry other;
    other.measured = true;
    other.distance = hit.distance;
    other.directionAgrees = hit.directionAgrees;
    other.degenerate = hit.cell.IsDegenerate();
    std::string why;
    if (KroOdtJudgeOtherCell(own, other, note.dimension, why) != KroOdtVerdict::kAmbiguous) {
      continue;
    }
    _Reached.insert(hit.cell.Tag());
    if (note.verdict == KroOdtDiffVerdict::kAmbiguous) continue;  // the first one is told
    note.verdict = KroOdtDiffVerdict::kAmbiguous;
    note.reason = KroOdtDiffReason::kOtherCell;
    note.nearest = NeighbourOf(hit.cell, hit.distance);
    note.words = KroOdtDiffReasonWords(note.reason) + ": found " + note.found.cell + " " +
                 KroOdtFormatNumber(note.found.distance) + " from the point " +
                 KroOdtFormatPoint(fields.point) + ", but " + note.nearest.cell + " lies " +
                 KroOdtFormatNumber(note.nearest.distance) + " from it" + why;
  }
  if (note.verdict != KroOdtDiffVerdict::kAmbiguous) note.verdict = KroOdtDiffVerdict::kKept;
}

void Add(KroOdtDiffTally& tally, KroOdtDiffVerdict verdict) {
  ++tally.cells;
  switch (verdict) {
    case KroOdtDiffVerdict::kKept:
      ++tally.kept;
      break;
    case KroOdtDiffVerdict::kAmbiguous:
      ++tally.ambiguous;
      break;
    case KroOdtDiffVerdict::kLost:
      ++tally.lost;
      break;
  }
}

const char* VerdictWord(KroOdtDiffVerdict verdict) {
  return verdict == KroOdtDiffVerdict::kKept
             ? "kept"
             : (verdict == KroOdtDiffVerdict::kAmbiguous ? "ambiguous" : "lost");
}

std::string Count(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string TallyWords(const KroOdtDiffTally& tally) {
  return Count(tally.cells, "cell", "cells") + ", " + std::to_string(tally.kept) + " kept, " +
         std::to_string(tally.ambiguous) + " ambiguous, " + std::to_string(tally.lost) + " lost, " +
         std::to_string(tally.added) + " new";
}

std::string Quote(const std::string& text) { return KroOmxJsonWriter::Quote(text); }

std::string TallyJson(const KroOdtDiffTally& tally) {
  return "\"cells\":" + std::to_string(tally.cells) + ",\"kept\":" + std::to_string(tally.kept) +
         ",\"ambiguous\":" + std::to_string(tally.ambiguous) +
         ",\"lost\":" + std::to_string(tally.lost) + ",\"new\":" + std::to_string(tally.added);
}

std::string CellJson(const std::string& cell, int dimension, unsigned int tag) {
  return "\"cell\":" + Quote(cell) + ",\"dimension\":" + std::to_string(dimension) +
         ",\"tag\":" + std::to_string(tag);
}

std::string NeighbourJson(const KroOdtDiffNeighbour& neighbour) {
  if (!neighbour.any) return "null";
  return "{" + CellJson(neighbour.cell, neighbour.dimension, neighbour.tag) +
         ",\"distance\":" + KroOdtFormatNumber(neighbour.distance) + "}";
}

}  // namespace

std::string KroOdtDiffReasonWords(KroOdtDiffReason reason) {
  switch (reason) {
    case KroOdtDiffReason::kNoCell:
      return "no cell within " + KroOdtFormatNumber(KroMmdGeomCursorForODT::_LocationTolerance) +
             " of the point";
    case KroOdtDiffReason::kDirection:
      return "direction disagrees";
    case KroOdtDiffReason::kBodyGone:
      return "body gone";
    case KroOdtDiffReason::kNotWritten:
      return "stream not written";
    case KroOdtDiffReason::kOtherCell:
      return "another cell could be meant";
    case KroOdtDiffReason::kNotRead:
      break;
  }
  return "stream not read";
}

KroOdtDiffResult KroOdtDiffModels(const KroMfPart_var& oldPart, const KroMfPart_var& newPart,
                                  int dimension, KroOdtProgress* progress) {
  KroOdtDiffResult result;
  result.dimension = dimension >= 0 && dimension <= 3 ? dimension : -1;
  std::unordered_set<unsigned int> reached;
  CellJudge judge(oldPart, newPart, reached);
  const std::vector<KroOdtCellEntry> cells = KroOdtListCells(oldPart, result.dimension);
  for (size_t i = 0; i < cells.size(); ++i) {
    if (progress != nullptr) progress->Update(i);
    KroOdtDiffNote note = judge.Judge(cells[i]);
    Add(result.total, note.verdict);
    if (note.dimension >= 0 && note.dimension <= 3) {
      Add(result.byDimension[note.dimension], note.verdict);
    }
    if (note.verdict != KroOdtDiffVerdict::kKept) result.notes.push_back(std::move(note));
  }
  if (progress != nullptr) progress->Update(cells.size());

  for (const KroOdtCellEntry& entry : KroOdtListCells(newPart, result.dimension)) {
    if (reached.count(entry.tag) != 0) continue;
    KroOdtDiffNewCell cell;
    cell.cell = KroOdtDescribeCell(entry);
    cell.dimension = entry.dimension;
    cell.tag = entry.tag;
    if (!KroOdtWriteTopoStream(entry.body, entry.cell, cell.stream).ok) cell.stream.clear();
    ++result.total.added;
    if (entry.dimension >= 0 && entry.dimension <= 3) ++result.byDimension[entry.dimension].added;
    result.newCells.push_back(std::move(cell));
  }
  return result;
}

std::vector<std::string> KroOdtDiffText(const KroOdtDiffResult& result) {
  std::vector<std::string> lines;
  char label[16];
  for (int d = 0; d <= 3; ++d) {
    if (result.dimension >= 0 && d != result.dimension) continue;
    std::snprintf(label, sizeof label, "%-10s",
                  (std::string(KroOdtDimensionPlural(d)) + ":").c_str());
    lines.push_back(label + TallyWords(result.byDimension[d]));
  }
  std::snprintf(label, sizeof label, "%-10s", "total:");
  lines.push_back(label + TallyWords(result.total));
  for (const KroOdtDiffNote& note : result.notes) {
    std::string line = std::string(VerdictWord(note.verdict)) + " " + note.cell + " " +
                       (note.stream.empty() ? "(no stream)" : note.stream) + ": " + note.words;
    if (note.reason == KroOdtDiffReason::kNoCell || note.reason == KroOdtDiffReason::kBodyGone) {
      line += note.nearest.any ? "; nearest " + note.nearest.cell + ", " +
                                     KroOdtFormatNumber(note.nearest.distance) + " away"
                               : std::string("; no ") + KroOdtDimensionWord(note.dimension) +
                                     " in the new version";
    }
    lines.push_back(line);
  }
  return lines;
}

std::string KroOdtDiffJson(const KroOdtDiffResult& result, const std::string& oldModel,
                           const std::string& newModel) {
  std::string json = "{\"old_model\":" + Quote(oldModel) + ",\"new_model\":" + Quote(newModel) +
                     "," + TallyJson(result.total) + ",\"by_dimension\":{";
  bool first = true;
  for (int d = 0; d <= 3; ++d) {
    if (result.dimension >= 0 && d != result.dimension) continue;
    json += std::string(first ? "" : ",") + "\"" + kDimensionKeys[d] + "\":{" +
            TallyJson(result.byDimension[d]) + "}";
    first = false;
  }
  json += "}";
  for (const KroOdtDiffVerdict verdict :
       {KroOdtDiffVerdict::kLost, KroOdtDiffVerdict::kAmbiguous}) {
    json += std::string(",\"") + VerdictWord(verdict) + "_cells\":[";
    first = true;
    for (const KroOdtDiffNote& note : result.notes) {
      if (note.verdict != verdict) continue;
      json += std::string(first ? "" : ",") + "{" + CellJson(note.cell, note.dimension, note.tag) +
              ",\"stream\":" + Quote(note.stream) +
              ",\"reason\":" + Quote(KroOdtDiffReasonWords(note.reason)) +
              ",\"detail\":" + Quote(note.words) + ",\"found\":" + NeighbourJson(note.found) +
              ",\"nearest\":" + NeighbourJson(note.nearest) + "}";
      first = false;
    }
    json += "]";
  }
  json += ",\"new_cells\":[";
  first = true;
  for (const KroOdtDiffNewCell& cell : result.newCells) {
    json += std::string(first ? "" : ",") + "{" + CellJson(cell.cell, cell.dimension, cell.tag) +
            ",\"stream\":" + Quote(cell.stream) + "}";
    first = false;
  }
  return json + "]}";
}

namespace {

// The model an operand names: a built-in version of the plate, or a STEP or BREP file.
int LoadVersion(const KroOdtArgs& args, const std::string& operand, KroMfPart_var& part) {
  if (operand == "plate-v1" || operand == "plate-v2") {
    KroBRepStatus status;
    KroUnicodeString message;
    const std::shared_ptr<KroBRepModel> model =
        KroBRepModel::MakePlateVersion(operand == "plate-v1" ? 1 : 2, &status);
    if (!model) {
      message = status.message;
    } else if (KroSucceeded(KroMfPart::CreateFromModel(model, part, &message)) && !!part) {
      return kKroOdtExitOk;
    }
    std::fprintf(stderr, "kro-odt: cannot make model %s: %s\n", operand.c_str(),
                 KroOdtEscape(message.ToStdString()).c_str());
    return kKroOdtExitUsage;
  }
  if (operand.empty()) return KroOdtUsageError("a model operand is empty");
  return KroOdtLoadModel(args, operand, part);
}

}  // namespace

int KroOdtRunDiff(KroOdtArgs& args) {
  int dimension = -1;
  if (args.Has("--dim") && (!KroOdtParseDimension(args.Option("--dim"), dimension) ||
                            dimension == kKroOdtFeatDimension)) {
    return KroOdtUsageError("--dim takes 0, 1, 2 or 3 (vertex, edge, face, volume), not " +
                            KroOdtQuote(args.Option("--dim")));
  }
  KroMfPart_var oldPart;
  KroMfPart_var newPart;
  if (const int rc = LoadVersion(args, args.operands[0], oldPart)) return rc;
  if (const int rc = LoadVersion(args, args.operands[1], newPart)) return rc;

  KroOdtDiffResult result;
  {
    KroOdtProgress progress(KroOdtProgress::Enabled(args), "diff",
                            KroOdtListCells(oldPart, dimension).size(), "cells");
    result = KroOdtDiffModels(oldPart, newPart, dimension, &progress);
  }
  if (args.Has("--json")) {
    std::printf("%s\n", KroOdtDiffJson(result, args.operands[0], args.operands[1]).c_str());
  } else {
    for (const std::string& line : KroOdtDiffText(result)) std::printf("%s\n", line.c_str());
  }
  return result.total.lost == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
