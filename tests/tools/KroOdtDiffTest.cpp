// The diff verb, run as a process on the built-in plate versions and on models saved as BREP
// files: which cells of one version are kept, ambiguous or lost in another, and which are new.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "KroBRepEdit.h"
#include "KroBRepModel.h"
#include "KroOmxAny.h"
#include "KroOmxJson.h"
#include "KroOmxUTF8String.h"
#include "tools/KroOdtToolRun.h"

namespace {

const char* const kTallyKeys[] = {"cells", "kept", "ambiguous", "lost", "new"};

std::string Model(const char* name) { return std::string(KROODT_MODELS_DIR) + "/" + name; }

long Count(const KroOmxAny& map, const char* key) {
  const KroOmxAny* value = map.MapFind(key);
  EXPECT_NE(value, nullptr) << key;
  return value != nullptr ? static_cast<long>(value->GetInteger()) : -1;
}

// Runs diff --json and checks that its counts add up: every cell of OLD is kept, ambiguous or
// lost; the dimensions add up to the totals; each list holds as many cells as its count. Gives
// the lost cells by reason.
std::map<std::string, long> DiffJson(const std::vector<std::string>& operands, int exitCode,
                                     KroOmxAny& tree) {
  std::vector<std::string> args = {"diff", "--json"};
  args.insert(args.end(), operands.begin(), operands.end());
  const KroOdtToolRun run = KroOdtRunTool(args);
  EXPECT_EQ(run.exitCode, exitCode);
  EXPECT_EQ(run.err, "");
  std::map<std::string, long> reasons;
  EXPECT_EQ(KroOmxJson::ParseString(KroOmxUTF8String(run.out), tree), 0) << run.out;
  const KroOmxAny* byDimension = tree.MapFind("by_dimension");
  if (!tree.IsMap() || byDimension == nullptr) {
    ADD_FAILURE() << run.out;
    return reasons;
  }
  EXPECT_EQ(Count(tree, "cells"),
            Count(tree, "kept") + Count(tree, "ambiguous") + Count(tree, "lost"));
  for (const char* key : kTallyKeys) {
    long sum = 0;
    for (const auto& [dimension, tally] : byDimension->MapItems()) sum += Count(tally, key);
    EXPECT_EQ(sum, Count(tree, key)) << key;
  }
  for (const auto& [list, count] : {std::pair<const char*, const char*>{"lost_cells", "lost"},
                                    {"ambiguous_cells", "ambiguous"},
                                    {"new_cells", "new"}}) {
    const KroOmxAny* cells = tree.MapFind(list);
    EXPECT_EQ(cells != nullptr ? cells->Size() : -1, Count(tree, count)) << list;
  }
  const KroOmxAny& lost = *tree.MapFind("lost_cells");
  for (int i = 1; i <= lost.Size(); ++i) {
    ++reasons[lost[i].MapFind("reason")->GetString().ToStdString()];
  }
  return reasons;
}

// Version 2 of the plate is version 1 with a third hole: what version 1 had is kept in
// version 2, where the hole's face, its two circles, its seam and the seam's two vertices are
// new; from version 2 to version 1 those same cells are lost.
TEST(KroOdtDiff, FindsTheThirdHoleOfThePlateNewOneWayAndLostTheOther) {
  const KroOdtToolRun forward = KroOdtRunTool({"diff", "plate-v1", "plate-v2"});
  EXPECT_EQ(forward.exitCode, 0);
  EXPECT_EQ(forward.out, R"(vertices: 12 cells, 12 kept, 0 ambiguous, 0 lost, 2 new
edges:    18 cells, 18 kept, 0 ambiguous, 0 lost, 3 new
faces:    8 cells, 8 kept, 0 ambiguous, 0 lost, 1 new
volumes:  1 cell, 1 kept, 0 ambiguous, 0 lost, 0 new
total:    39 cells, 39 kept, 0 ambiguous, 0 lost, 6 new
)");
  const KroOdtToolRun back = KroOdtRunTool({"diff", "--dim", "face", "plate-v2", "plate-v1"});
  EXPECT_EQ(back.exitCode, 1);
  EXPECT_EQ(back.out, R"(faces:    9 cells, 8 kept, 0 ambiguous, 1 lost, 0 new
total:    9 cells, 8 kept, 0 ambiguous, 1 lost, 0 new
lost face 9 of body 1 (tag 11) 3_2_#1_Face_81.9134_34.6194_5_-0.382683_-0.92388_0__: no cell within 0.02 of the point (81.9134, 34.6194, 5); nearest face 3 of body 1 (tag 5), 5 away
)");
  KroOmxAny tree;
  EXPECT_EQ(DiffJson({"plate-v2", "plate-v1"}, 1, tree),
            (std::map<std::string, long>{{"no cell within 0.02 of the point", 6}}));
}

// The same geometry, however it was made, keeps every cell: version 1 of the plate with the
// third hole drilled afterwards is version 2, whose tags and cell order differ. A sphere's
// poles are ambiguous as in the roundtrip, and no cell is new: the pole that a pole's stream
// could mean counts as reached.
TEST(KroOdtDiff, KeepsEveryCellOfTheSameGeometry) {
  KroOdtTempDir dir;
  const std::string drilled =
      dir.Save(KroBRepEdit::ThroughHole(KroBRepModel::MakePlateVersion(1), 80, 30, 5), "d.brep");
  const std::string sphere = dir.Save(KroBRepModel::MakeSphere(10), "sphere.brep");
  const std::string crystal = Model("Crystal_AT310_D3.0mm_L10.0mm_Horizontal_1EP_style2.step");
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{crystal, crystal}, "total:    66 cells, 66 kept, 0 ambiguous, 0 lost, 0 new"},
      {{"plate-v2", drilled}, "total:    45 cells, 45 kept, 0 ambiguous, 0 lost, 0 new"},
      {{sphere, sphere}, "total:    7 cells, 5 kept, 2 ambiguous, 0 lost, 0 new"},
  };
  for (const auto& [operands, total] : cases) {
    SCOPED_TRACE(KroOdtDescribeRun(operands));
    std::vector<std::string> args = {"diff"};
    args.insert(args.end(), operands.begin(), operands.end());
    const KroOdtToolRun run = KroOdtRunTool(args);
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = KroOdtLines(run.out);
    ASSERT_GE(lines.size(), 5u) << run.out;
    EXPECT_EQ(lines[4], total);
    for (size_t i = 5; i < lines.size(); ++i) {
      EXPECT_NE(lines[i].find(": another cell could be meant: found edge 2 of body 1 (tag 5) "),
                std::string::npos)
          << lines[i];
      EXPECT_NE(lines[i].find(", and the edge is degenerate"), std::string::npos) << lines[i];
    }
    EXPECT_EQ(lines.size(), sphere == operands[0] ? 7u : 5u);
  }
}

