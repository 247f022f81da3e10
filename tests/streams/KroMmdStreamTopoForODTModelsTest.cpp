// Round trips of the topology stream on real models: every vertex, edge, face and volume of
// every body is written in one document and read in a fresh load of the same model. A cell
// must come back as itself unless the 0.02 tolerance makes its stream ambiguous, which is
// decided from geometry alone: another cell of the same dimension lies within 0.02 of the
// written point with a direction that agrees at least as well as the cell's own (for vertices
// and volumes, any other one that near; a degenerate edge has no direction of its own, so any
// edge through its point). Such cells are counted apart, and must still come back as one of
// those candidates when they do not come back as themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroMmdStreamTopoForODT.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kMaxCellsPerDimension = 120;  // the sanitizer build samples large bodies
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kMaxCellsPerDimension = 120;
#else
constexpr int kMaxCellsPerDimension = 1 << 30;
#endif
#else
constexpr int kMaxCellsPerDimension = 1 << 30;
#endif

const char* const kTokens[] = {"Vrtx", "Edge", "Face", "Wire"};

struct Tally {
  int cells = 0;
  int same = 0;                 // came back as itself, and not ambiguous
  int ambiguous = 0;            // ambiguous by geometry
  int ambiguousSame = 0;        // ... of which came back as itself anyway
  int ambiguousDegenerate = 0;  // ... of which came back as another cell: degenerate edges
  int lost = 0;                 // not ambiguous and not back as itself: a fault
  std::vector<std::string> notes;
};

// Tags of the other cells of the dimension that the written point and direction fit at least
// as well as the cell itself.
std::vector<unsigned int> OtherCandidates(const KroBody_var& body, short dimension,
                                          const KroUnicodeString& stream, unsigned int tag) {
  SubElementFields fields = FieldsOf(stream);
  KroMathDirection direction(fields.direction[0], fields.direction[1], fields.direction[2]);
  KroListPtrKroCell* cells = nullptr;
  KroRawColldouble* distances = nullptr;
  KroRawCollint agreements;
  std::vector<unsigned int> others;
  if (GetCellsOnBodyFromPointByGeomReroute(0, 0.02, dimension, 1, &fields.point, &direction,
                                           body.get(), cells, distances, &agreements) == KRO_S_OK &&
      cells != nullptr) {
    // Vertices and volumes have no direction to agree with: every one agrees.
    auto agrees = [&](int index) { return dimension == 0 || dimension == 3 || agreements[index]; };
    bool ownAgrees = false;
    for (int index = 1; index <= cells->Size(); ++index)
      if ((*cells)[index]->GetTag() == tag) ownAgrees = agrees(index);
    for (int index = 1; index <= cells->Size(); ++index) {
      if ((*cells)[index]->GetTag() != tag && (agrees(index) || !ownAgrees))
        others.push_back((*cells)[index]->GetTag());
    }
  }
  delete cells;
  delete distances;
  return others;
}

