// The roundtrip verb: write every cell's stream, read it back, judge what came back.
#include "KroOdtRoundtrip.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "KroListPtrKroCell.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroOdtAccess.h"
#include "KroOdtDelegates.h"
#include "KroOdtProgress.h"
#include "KroOdtTraceWords.h"

namespace {

const char* const kDimensionKeys[4] = {"vertex", "edge", "face", "volume"};

// The entry of a cell found in a body: its index among the body's cells of its dimension.
KroOdtCellEntry EntryOf(const KroMfPart_var& part, const KroCell_var& cell) {
  KroOdtCellEntry entry;
  entry.cell = cell;
  entry.dimension = cell->GetDimension();
  entry.tag = cell->GetTag();
  entry.body = cell->GetBody();
  entry.bodyIndex = KroOdtBodyIndex(part, entry.body);
  if (!!entry.body) {
    KroListPtrKroCell cells;
    if (KroSucceeded(entry.body->GetAllCells(cells, static_cast<short>(entry.dimension)))) {
      entry.index = cells.Locate(cell.get());
    }
  }
  return entry;
}

std::string TallyJson(const KroOdtTally& tally) {
  return "\"cells\":" + std::to_string(tally.cells) + ",\"same\":" + std::to_string(tally.same) +
         ",\"ambiguous\":" + std::to_string(tally.ambiguous) +
         ",\"lost\":" + std::to_string(tally.lost) + ",\"wrong\":" + std::to_string(tally.wrong);
}

// One cell written by the way of naming and read back: the verdict, the stream written (empty
// when it could not be) and what to say of a cell that did not come back as itself.
KroOdtVerdict RoundtripCell(const KroMfPart_var& part, const KroOdtCellEntry& entry,
                            const std::string& via, std::string& stream, std::string& detail) {
  KroCell_var found;
  KroOdtCompactFields fields;  // the compact stream that locates the cell, if any
  KroOdtOutcome written, read;
  if (via == "topo") {
    written = KroOdtWriteTopoStream(entry.body, entry.cell, stream);
    KroBody_var body;
    if (written.ok) read = KroOdtReadTopoStream(part, stream, body, found);
  } else if (via == "delegate") {
    written = KroOdtWriteDelegateStream(KroOdtCellDelegate(part, entry, nullptr), stream);
    KroIMmiDelegateObject_var delegate;
    if (written.ok) {
      read = KroOdtReadDelegateStream(part, stream, nullptr, delegate);
      found = KroOdtDelegateCell(delegate);
    }
  } else {
    written = KroOdtWriteAccessStream(part, KroOdtAccessOf(part, entry, false), via, stream);
    KroIBRepAccess_var access;
    if (written.ok) {
      read = KroOdtReadAccessStream(part, stream, access);
      if (read.ok) found = access->GetTopology();
    }
  }
  if (!written.ok) {
    stream.clear();
    detail = "its stream cannot be written: " + KroOdtFillPlaceholders(written.why, {});
    return KroOdtVerdict::kLost;
  }
  if (!read.ok) {
    detail = read.why;
    return KroOdtVerdict::kLost;
  }
  if (via == "topo" || via == "delegate") {
    fields = KroOdtScanCompactStream(stream);
  } else if (via == "geomReroute") {
    KroMmdGeomSelectorForODT::ScanGeomSelectorForODT(KroOdtAccessMember(stream, via), fields);
  }
  return KroOdtJudgeReadBack(part, entry, fields, found, detail);
}

}  // namespace

const char* KroOdtVerdictWord(KroOdtVerdict verdict) {
  switch (verdict) {
    case KroOdtVerdict::kSame:
      return "same";
    case KroOdtVerdict::kAmbiguous:
      return "ambiguous";
    case KroOdtVerdict::kLost:
      return "lost";
    case KroOdtVerdict::kWrong:
      break;
  }
  return "wrong";
}

void KroOdtTally::Add(KroOdtVerdict verdict) {
  ++cells;
  switch (verdict) {
    case KroOdtVerdict::kSame:
      ++same;
      break;
    case KroOdtVerdict::kAmbiguous:
      ++ambiguous;
      break;
    case KroOdtVerdict::kLost:
      ++lost;
      break;
    case KroOdtVerdict::kWrong:
      ++wrong;
      break;
  }
}

KroOdtVerdict KroOdtJudgeReadBack(const KroMfPart_var& part, const KroOdtCellEntry& original,
                                  const std::string& stream, const KroCell_var& found,
                                  std::string& detail) {
  return KroOdtJudgeReadBack(part, original, KroOdtScanCompactStream(stream), found, detail);
}

