// The roundtrip verb: write every cell's stream, read it back, judge what came back.
#include "KroOdtRoundtrip.h"

#include <chrono>
#include <cstdio>

#include "KroListPtrKroCell.h"
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
  const KroOdtCompactFields fields = KroOdtScanCompactStream(stream);
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
  if (!(geometry.distance < kKroOdtTolerance)) {
    detail += ", beyond the tolerance 0.02";
    return KroOdtVerdict::kWrong;
  }
  // The direction tells the two cells apart only when the original's own direction agrees
  // with the written one and the other's does not, or the other way round. A degenerate edge
  // has no direction of its own: what its stream says there tells nothing about it.
  const KroOdtCellGeometry own =
      KroOdtMeasureCell(part, original.cell, fields.point, fields.direction);
  if (own.degenerate) {
    detail +=
        ", and the edge is degenerate: it has no direction of its own, so its stream "
        "cannot tell it from the cells through its point";
    return KroOdtVerdict::kAmbiguous;
  }
  if (geometry.directionAgrees && own.directionAgrees) {
    if (other.dimension == 1 || other.dimension == 2) detail += ", its direction agreeing too";
    return KroOdtVerdict::kAmbiguous;
  }
  if (!geometry.directionAgrees && !own.directionAgrees) {
    detail += ", and neither cell's direction agrees with the written one";
    return KroOdtVerdict::kAmbiguous;
  }
  if (geometry.directionAgrees) {
    detail +=
        ", whose direction agrees with the written one while the cell's own does not: "
        "the stream names the other cell";
  } else {
    detail += ", whose direction does not agree with the written one while the cell's own does";
  }
  return KroOdtVerdict::kWrong;
}

KroOdtRoundtripResult KroOdtRoundtripModel(const KroMfPart_var& part, int dimension,
                                           KroOdtProgress* progress) {
  KroOdtRoundtripResult result;
  const auto start = std::chrono::steady_clock::now();
  const std::vector<KroOdtCellEntry> cells = KroOdtListCells(part, dimension);
  for (size_t i = 0; i < cells.size(); ++i) {
    if (progress != nullptr) progress->Update(i);
    const KroOdtCellEntry& entry = cells[i];
    KroOdtRoundtripNote note;
    note.cell = KroOdtDescribeCell(entry);
    std::string stream;
    const KroOdtOutcome written = KroOdtWriteTopoStream(entry.body, entry.cell, stream);
    if (!written.ok) {
      note.verdict = KroOdtVerdict::kLost;
      note.detail = "its stream cannot be written: " + KroOdtFillPlaceholders(written.why, {});
    } else {
      note.stream = stream;
      KroBody_var body;
      KroCell_var found;
      const KroOdtOutcome read = KroOdtReadTopoStream(part, stream, body, found);
      if (!read.ok) {
        note.verdict = KroOdtVerdict::kLost;
        note.detail = read.why;
      } else {
        note.verdict = KroOdtJudgeReadBack(part, entry, stream, found, note.detail);
      }
    }
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
  std::string json = "{\"model\":" + KroOdtJsonString(model) + "," + TallyJson(result.total) +
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
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  KroOdtRoundtripResult result;
  {
    KroOdtProgress progress(KroOdtProgress::Enabled(args), "roundtrip",
                            KroOdtListCells(part, dimension).size(), "cells");
    result = KroOdtRoundtripModel(part, dimension, &progress);
  }
  if (args.Has("--json")) {
    std::printf("%s\n", KroOdtRoundtripJson(result, KroOdtModelLabel(path)).c_str());
  } else {
    std::printf("roundtrip of %s\n", KroOdtModelLabel(path).c_str());
    for (const std::string& line : KroOdtRoundtripNotes(result, 10)) {
      std::printf("%s\n", line.c_str());
    }
    for (const std::string& line : KroOdtRoundtripTable(result)) std::printf("%s\n", line.c_str());
  }
  return result.total.lost == 0 && result.total.wrong == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
