// The delegates verb and find on delegate streams and Delegate builder streams, run as a process.
// roundtrip --via delegate on every model is part of KroOdtAccessVerbsTest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

// The sample part's features by their journaling names; Hole.2 has none and goes by its name.
TEST(KroOdtDelegateVerbs, WritesFeatureDelegatesByJournalingNameThatFindFindsAgain) {
  const KroOdtToolRun written = KroOdtRunTool({"delegates", "--dim", "feat", "--contract", "12"});
  EXPECT_EQ(written.exitCode, 0);
  EXPECT_EQ(written.out, R"(3_5_Pad.1_Feat_12_
3_5_Pad.2_Feat_12_
3_12_EdgeFillet.1_Feat_12_
3_11_Stiffener.1_Feat_12_
3_6_Loft.1_Feat_12_
3_6_Hole.1_Feat_12_
3_6_Hole.2_Feat_12_
3_6_Hole.3_Feat_12_
)");
  const KroOdtToolRun found = KroOdtRunTool({"find"}, written.out);
  EXPECT_EQ(found.exitCode, 0);
  EXPECT_EQ(KroOdtLines(found.out)[1], "found delegate feature #2 Boss");
  EXPECT_EQ(KroOdtLines(found.out)[6], "found delegate feature #7 Hole.2");
}

// The stages of the other refusals: the tests of the delegate stream and the Delegate builder.
TEST(KroOdtDelegateVerbs, FindsByBodyTagOrSaysWhyADelegateIsLost) {
  const std::string face = "_Face_56_25_28_0_0_1_";
  const struct {
    std::vector<std::string> options;
    std::string stream, line;
  } rows[] = {
      {{}, "3_5_Pad.2" + face + "2_", "found delegate cell 2 66 56 25 28"},
      {{"--body-tag", "53"}, "3_7_Any_old" + face + "-1_", "found delegate cell 2 66 56 25 28"},
      {{"--body-tag", "53"},
       "3_5_Pad.2" + face + "12_",
       "lost its contract stands for the feature as first built, which a body tag does not find"},
      {{},
       R"({"geomSubElem":{"geomReroute":"1_Face_56_25_28_0_0_1_","support":{"bodyTag":"53"}}})",
       "found cell 2 66 56 25 28"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> args = {"find"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    args.push_back(row.stream);
    SCOPED_TRACE(KroOdtDescribeRun(args));
    const KroOdtToolRun run = KroOdtRunTool(args);
    EXPECT_EQ(run.exitCode, row.line.rfind("found", 0) == 0 ? 0 : 1);
    EXPECT_EQ(run.out, row.line + "\n");
  }
  KroOdtExpectRefused({"delegates", "--contract", "7"},
                      R"(--contract takes a contract identifier (-1, 1, 2, 12), not "7" (see )"
                      "kro-odt --help)\n");
  KroOdtExpectRefused({"find", "--body-tag", "-1", "3_1_x_Feat_-1_"},
                      R"(--body-tag takes the tag of a body (an unsigned number), not "-1" (see )"
                      "kro-odt --help)\n");
}

}  // namespace