KroOdtVerdict KroOdtJudgeReadBack(const KroMfPart_var& part, const KroOdtCellEntry& original,
                                  const KroOdtCompactFields& fields, const KroCell_var& found,
                                  std::string& detail) {
  detail.clear();
  if (!found) {
    detail = "came back as no cell";
    return KroOdtVerdict::kWrong;
  }
  if (found->GetTag() == original.tag) return KroOdtVerdict::kSame;

  const KroOdtCellEntry other = EntryOf(part, found);
  detail = "came back as " + KroOdtDescribeCell(other);
  if (other.dimension != original.dimension) {
    detail += ", a cell of another dimension";
    return KroOdtVerdict::kWrong;
  }
  if (!original.body || !other.body || other.body->GetTag() != original.body->GetTag()) {
    detail += ", a cell of another body";
    return KroOdtVerdict::kWrong;
  }
  // The point and direction as the reader saw them: after the rounding of the written text.
  if (!fields.complete || fields.pointAt == 0) {
    detail += ", and the stream has no point to judge it by";
    return KroOdtVerdict::kWrong;
  }
  const KroOdtCellGeometry geometry =
      KroOdtMeasureCell(part, found, fields.point, fields.direction);
  if (!geometry.measured) {
    detail += ", whose distance to the written point cannot be measured";
    return KroOdtVerdict::kWrong;
  }
  detail += ", " + KroOdtFormatNumber(geometry.distance) + " from the written point " +
            KroOdtFormatPoint(fields.point);
  if (!(geometry.distance < KroMmdGeomCursorForODT::_LocationTolerance)) {
    detail +=
        ", beyond the tolerance " + KroOdtFormatNumber(KroMmdGeomCursorForODT::_LocationTolerance);
    return KroOdtVerdict::kWrong;
  }
  const KroOdtCellGeometry own =
      KroOdtMeasureCell(part, original.cell, fields.point, fields.direction);
  return KroOdtJudgeOtherCell(own, geometry, other.dimension, detail);
}

KroOdtVerdict KroOdtJudgeOtherCell(const KroOdtCellGeometry& own, const KroOdtCellGeometry& other,
                                   int dimension, std::string& detail) {
  // The direction tells the two cells apart only when the original's own direction agrees
  // with the written one and the other's does not, or the other way round. A degenerate edge
  // has no direction of its own: what its stream says there tells nothing about it.
  if (own.degenerate) {
    detail +=
        ", and the edge is degenerate: it has no direction of its own, so its stream "
        "cannot tell it from the cells through its point";
    return KroOdtVerdict::kAmbiguous;
  }
  if (other.directionAgrees && own.directionAgrees) {
    if (dimension == 1 || dimension == 2) detail += ", its direction agreeing too";
    return KroOdtVerdict::kAmbiguous;
  }
  if (!other.directionAgrees && !own.directionAgrees) {
    detail += ", and neither cell's direction agrees with the written one";
    return KroOdtVerdict::kAmbiguous;
  }
  if (other.directionAgrees) {
    detail +=
        ", whose direction agrees with the written one while the cell's own does not: "
        "the stream names the other cell";
  } else {
    detail += ", whose direction does not agree with the written one while the cell's own does";
  }
  return KroOdtVerdict::kWrong;
}

const std::vector<std::string>& KroOdtRoundtripVias() {
  static const std::vector<std::string> vias = {"topo",       "topoTag",     "brpEle",
                                                "gnSelector", "geomReroute", "delegate"};
  return vias;
}

