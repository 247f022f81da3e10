// The kro-odt verbs that work on a model (info, cells, find, roundtrip), run as a process on the
// built-in sample part and STEP models. The ambiguous cells of a sphere: KroOdtDiffTest.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "KroOmxAny.h"
#include "KroOmxJson.h"
#include "KroOmxUTF8String.h"
#include "tools/KroOdtToolRun.h"

namespace {

// The counts of a roundtrip of n cells, all found again, as its JSON writes them.
std::string Counts(int n) {
  const std::string cells = std::to_string(n);
  return R"("cells":)" + cells + R"(,"same":)" + cells + R"(,"ambiguous":0,"lost":0,"wrong":0)";
}

TEST(KroOdtModelVerbs, InfoListsTheFeaturesBodiesAndCellsOfTheSamplePart) {
  const KroOdtToolRun run = KroOdtRunTool({"info", "--quiet"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, R"(model: built-in sample part
features: 8
  #1 "Plate" alias "BasePlate" journaling "Pad.1" body 1
  #2 "Boss" journaling "Pad.2" body 2
  #3 "Fillet.1" alias "BossFoot" journaling "EdgeFillet.1" body 3
  #4 "Rib" journaling "Stiffener.1" body 4
  #5 "Loft" alias "Knob" journaling "Loft.1" body 5
  #6 "Hole.1" journaling "Hole.1" body 6
  #7 "Hole.2" body 7
  #8 "BossHole" alias "Bore" journaling "Hole.3" body 8
bodies: 8
  1 "Plate" tag 1: 16 vertices, 24 edges, 10 faces, 1 volume
  2 "Boss" tag 53: 18 vertices, 27 edges, 12 faces, 1 volume
  3 "Fillet.1" tag 112: 19 vertices, 29 edges, 13 faces, 1 volume
  4 "Rib" tag 175: 26 vertices, 39 edges, 16 faces, 1 volume
  5 "Loft" tag 258: 36 vertices, 54 edges, 22 faces, 1 volume
  6 "Hole.1" tag 372: 38 vertices, 57 edges, 23 faces, 1 volume
  7 "Hole.2" tag 492: 40 vertices, 60 edges, 24 faces, 1 volume
  8 "BossHole" tag 618: 42 vertices, 63 edges, 25 faces, 1 volume
cells: 741: 235 vertices, 353 edges, 145 faces, 8 volumes
)");
}

TEST(KroOdtModelVerbs, FindsNoStreamInAnEmptyInputAndSucceeds) {
  // Line ends of another system are no part of a stream.
  for (const char* input : {"", "\n  \n\t\n", "3_2_#2_Feat__\r\n"}) {
    SCOPED_TRACE(input);
    const KroOdtToolRun run = KroOdtRunTool({"find"}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, *input == '3' ? "found body 53 Boss\n" : "");
    EXPECT_EQ(run.err, "");
  }
}

TEST(KroOdtModelVerbs, FindSaysWhyEachStreamIsLost) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "the stream is empty"},
      {"3_9_#1_Face_",
       "malformed length prefix at character 3 (a count of characters that the identifier "
       R"(after it does not have, or no "_" after it))"},
      {"3_2_#9_Face_0_0_0_1_0_0__", R"(no body with the identifier "#9")"},
      {"3_2_#1_Edge_500_0_0_1_0_0__", "no edge within 0.02 of the point (500, 0, 0)"},
  };
  std::vector<std::string> args = {"find"};
  std::string expected;
  for (const auto& [stream, reason] : cases) {
    args.push_back(stream);
    expected += std::string("lost ") + reason + "\n";
  }
  const KroOdtToolRun run = KroOdtRunTool(args);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, expected);
}

TEST(KroOdtModelVerbs, RoundtripPrintsItsTableByDimension) {
  const KroOdtToolRun run = KroOdtRunTool({"roundtrip", "--quiet"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, R"(roundtrip of built-in sample part
dimension     cells     same  ambiguous   lost  wrong
vertices        235      235          0      0      0
edges           353      353          0      0      0
faces           145      145          0      0      0
volumes           8        8          0      0      0
all             741      741          0      0      0
roundtrip: 741 cells: 741 same, 0 ambiguous, 0 lost, 0 wrong
)");
  // The same counts as JSON; only the time differs from run to run.
  const KroOdtToolRun json = KroOdtRunTool({"roundtrip", "--json", "--quiet"});
  EXPECT_EQ(json.exitCode, 0);
  EXPECT_EQ(std::regex_replace(json.out, std::regex(R"("seconds":[0-9.e+-]+)"), R"("seconds":0)"),
            R"({"model":"built-in sample part","via":"topo",)" + Counts(741) +
                R"(,"seconds":0,"by_dimension":{)" + R"("vertex":{)" + Counts(235) +
                R"(},"edge":{)" + Counts(353) + R"(},"face":{)" + Counts(145) + R"(},"volume":{)" +
                Counts(8) + R"(}},"problems":[]})" + "\n");
}

// Reading this model makes the geometric engine report an unresolved reference. Fault: the
// engine printed it, with colour codes, on standard output, so no --json output was JSON.
TEST(KroOdtModelVerbs, EngineMessagesAreReadingWarningsNeverOutput) {
  const std::string led = std::string(KROODT_MODELS_DIR) + "/LED_D5.0mm-4_RGB_Staggered_Pins.step";
  const std::string warning = "*** ERR StepReaderData : Unresolved Reference : Fails Count : 1 ***";
  KroOmxAny tree;
  for (const char* verb : {"roundtrip", "info"}) {
    SCOPED_TRACE(verb);
    const KroOdtToolRun run = KroOdtRunTool({verb, "--json", "--quiet", led});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(KroOmxJson::ParseString(KroOmxUTF8String(run.out), tree), 0) << run.out;
  }
  const KroOmxAny* warnings = tree.MapFind("reading_warnings");  // of info
  ASSERT_TRUE(warnings && warnings->IsList() && warnings->Size() == 1);
  EXPECT_EQ((*warnings)[1].GetString().ToStdString(), warning);

  const KroOdtToolRun text = KroOdtRunTool({"--trace", "info", "--quiet", led});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_NE(text.out.find("\nreading warnings: 1\n  \"" + warning + "\"\n"), std::string::npos)
      << text.out;
  EXPECT_EQ(text.err, "kro-odt: trace: message from KroBRepModel::Load: " + warning + "\n");
}

TEST(KroOdtModelVerbs, RefusesBadOptionsMissingFilesAndFilesThatAreNoModel) {
  KroOdtTempDir dir;
  const std::string text = dir.File("notes.step");
  std::ofstream(text) << "hello\n";
  const std::string missing = dir.File("missing.brep");
  KroOdtExpectRefused(
      {"--trace", "cells", text},
      "cannot read model \"" + text +
          "\": the file is not a STEP or BREP model\nkro-odt: trace: KroMfPart::Load:100\n");
  // A missing first operand that looks like a model is a model, not a stream.
  KroOdtExpectRefused({"find", missing, "3_2_#1_Feat__"},
                      "cannot read model \"" + missing + "\": no such file\n");
  KroOdtExpectRefused({"cells", "--dim", "4"},
                      "--dim takes 0, 1, 2, 3 (vertex, edge, face, volume) or feat, not \"4\" (see "
                      "kro-odt --help)\n");
}

}  // namespace