// A moved copy loses every cell that the move takes off its point; the volume of a small move
// is kept, since its point still lies inside the solid.
TEST(KroOdtDiff, LosesTheCellsOfAMovedCopy) {
  KroOdtTempDir dir;
  const std::string original = dir.Save(KroBRepModel::MakePlateVersion(1), "v1.brep");
  const std::pair<KroBRepXYZ, long> cases[] = {{{0, 0, 50}, 39}, {{1, 1, 1}, 38}};
  for (const auto& [offset, lost] : cases) {
    SCOPED_TRACE(offset.x + offset.y + offset.z);
    const std::string moved =
        dir.Save(KroBRepEdit::Translated(KroBRepModel::MakePlateVersion(1), offset), "moved.brep");
    KroOmxAny tree;
    EXPECT_EQ(DiffJson({original, moved}, 1, tree),
              (std::map<std::string, long>{{"no cell within 0.02 of the point", lost}}));
    EXPECT_EQ(Count(tree, "new"), lost);
    const KroOmxAny& first = (*tree.MapFind("lost_cells"))[1];
    EXPECT_GE(first.MapFind("nearest")->MapFind("distance")->GetReal(), 0.02);
  }
}

// A hole drilled where a cylinder stood: the cylinder's side is found at its point facing the
// other way. Against an unrelated model with fewer bodies, the missing bodies are gone.
TEST(KroOdtDiff, SaysWhenTheDirectionDisagreesOrTheBodyIsGone) {
  KroOdtTempDir dir;
  const std::string rod = dir.Save(KroBRepModel::MakeCylinder(2, 10), "rod.brep");
  const std::string tube =
      dir.Save(KroBRepEdit::ThroughHole(KroBRepModel::MakeCylinder(5, 10), 0, 0, 2), "tube.brep");
  const KroOdtToolRun run = KroOdtRunTool({"diff", rod, tube});
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<std::string> lines = KroOdtLines(run.out);
  ASSERT_EQ(lines.size(), 9u) << run.out;
  EXPECT_EQ(lines[4], "total:    9 cells, 5 kept, 0 ambiguous, 4 lost, 10 new");
  EXPECT_EQ(lines[5].rfind("lost face 1 of body 1 (tag 3) 3_2_#1_Face_-2_", 0), 0u) << lines[5];
  EXPECT_NE(lines[5].find(": direction disagrees: the normal of the face found there, face 4 "
                          "of body 1 (tag 6), is (1, "),
            std::string::npos)
      << lines[5];

  // Eight solids against one: the first is compared, the other seven are gone.
  KroOmxAny tree;
  const std::map<std::string, long> reasons =
      DiffJson({Model("Transformer_Breve_TEZ-22x24.step"),
                Model("Crystal_AT310_D3.0mm_L10.0mm_Horizontal_1EP_style2.step")},
               1, tree);
  EXPECT_EQ(reasons, (std::map<std::string, long>{{"body gone", 236},
                                                  {"no cell within 0.02 of the point", 13}}));
  EXPECT_EQ(Count(tree, "new"), 66);
}

TEST(KroOdtDiff, RefusesBadCommandLinesAndUnreadableModels) {
  KroOdtTempDir dir;
  const std::string missing = dir.File("missing.brep");
  KroOdtExpectRefused({"diff", "plate-v1"},
                      "missing operand; usage: kro-odt diff [--dim N] [--json] OLD NEW");
  KroOdtExpectRefused({"diff", "--dim", "feat", "plate-v1", "plate-v2"},
                      "--dim takes 0, 1, 2 or 3");
  KroOdtExpectRefused({"diff", "plate-v1", missing},
                      "cannot read model \"" + missing + "\": no such file\n");
}

}  // namespace