// Writes every (sampled) cell of every body of the writer and reads it back in the reader.
Tally RoundTrip(const KroMfPart_var& writer, const KroMfPart_var& reader) {
  Tally tally;
  EXPECT_EQ(writer->GetBodyCount(), reader->GetBodyCount());
  for (int bodyIndex = 1; bodyIndex <= writer->GetBodyCount(); ++bodyIndex) {
    KroBody_var body = writer->GetBody(bodyIndex);
    KroMmdStreamTopoForODT stream;  // one object for all conversions of the body

    // The whole body.
    KroTopology_var none;
    KroUnicodeString featText;
    EXPECT_EQ(stream.GetStreamFromTopo(body, none, featText), KRO_S_OK);
    KroBody_var featBody;
    KroTopology_var featCell;
    EXPECT_EQ(stream.GetTopoFromStream(featText, ContextOf(reader), featBody, featCell), KRO_S_OK)
        << featText.ToStdString();
    EXPECT_TRUE(!!featBody && featBody->GetTag() == body->GetTag()) << featText.ToStdString();
    EXPECT_FALSE(featCell);

    for (short dimension = 0; dimension <= 3; ++dimension) {
      const std::vector<KroCell_var> cells = CellsOf(body, dimension);
      const int total = static_cast<int>(cells.size());
      const int step = std::max(1, (total + kMaxCellsPerDimension - 1) / kMaxCellsPerDimension);
      for (int index = 0; index < total; index += step) {
        const KroCell_var& cell = cells[static_cast<size_t>(index)];
        ++tally.cells;
        const std::string where = "body " + std::to_string(bodyIndex) + " " + kTokens[dimension] +
                                  " tag " + std::to_string(cell->GetTag());
        KroTopology_var topology = AsTopology(cell);
        KroUnicodeString text;
        if (stream.GetStreamFromTopo(body, topology, text) != KRO_S_OK) {
          ++tally.lost;
          tally.notes.push_back("lost (not written): " + where);
          continue;
        }
        // The token stands where the body stream has "Feat"; volumes are written "Wire".
        EXPECT_EQ(text.ToStdString().substr(featText.ToStdString().find("_Feat_"), 6),
                  std::string("_") + kTokens[dimension] + "_")
            << text.ToStdString();

        KroBody_var bodyBack;
        KroTopology_var cellBack;
        const KroResult read =
            stream.GetTopoFromStream(text, ContextOf(reader), bodyBack, cellBack);
        KroCell_var cellBackAsCell = cellBack;
        const bool same = read == KRO_S_OK && !!bodyBack && bodyBack->GetTag() == body->GetTag() &&
                          !!cellBackAsCell && cellBackAsCell->GetTag() == cell->GetTag() &&
                          cellBackAsCell->GetDimension() == dimension;
        const std::vector<unsigned int> others =
            OtherCandidates(reader->GetBody(bodyIndex), dimension, text, cell->GetTag());
        if (others.empty()) {
          if (same) {
            ++tally.same;
          } else {
            ++tally.lost;
            tally.notes.push_back("lost: " + where + " " + text.ToStdString());
          }
          continue;
        }
        ++tally.ambiguous;
        if (same) {
          ++tally.ambiguousSame;
          tally.notes.push_back("ambiguous, back as itself: " + where + " (" +
                                std::to_string(others.size()) + " other candidates) " +
                                text.ToStdString());
          continue;
        }
        const bool candidate =
            read == KRO_S_OK && !!cellBackAsCell &&
            std::find(others.begin(), others.end(), cellBackAsCell->GetTag()) != others.end();
        EXPECT_TRUE(candidate) << "ambiguous " << where << " came back as no candidate";
        // In these models only edges without a curve of their own (collapsed at the apex of a
        // cone or the pole of a sphere) lose to another cell: their stream carries the start
        // direction, which no cell there prefers over another.
        const bool degenerate = dimension == 1 && !cell->GetGeometry();
        EXPECT_TRUE(degenerate) << where << " " << text.ToStdString();
        ++tally.ambiguousDegenerate;
        tally.notes.push_back(
            std::string("ambiguous") + (degenerate ? " (degenerate edge)" : "") + ": " + where +
            " -> tag " + std::to_string(!!cellBackAsCell ? cellBackAsCell->GetTag() : 0) + " (" +
            std::to_string(others.size()) + " other candidates) " + text.ToStdString());
      }
    }
  }
  return tally;
}

void Report(const std::string& model, const Tally& tally) {
  std::printf(
      "[ round trip ] %s: cells %d, same %d, ambiguous %d (back as itself %d, degenerate edges "
      "back as another edge %d), lost %d\n",
      model.c_str(), tally.cells, tally.same, tally.ambiguous, tally.ambiguousSame,
      tally.ambiguousDegenerate, tally.lost);
  for (size_t index = 0; index < tally.notes.size() && index < 20; ++index)
    std::printf("    %s\n", tally.notes[index].c_str());
  ::testing::Test::RecordProperty("cells", tally.cells);
  ::testing::Test::RecordProperty("same", tally.same);
  ::testing::Test::RecordProperty("ambiguous", tally.ambiguous);
  ::testing::Test::RecordProperty("lost", tally.lost);
}

TEST(KroMmdStreamTopoForODT, FindsEveryCellOfTheSamplePartAgainInAFreshDocument) {
  KroMfPart_var writer, reader;
  ASSERT_EQ(KroMfPart::CreateSamplePart(writer), KRO_S_OK);
  ASSERT_EQ(KroMfPart::CreateSamplePart(reader), KRO_S_OK);
  const Tally tally = RoundTrip(writer, reader);
  Report("sample part", tally);
  EXPECT_GT(tally.cells, 150);
  EXPECT_EQ(tally.lost, 0);
}

class KroMmdStreamTopoForODTOnModel : public ::testing::TestWithParam<std::string> {};

TEST_P(KroMmdStreamTopoForODTOnModel, FindsEveryCellAgainInAFreshLoad) {
  const std::string path = std::string(KROODT_MODELS_DIR) + "/" + GetParam();
  KroMfPart_var writer, reader;
  KroUnicodeString message;
  ASSERT_EQ(KroMfPart::Load(path, writer, &message), KRO_S_OK) << message.ToStdString();
  ASSERT_EQ(KroMfPart::Load(path, reader, &message), KRO_S_OK) << message.ToStdString();
  const Tally tally = RoundTrip(writer, reader);
  Report(GetParam(), tally);
  EXPECT_GT(tally.cells, 0);
  EXPECT_EQ(tally.lost, 0);
}

std::vector<std::string> StepModels() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(KROODT_MODELS_DIR, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".step" || entry.path().extension() == ".stp")
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string TestNameOf(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param.substr(0, info.param.find('_'));
  name.erase(std::remove_if(name.begin(), name.end(),
                            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }),
             name.end());
  return name + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(StepModels, KroMmdStreamTopoForODTOnModel,
                         ::testing::ValuesIn(StepModels()), TestNameOf);

}  // namespace
