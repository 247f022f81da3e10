// The helpers of the kro-odt tool, called in process: the fields of a compact stream as the
// reader sees them, the verdict on a cell read back, the words of a failure, the progress line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroListPtrKroCell.h"
#include "KroMfPart.h"
#include "KroOdtModel.h"
#include "KroOdtProgress.h"
#include "KroOdtRoundtrip.h"
#include "KroOdtTraceWords.h"

namespace {

// ---- Fields of a compact stream. ----

TEST(KroOdtScanCompactStream, ReadsTheFieldsAndWhereEachBegins) {
  struct Case {
    const char* stream;
    bool complete;
    std::string identifier;
    int type;
    int lengthAt, tokenAt, pointAt, directionAt, endAt;
  };
  const Case cases[] = {
      {"3_3_#42_Face_10_0_5_0_0_1__", true, "#42", 2, 3, 9, 14, 21, 27},
      {"3_3_#42_Feat__", true, "#42", 5, 3, 9, 0, 0, 14},
      // The identifier is taken by its length, "_" included.
      {"3_5_#1_ab_Edge_1_2_3_1_0_0__", true, "#1_ab", 1, 3, 11, 16, 22, 28},
      // An unknown token reads as a vertex, "Axis" as a face.
      {"3_2_#1_Xxxx_0_0_0_1_0_0__", true, "#1", 0, 3, 8, 13, 19, 25},
      {"3_2_#1_Axis_0_0_0_1_0_0__", true, "#1", 2, 3, 8, 13, 19, 25},
      // Cut short: what was read is kept, the rest stays unset.
      {"3_2_#1_Face_0_0", false, "#1", 2, 3, 8, 13, 0, 0},
      {"3_2_#1_Fa", false, "#1", -1, 3, 8, 0, 0, 0},
      {"3_9_#1_Face_", false, "", -1, 3, 0, 0, 0, 0},
      {"3", false, "", -1, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stream);
    const KroOdtCompactFields fields = KroOdtScanCompactStream(c.stream);
    EXPECT_EQ(fields.complete, c.complete);
    EXPECT_EQ(fields.identifier, c.identifier);
    EXPECT_EQ(fields.type, c.type);
    EXPECT_EQ(fields.lengthAt, c.lengthAt);
    EXPECT_EQ(fields.tokenAt, c.tokenAt);
    EXPECT_EQ(fields.pointAt, c.pointAt);
    EXPECT_EQ(fields.directionAt, c.directionAt);
    EXPECT_EQ(fields.endAt, c.endAt);
  }
}

TEST(KroOdtScanCompactStream, ReadsNumbersAsTheReaderDoes) {
  // Fields that are no number read as 0; the direction is made unit, (1, 0, 0) when zero.
  const KroOdtCompactFields fields = KroOdtScanCompactStream("3_2_#1_Edge_1.5_x_-2e1_0_0_2__");
  EXPECT_TRUE(fields.point == KroMathPoint(1.5, 0.0, -20.0));
  EXPECT_TRUE(fields.direction == KroMathDirection(0.0, 0.0, 1.0));
  const KroOdtCompactFields zero = KroOdtScanCompactStream("3_2_#1_Edge_0_0_0_0_0_0__");
  EXPECT_TRUE(zero.direction == KroMathDirection(1.0, 0.0, 0.0));
  EXPECT_EQ(KroOdtFormatPoint(fields.point), "(1.5, 0, -20)");
  EXPECT_EQ(KroOdtFormatPoint(KroMathPoint(123.456789, 1e-7, -0.5)), "(123.457, 1e-07, -0.5)");
}

// ---- The verdict on a cell read back. ----

class KroOdtJudgeReadBackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(KroMfPart::CreateSamplePart(_Part), KRO_S_OK);
    _Cells = KroOdtListCells(_Part);
  }

  // The entry of the cell with that tag.
  const KroOdtCellEntry& Entry(unsigned int tag) const {
    for (const KroOdtCellEntry& entry : _Cells) {
      if (entry.tag == tag) return entry;
    }
    ADD_FAILURE() << "no cell " << tag;
    return _Cells.front();
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

TEST_F(KroOdtJudgeReadBackTest, ACellThatComesBackAsItselfIsTheSame) {
  for (const KroOdtCellEntry& entry : _Cells) {
    if (entry.bodyIndex != 1) continue;
    std::string stream;
    ASSERT_TRUE(KroOdtWriteTopoStream(entry.body, entry.cell, stream).ok);
    std::string detail = "stale";
    EXPECT_EQ(KroOdtJudgeReadBack(_Part, entry, stream, entry.cell, detail), KroOdtVerdict::kSame);
    EXPECT_EQ(detail, "");
  }
}

TEST_F(KroOdtJudgeReadBackTest, ACellFarFromTheWrittenPointIsWrong) {
  const std::vector<Pair> faces = Neighbours(2);
  ASSERT_FALSE(faces.empty());
  const KroOdtCellEntry& face = *faces.front().first;
  std::string stream;
  ASSERT_TRUE(KroOdtWriteTopoStream(face.body, face.cell, stream).ok);
  // Another face of the same body that does not pass through the written point.
  const KroOdtCompactFields fields = KroOdtScanCompactStream(stream);
  for (const KroOdtCellEntry& other : _Cells) {
    if (other.bodyIndex != 1 || other.dimension != 2 || other.tag == face.tag) continue;
    if (KroOdtMeasureCell(_Part, other.cell, fields.point, fields.direction).distance < 1.0) {
      continue;
    }
    std::string detail;
    EXPECT_EQ(KroOdtJudgeReadBack(_Part, face, stream, other.cell, detail), KroOdtVerdict::kWrong);
    EXPECT_NE(detail.find(", beyond the tolerance 0.02"), std::string::npos) << detail;
    EXPECT_EQ(detail.rfind("came back as face ", 0), 0u) << detail;
    return;
  }
  FAIL() << "no face far from " << stream;
}

TEST_F(KroOdtJudgeReadBackTest, ACellOfAnotherDimensionOrBodyIsWrong) {
  const KroOdtCellEntry& face = Entry(Neighbours(2).front().first->tag);
  std::string stream;
  ASSERT_TRUE(KroOdtWriteTopoStream(face.body, face.cell, stream).ok);
  std::string detail;
  for (const KroOdtCellEntry& other : _Cells) {
    if (other.bodyIndex == 1 && other.dimension == 1) {
      EXPECT_EQ(KroOdtJudgeReadBack(_Part, face, stream, other.cell, detail),
                KroOdtVerdict::kWrong);
      EXPECT_NE(detail.find("a cell of another dimension"), std::string::npos) << detail;
      break;
    }
  }
  for (const KroOdtCellEntry& other : _Cells) {
    if (other.bodyIndex == 2 && other.dimension == 2) {
      EXPECT_EQ(KroOdtJudgeReadBack(_Part, face, stream, other.cell, detail),
                KroOdtVerdict::kWrong);
      EXPECT_NE(detail.find("a cell of another body"), std::string::npos) << detail;
      break;
    }
  }
}

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

// The plate's rounded corners meet its straight sides tangentially: at their common vertex
// both edges lie on the written point and share its direction, so the stream truly cannot
// tell them apart.
TEST_F(KroOdtJudgeReadBackTest, ANeighbourOnThePointWithTheSameDirectionIsAmbiguous) {
  int checked = 0;
  for (const Pair& pair : Neighbours(1)) {
    KroBRepXYZ tangent;
    KroBRepXYZ other;
    if (!Kernel(*pair.first).Direction(pair.at, tangent).Ok() ||
        !Kernel(*pair.second).Direction(pair.at, other).Ok()) {
      continue;
    }
    const double cosine = tangent.x * other.x + tangent.y * other.y + tangent.z * other.z;
    std::string detail;
    const KroOdtVerdict verdict = KroOdtJudgeReadBack(
        _Part, *pair.first, Stream("Edge", pair.at, tangent), pair.second->cell, detail);
    if (std::fabs(cosine) > 0.999) {
      EXPECT_EQ(verdict, KroOdtVerdict::kAmbiguous) << detail;
      EXPECT_NE(detail.find(", its direction agreeing too"), std::string::npos) << detail;
      ++checked;
    } else if (std::fabs(cosine) < 0.9) {
      EXPECT_EQ(verdict, KroOdtVerdict::kWrong) << detail;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(KroOdtJudgeReadBack, ADegenerateEdgeIsAmbiguousWithTheSeamThroughItsPoint) {
  KroMfPart_var sphere;
  ASSERT_EQ(KroMfPart::CreateFromModel(KroBRepModel::MakeSphere(10.0), sphere), KRO_S_OK);
  const std::vector<KroOdtCellEntry> edges = KroOdtListCells(sphere, 1);
  const KroBRepModel& model = *sphere->GetModel();
  int checked = 0;
  for (const KroOdtCellEntry& pole : edges) {
    if (!model.CellByTag(pole.tag).IsDegenerate()) continue;
    std::string stream;
    ASSERT_TRUE(KroOdtWriteTopoStream(pole.body, pole.cell, stream).ok);
    for (const KroOdtCellEntry& seam : edges) {
      if (!model.CellByTag(seam.tag).IsSeam()) continue;
      std::string detail;
      EXPECT_EQ(KroOdtJudgeReadBack(sphere, pole, stream, seam.cell, detail),
                KroOdtVerdict::kAmbiguous);
      EXPECT_NE(detail.find("the edge is degenerate"), std::string::npos) << detail;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2);
}

// ---- The roundtrip of a whole model. ----

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
  EXPECT_EQ(KroOdtRoundtripTable(result).back(),
            "roundtrip: " + std::to_string(named + unnamed) + " cells: " + std::to_string(named) +
                " same, 0 ambiguous, " + std::to_string(unnamed) + " lost, 0 wrong");
  const std::vector<std::string> notes = KroOdtRoundtripNotes(result, 0);
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes.front().rfind("lost vertex 1 of body 2 (tag ", 0), 0u) << notes.front();
}

// ---- Words of a failure. ----

TEST(KroOdtExplainTrace, PutsWhatWasBeingReadBeforeTheInnermostReason) {
  struct Case {
    std::vector<KroSysTraceEntry> chain;
    std::string why;
  };
  const Case cases[] = {
      {{{4000, "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream"},
        {200, "KroMmdStreamTopoForODT::ParseBodyIdentifier"},
        {500, "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT"},
        {100, "KroMmdStreamTopoForODT::GetTopoFromStream"}},
       R"(body identifier <id>: no decimal number from 0 to 4294967295 after "#")"},
      {{{300, "KroMmdStreamTopoForODT::ParseBodyIdentifier"},
        {500, "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT"},
        {100, "KroMmdStreamTopoForODT::GetTopoFromStream"}},
       "no body with the identifier <id>"},
      {{{400, "KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream"},
        {200, "KroMmdGNAOSpecODTStreamBuilder::SetValueStream"},
        {400, "KroMmdODTStreamBuilder::SetODTStream"}},
       "body tag <value>: no body has that tag"},
      // A step the table does not know is skipped for the next one it knows.
      {{{1, "Somewhere::Unknown"}, {800, "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT"}},
       "no <cell> within 0.02 of the point <point>"},
      {{{7, "Somewhere::Unknown"}}, "Somewhere::Unknown stage 7"},
      {{}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KroOdtRawTrace(c.chain));
    EXPECT_EQ(KroOdtExplainTrace(c.chain), c.why);
  }
}

TEST(KroOdtFillPlaceholders, FillsTheGivenWordsAndTheFallbacksOfTheOthers) {
  EXPECT_EQ(KroOdtFillPlaceholders("no <cell> within 0.02 of the point <point>",
                                   {{"<cell>", "face"}, {"<point>", "(1, 2, 3)"}}),
            "no face within 0.02 of the point (1, 2, 3)");
  EXPECT_EQ(KroOdtFillPlaceholders("no body with the identifier <id>", {}),
            "no body with the identifier given");
  // "<" and ">" that are no placeholder stay.
  EXPECT_EQ(KroOdtFillPlaceholders("a <b> c < d", {}), "a <b> c < d");
  const KroOdtCompactFields fields = KroOdtScanCompactStream("3_2_#7_Edge_1_2_3_1_0_0__");
  EXPECT_EQ(
      KroOdtFillPlaceholders("<cell> <id> <point> at <point-at>", KroOdtStreamPlaceholders(fields)),
      R"(edge "#7" (1, 2, 3) at 13)");
}

// ---- Small helpers. ----

TEST(KroOdtProgress, DrawsABarWithTheCountOrASpinner) {
  EXPECT_EQ(KroOdtProgress::Line("roundtrip", 0, 40, "cells", 0.0, 0),
            "kro-odt: roundtrip [..............................] 0/40 cells   0% 0.0 s");
  EXPECT_EQ(KroOdtProgress::Line("roundtrip", 10, 40, "cells", 1.25, 0),
            "kro-odt: roundtrip [#######.......................] 10/40 cells  25% 1.2 s");
  EXPECT_EQ(KroOdtProgress::Line("roundtrip", 50, 40, "", 2.0, 0),
            "kro-odt: roundtrip [##############################] 40/40 100% 2.0 s");
  EXPECT_EQ(KroOdtProgress::Line("reading x.step", 0, 0, "", 3.04, 5),
            "kro-odt: reading x.step / 3.0 s");
  // A long path keeps its end.
  EXPECT_EQ(KroOdtProgress::Line("reading /a/very/long/folder/name/of/models/board.step", 0, 0, "",
                                 0.5, 0),
            "kro-odt: ...long/folder/name/of/models/board.step | 0.5 s");
}

TEST(KroOdtParseDimension, TakesNumbersWordsAndFeat) {
  const std::pair<const char*, int> good[] = {{"0", 0},
                                              {"1", 1},
                                              {"2", 2},
                                              {"3", 3},
                                              {"vertex", 0},
                                              {"edges", 1},
                                              {"face", 2},
                                              {"volumes", 3},
                                              {"feat", kKroOdtFeatDimension},
                                              {"body", kKroOdtFeatDimension}};
  for (const auto& c : good) {
    SCOPED_TRACE(c.first);
    int dimension = -1;
    EXPECT_TRUE(KroOdtParseDimension(c.first, dimension));
    EXPECT_EQ(dimension, c.second);
  }
  for (const char* bad : {"", "4", "-1", "02", "Face", "2 "}) {
    SCOPED_TRACE(bad);
    int dimension = -7;
    EXPECT_FALSE(KroOdtParseDimension(bad, dimension));
    EXPECT_EQ(dimension, -7);
  }
}

TEST(KroOdtIsModelOperand, TakesFilesAndModelNamesButNotStreams) {
  for (const char* model : {"a.step", "B.STP", "c.Brep", KROODT_TOOL_PATH}) {
    EXPECT_TRUE(KroOdtIsModelOperand(model)) << model;
  }
  for (const char* stream : {"3_2_#1_Feat__", "{\"alias\":\"a.step\"}", "", "/tmp", "a.step.x"}) {
    EXPECT_FALSE(KroOdtIsModelOperand(stream)) << stream;
  }
}

}  // namespace
