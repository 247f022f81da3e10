// The helpers of the kro-odt tool, called in process: the verdict on a cell read back, decided
// from the geometry of the cells, and the cells of a model whose streams cannot be written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroMfPart.h"
#include "KroOdtModel.h"
#include "KroOdtRoundtrip.h"

namespace {

// A stream of body 1 for a cell of the type at the point, with the direction.
std::string Stream(const char* token, const KroBRepXYZ& p, const KroBRepXYZ& d) {
  char text[256];
  std::snprintf(text, sizeof text, "3_2_#1_%s_%g_%g_%g_%g_%g_%g__", token, p.x, p.y, p.z, d.x, d.y,
                d.z);
  return text;
}

// Two faces of body 1 meet at an edge: a point on the edge lies on both, and only the direction
// tells them apart. The face whose normal is not the written direction is a wrong answer,
// whichever face the stream was written for.
TEST(KroOdtJudgeReadBack, ANeighbourWhoseDirectionDisagreesIsWrong) {
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateSamplePart(part), KRO_S_OK);
  const auto kernel = [&part](const KroOdtCellEntry& entry) {
    return part->GetModel()->CellByTag(entry.tag);
  };
  const std::vector<KroOdtCellEntry> faces = KroOdtListCells(part, 2);
  int checked = 0;
  for (const KroOdtCellEntry& a : faces) {
    for (const KroOdtCellEntry& b : faces) {
      if (a.bodyIndex != 1 || b.bodyIndex != 1 || b.tag <= a.tag) continue;
      for (const KroBRepCell& edge : kernel(a).SubCells(1)) {
        const std::vector<KroBRepCell> edgesOfB = kernel(b).SubCells(1);
        KroBRepXYZ at, normalA, normalB;
        if (std::find(edgesOfB.begin(), edgesOfB.end(), edge) == edgesOfB.end() ||
            !edge.Point(at).Ok() || !kernel(a).Direction(at, normalA).Ok() ||
            !kernel(b).Direction(at, normalB).Ok() ||
            normalA.x * normalB.x + normalA.y * normalB.y + normalA.z * normalB.z > 0.5) {
          continue;  // tangent faces are not told apart by the direction
        }
        std::string detail;
        // Written for a, read back as b: the search should have kept a, whose direction agrees.
        EXPECT_EQ(KroOdtJudgeReadBack(part, a, Stream("Face", at, normalA), b.cell, detail),
                  KroOdtVerdict::kWrong);
        EXPECT_NE(detail.find("whose direction does not agree with the written one while the "
                              "cell's own does"),
                  std::string::npos)
            << detail;
        // Written for a with b's normal: the stream names b.
        EXPECT_EQ(KroOdtJudgeReadBack(part, a, Stream("Face", at, normalB), b.cell, detail),
                  KroOdtVerdict::kWrong);
        EXPECT_NE(detail.find("the stream names the other cell"), std::string::npos) << detail;
        ++checked;
      }
    }
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

  int unnamed = 0;
  for (int s = 1; s < model->SolidCount(); ++s) {
    for (int d = 0; d <= 3; ++d) unnamed += model->Solid(s)->CellCount(d);
  }
  const KroOdtRoundtripResult result = KroOdtRoundtripModel(part, -1, nullptr);
  EXPECT_EQ(result.total.lost, unnamed);
  EXPECT_EQ(result.total.same, result.total.cells - unnamed);
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
