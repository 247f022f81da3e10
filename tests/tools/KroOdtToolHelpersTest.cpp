// The helpers of the kro-odt tool, called in process: the verdict on a cell read back, decided
// from the geometry of the cells, and the cells of a model whose streams cannot be written.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroMfPart.h"
#include "KroOdtModel.h"
#include "KroOdtRoundtrip.h"

namespace {

class KroOdtJudgeReadBackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(KroMfPart::CreateSamplePart(_Part), KRO_S_OK);
    _Cells = KroOdtListCells(_Part);
  }

  KroBRepCell Kernel(const KroOdtCellEntry& entry) const {
    return _Part->GetModel()->CellByTag(entry.tag);
  }

  // A stream of body 1 for a cell of the dimension at the point, with the direction.
  static std::string Stream(const char* token, const KroBRepXYZ& p, const KroBRepXYZ& d) {
    char text[256];
    std::snprintf(text, sizeof text, "3_2_#1_%s_%g_%g_%g_%g_%g_%g__", token, p.x, p.y, p.z, d.x,
                  d.y, d.z);
    return text;
  }

  // Pairs of cells of body 1 of the dimension that share a cell of the lower dimension: the
  // two cells and the point of the shared one.
  struct Pair {
    const KroOdtCellEntry* first;
    const KroOdtCellEntry* second;
    KroBRepXYZ at;
  };
  std::vector<Pair> Neighbours(int dimension) const {
    std::vector<Pair> pairs;
    for (const KroOdtCellEntry& a : _Cells) {
      if (a.bodyIndex != 1 || a.dimension != dimension) continue;
      for (const KroOdtCellEntry& b : _Cells) {
        if (b.bodyIndex != 1 || b.dimension != dimension || b.tag <= a.tag) continue;
        for (const KroBRepCell& sa : Kernel(a).SubCells(dimension - 1)) {
          for (const KroBRepCell& sb : Kernel(b).SubCells(dimension - 1)) {
            KroBRepXYZ at;
            if (sa == sb && sa.Point(at).Ok()) pairs.push_back(Pair{&a, &b, at});
          }
        }
      }
    }
    return pairs;
  }

  KroMfPart_var _Part;
  std::vector<KroOdtCellEntry> _Cells;
};

// Two faces meet at an edge: a point on the edge lies on both, and only the direction tells
// them apart. The face whose normal is not the written direction is a wrong answer, whichever
// face the stream was written for.
TEST_F(KroOdtJudgeReadBackTest, ANeighbourWhoseDirectionDisagreesIsWrong) {
  int checked = 0;
  for (const Pair& pair : Neighbours(2)) {
    KroBRepXYZ normalFirst;
    KroBRepXYZ normalSecond;
    if (!Kernel(*pair.first).Direction(pair.at, normalFirst).Ok() ||
        !Kernel(*pair.second).Direction(pair.at, normalSecond).Ok()) {
      continue;
    }
    const double cosine = normalFirst.x * normalSecond.x + normalFirst.y * normalSecond.y +
                          normalFirst.z * normalSecond.z;
    if (cosine > 0.5) continue;  // tangent faces: not told apart by the direction
    std::string detail;
    // Written for the first face, read back as the second: the search should have kept the
    // first, whose direction agrees.
    EXPECT_EQ(KroOdtJudgeReadBack(_Part, *pair.first, Stream("Face", pair.at, normalFirst),
                                  pair.second->cell, detail),
              KroOdtVerdict::kWrong);
    EXPECT_NE(detail.find("whose direction does not agree with the written one while the "
                          "cell's own does"),
              std::string::npos)
        << detail;
    // Written for the first face with the second's normal: the stream names the second.
    EXPECT_EQ(KroOdtJudgeReadBack(_Part, *pair.first, Stream("Face", pair.at, normalSecond),
                                  pair.second->cell, detail),
              KroOdtVerdict::kWrong);
    EXPECT_NE(detail.find("the stream names the other cell"), std::string::npos) << detail;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

// A body that no feature makes has no identifier to write its cells' streams with: each of its
// cells is counted as lost, with the reason, and the cells of the other bodies are found.
TEST(KroOdtRoundtripModel, CountsTheCellsWhoseStreamCannotBeWrittenAsLost) {
  KroBRepStatus status;
  const std::shared_ptr<KroBRepModel> model = KroBRepModel::Load(
      std::string(KROODT_MODELS_DIR) + "/Transformer_Breve_TEZ-22x24.step", status);
  ASSERT_TRUE(model != nullptr) << status.message;
  ASSERT_GE(model->SolidCount(), 2);
  KroMfPart::FeatureDescription only;
  only.name = "First";
  only.solidIndex = 0;
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateFromModel(model, {only}, part), KRO_S_OK);

  int named = 0;
  int unnamed = 0;
  for (int d = 0; d <= 3; ++d) {
    named += model->Solid(0)->CellCount(d);
    for (int s = 1; s < model->SolidCount(); ++s) unnamed += model->Solid(s)->CellCount(d);
  }
  const KroOdtRoundtripResult result = KroOdtRoundtripModel(part, -1, nullptr);
  EXPECT_EQ(result.total.cells, named + unnamed);
  EXPECT_EQ(result.total.same, named);
  EXPECT_EQ(result.total.lost, unnamed);
  EXPECT_EQ(result.total.wrong, 0);
  ASSERT_EQ(result.notes.size(), static_cast<size_t>(unnamed));
  for (const KroOdtRoundtripNote& note : result.notes) {
    EXPECT_EQ(note.verdict, KroOdtVerdict::kLost);
    EXPECT_EQ(note.stream, "");
    EXPECT_EQ(note.detail,
              "its stream cannot be written: no feature makes the body (it has no scope in the "
              "naming graph)");
  }
}

}  // namespace