KroOdtRoundtripResult KroOdtRoundtripModel(const KroMfPart_var& part, int dimension,
                                           KroOdtProgress* progress, const std::string& via) {
  KroOdtRoundtripResult result;
  result.via = via;
  const auto start = std::chrono::steady_clock::now();
  const std::vector<KroOdtCellEntry> cells = KroOdtListCells(part, dimension);
  for (size_t i = 0; i < cells.size(); ++i) {
    if (progress != nullptr) progress->Update(i);
    const KroOdtCellEntry& entry = cells[i];
    KroOdtRoundtripNote note;
    note.cell = KroOdtDescribeCell(entry);
    note.verdict = RoundtripCell(part, entry, via, note.stream, note.detail);
    result.total.Add(note.verdict);
    if (entry.dimension >= 0 && entry.dimension <= 3) {
      result.byDimension[entry.dimension].Add(note.verdict);
    }
    if (note.verdict != KroOdtVerdict::kSame) result.notes.push_back(note);
  }
  if (progress != nullptr) progress->Update(cells.size());
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

std::vector<std::string> KroOdtRoundtripTable(const KroOdtRoundtripResult& result) {
  std::vector<std::string> lines;
  char line[128];
  std::snprintf(line, sizeof line, "%-10s %8s %8s %10s %6s %6s", "dimension", "cells", "same",
                "ambiguous", "lost", "wrong");
  lines.push_back(line);
  auto row = [&](const char* name, const KroOdtTally& tally) {
    std::snprintf(line, sizeof line, "%-10s %8d %8d %10d %6d %6d", name, tally.cells, tally.same,
                  tally.ambiguous, tally.lost, tally.wrong);
    lines.push_back(line);
  };
  for (int d = 0; d <= 3; ++d) {
    if (result.byDimension[d].cells > 0) row(KroOdtDimensionPlural(d), result.byDimension[d]);
  }
  row("all", result.total);
  const KroOdtTally& t = result.total;
  lines.push_back("roundtrip: " + std::to_string(t.cells) + " cells: " + std::to_string(t.same) +
                  " same, " + std::to_string(t.ambiguous) + " ambiguous, " +
                  std::to_string(t.lost) + " lost, " + std::to_string(t.wrong) + " wrong");
  return lines;
}

std::vector<std::string> KroOdtRoundtripNotes(const KroOdtRoundtripResult& result,
                                              int maxAmbiguous) {
  std::vector<std::string> lines;
  int ambiguous = 0;
  for (const KroOdtRoundtripNote& note : result.notes) {
    if (note.verdict == KroOdtVerdict::kAmbiguous && ++ambiguous > maxAmbiguous) continue;
    lines.push_back(std::string(KroOdtVerdictWord(note.verdict)) + " " + note.cell + ": " +
                    note.detail);
  }
  if (ambiguous > maxAmbiguous) {
    lines.push_back("... and " + std::to_string(ambiguous - maxAmbiguous) +
                    " more ambiguous cells");
  }
  return lines;
}

std::string KroOdtRoundtripJson(const KroOdtRoundtripResult& result, const std::string& model) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", result.seconds);
  std::string json = "{\"model\":" + KroOdtJsonString(model) +
                     ",\"via\":" + KroOdtJsonString(result.via) + "," + TallyJson(result.total) +
                     ",\"seconds\":" + seconds + ",\"by_dimension\":{";
  for (int d = 0; d <= 3; ++d) {
    json += std::string(d == 0 ? "" : ",") + "\"" + kDimensionKeys[d] + "\":{" +
            TallyJson(result.byDimension[d]) + "}";
  }
  json += "},\"problems\":[";
  bool first = true;
  for (const KroOdtRoundtripNote& note : result.notes) {
    json += std::string(first ? "" : ",") + "{\"cell\":" + KroOdtJsonString(note.cell) +
            ",\"verdict\":\"" + KroOdtVerdictWord(note.verdict) +
            "\",\"detail\":" + KroOdtJsonString(note.detail) +
            ",\"stream\":" + KroOdtJsonString(note.stream) + "}";
    first = false;
  }
  return json + "]}";
}

int KroOdtRunRoundtrip(KroOdtArgs& args) {
  int dimension = -1;
  if (args.Has("--dim") && (!KroOdtParseDimension(args.Option("--dim"), dimension) ||
                            dimension == kKroOdtFeatDimension)) {
    return KroOdtUsageError("--dim takes 0, 1, 2 or 3 (vertex, edge, face, volume), not " +
                            KroOdtQuote(args.Option("--dim")));
  }
  const std::string via = args.Option("--via", "topo");
  const std::vector<std::string>& vias = KroOdtRoundtripVias();
  if (std::find(vias.begin(), vias.end(), via) == vias.end()) {
    std::string ways;
    for (size_t i = 0; i < vias.size(); ++i)
      ways += (i == 0 ? "" : i + 1 == vias.size() ? " or " : ", ") + vias[i];
    return KroOdtUsageError("--via takes " + ways + ", not " + KroOdtQuote(via));
  }
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  KroOdtRoundtripResult result;
  {
    KroOdtProgress progress(KroOdtProgress::Enabled(args), "roundtrip",
                            KroOdtListCells(part, dimension).size(), "cells");
    result = KroOdtRoundtripModel(part, dimension, &progress, via);
  }
  if (args.Has("--json")) {
    std::printf("%s\n", KroOdtRoundtripJson(result, KroOdtModelLabel(path)).c_str());
  } else {
    std::printf("roundtrip of %s%s\n", KroOdtModelLabel(path).c_str(),
                args.Has("--via") ? (" via " + via).c_str() : "");
    for (const std::string& line : KroOdtRoundtripNotes(result, 10)) {
      std::printf("%s\n", line.c_str());
    }
    for (const std::string& line : KroOdtRoundtripTable(result)) std::printf("%s\n", line.c_str());
  }
  return result.total.lost == 0 && result.total.wrong == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
