// Round trips of the topology stream on real models: every vertex, edge, face and volume of
// every body is written in one document and read in a fresh load of the same model. A cell
// must come back as itself. Two exceptions are counted apart as ambiguous: an edge without a
// curve of its own (collapsed at the apex of a cone or the pole of a sphere), whose stream
// carries the start direction, which no edge there prefers over another, so it may come back
// as another edge through its point; and a vertex with an earlier vertex of its body within
// the tolerance, which the format gives instead (the first one in the body's order wins).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "KroMmdStreamTopoForODT.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

// The sanitizer build samples large bodies.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kMaxCellsPerDimension = 120;
#else
constexpr int kMaxCellsPerDimension = 1 << 30;
#endif

const char* const kTokens[] = {"Vrtx", "Edge", "Face", "Wire"};

struct Tally {
  int cells = 0, same = 0, ambiguous = 0;
  std::vector<std::string> lost;  // "body B Token tag T: stream" of each cell lost
};

// Writes every (sampled) cell of every body of the writer and reads it back in the reader.
Tally RoundTrip(const KroMfPart_var& writer, const KroMfPart_var& reader) {
  Tally tally;
  EXPECT_EQ(writer->GetBodyCount(), reader->GetBodyCount());
  for (int bodyIndex = 1; bodyIndex <= writer->GetBodyCount(); ++bodyIndex) {
    KroBody_var body = writer->GetBody(bodyIndex);
    KroMmdStreamTopoForODT stream;  // one object for all conversions of the body
    for (short dimension = 0; dimension <= 3; ++dimension) {
      const std::vector<KroCell_var> cells = CellsOf(body, dimension);
      const int total = static_cast<int>(cells.size());
      const int step = std::max(1, (total + kMaxCellsPerDimension - 1) / kMaxCellsPerDimension);
      for (int index = 0; index < total; index += step) {
        const KroCell_var& cell = cells[static_cast<size_t>(index)];
        ++tally.cells;
        const std::string where = "body " + std::to_string(bodyIndex) + " " + kTokens[dimension] +
                                  " tag " + std::to_string(cell->GetTag());
        KroUnicodeString text;
        KroBody_var bodyBack;
        KroTopology_var cellBack, topology = AsTopology(cell);
        if (stream.GetStreamFromTopo(body, topology, text) != KRO_S_OK) {
          ADD_FAILURE() << "not written: " << where;
          continue;
        }
        const KroResult read =
            stream.GetTopoFromStream(text, ContextOf(reader), bodyBack, cellBack);
        const KroCell_var back = cellBack;
        const bool readBack = read == KRO_S_OK && !!bodyBack &&
                              bodyBack->GetTag() == body->GetTag() && !!back &&
                              back->GetDimension() == dimension;
        if (readBack && back->GetTag() == cell->GetTag()) {
          ++tally.same;
          continue;
        }
        KroMathPoint own, found;
        const bool degenerateEdge = dimension == 1 && !cell->GetGeometry();
        const bool earlierVertex =
            dimension == 0 && readBack && back->GetTag() < cell->GetTag() &&
            cell->GetPointOnCell(own) == KRO_S_OK && back->GetPointOnCell(found) == KRO_S_OK &&
            own.DistanceTo(found) < KroMmdGeomCursorForODT::_LocationTolerance;
        if (readBack && (degenerateEdge || earlierVertex)) {
          ++tally.ambiguous;
        } else {
          tally.lost.push_back(where + ": " + text.ToStdString());
        }
      }
    }
  }
  return tally;
}

// The sample part (named "") and every STEP model of the test data.
class KroMmdStreamTopoForODTOnModel : public ::testing::TestWithParam<std::string> {};

TEST_P(KroMmdStreamTopoForODTOnModel, FindsEveryCellAgainInAFreshDocument) {
  const std::string path = std::string(KROODT_MODELS_DIR) + "/" + GetParam();
  KroMfPart_var writer, reader;
  for (KroMfPart_var* part : {&writer, &reader}) {
    ASSERT_EQ(
        GetParam().empty() ? KroMfPart::CreateSamplePart(*part) : KroMfPart::Load(path, *part),
        KRO_S_OK);
  }
  const Tally tally = RoundTrip(writer, reader);
  std::printf("[ round trip ] %s: cells %d, same %d, ambiguous %d\n",
              GetParam().empty() ? "sample part" : GetParam().c_str(), tally.cells, tally.same,
              tally.ambiguous);
  EXPECT_GT(tally.cells, 0);
  EXPECT_EQ(tally.lost, std::vector<std::string>());
}

std::vector<std::string> Models() {
  std::vector<std::string> names = {""};
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(KROODT_MODELS_DIR, error)) {
    if (entry.path().extension() == ".step" || entry.path().extension() == ".stp")
      names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Models, KroMmdStreamTopoForODTOnModel, ::testing::ValuesIn(Models()));

}  // namespace
