// The access verb, find on BRepAccess streams and roundtrip --via: every way of naming a cell
// finds every cell of every model again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroMfPart.h"
#include "KroOdtRoundtrip.h"
#include "tools/KroOdtToolRun.h"

namespace {

// The lines find prints for the streams that access writes with the arguments.
std::vector<std::string> FoundAgain(std::vector<std::string> args) {
  args.insert(args.begin(), {"access", "--quiet"});
  const KroOdtToolRun written = KroOdtRunTool(args);
  EXPECT_EQ(written.exitCode, 0);
  EXPECT_EQ(written.err, "");
  const KroOdtToolRun found = KroOdtRunTool({"find", "--quiet"}, written.out);
  EXPECT_EQ(found.exitCode, 0);
  return KroOdtLines(found.out);
}

}  // namespace

// The axes of the faces of revolution, written by access: only the geometric selector tells them
// from the faces. Every way of naming a cell of every model is shown below and, through access
// and find, by KroOdtMetaSelectionFindTest.
TEST(KroOdtAccessVerb, WritesAxesThatFindFindsAgain) {
  const KroOdtToolRun axes = KroOdtRunTool({"access", "--axes", "--query", "geomReroute"});
  const std::vector<std::string> axisLines = KroOdtLines(axes.out);
  ASSERT_EQ(axisLines.size(), 51u);
  EXPECT_EQ(axisLines[0].rfind(R"({"geomReroute":"1_Axis_)", 0), 0u) << axisLines[0];
  for (const std::string& line : FoundAgain({"--axes", "--query", "geomReroute"})) {
    EXPECT_EQ(line.rfind("found axis ", 0), 0u) << line;
  }
  EXPECT_EQ(FoundAgain({"--axes"})[0].rfind("found cell 2 ", 0), 0u);
}

TEST(KroOdtAccessVerb, SaysWhyAStreamIsLostAndRefusesBadOptions) {
  const KroOdtToolRun lost = KroOdtRunTool(
      {"find", R"({"geomReroute":"1_Face_500_500_500_0_0_1_","support":{"bodyTag":"1"}})",
       R"({"support":{"bodyTag":"1"},"gnSelector":"Face:Construction.Face.99"})"});
  EXPECT_EQ(lost.exitCode, 1);
  EXPECT_EQ(lost.out,
            "lost geometric selector \"1_Face_500_500_500_0_0_1_\": no face within 0.02 of the "
            "point (500, 500, 500)\n"
            "lost report selector \"Face:Construction.Face.99\": it selects no cell of the "
            "support\n");
  KroOdtExpectRefused({"access", "--axes", "--dim", "1"},
                      "--axes writes the axes of faces; it takes no --dim but 2 (face) (see "
                      "kro-odt --help)\n");
  KroOdtExpectRefused({"roundtrip", "--via", "tag"},
                      "--via takes topo, topoTag, brpEle, gnSelector, geomReroute or delegate, not "
                      "\"tag\" (see kro-odt --help)\n");
}

// Every cell of every STEP model (the big one only when not sanitized) comes back by every way
// of naming, the delegate stream included: none lost or wrong, and as itself when named without
// geometry.
TEST(KroOdtAccessVerb, RoundtripByEveryWayOfNamingFindsEveryCellOfEveryModel) {
  for (const std::vector<std::string>& model : KroOdtModels(true, !kKroOdtSanitized)) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    KroMfPart_var part;
    ASSERT_EQ(
        model.empty() ? KroMfPart::CreateSamplePart(part) : KroMfPart::Load(model[0].c_str(), part),
        KRO_S_OK);
    for (const std::string& via : KroOdtRoundtripVias()) {
      if (via == "topo") continue;  // the library's own model round trip covers it
      SCOPED_TRACE(via);
      const KroOdtRoundtripResult result = KroOdtRoundtripModel(part, -1, nullptr, via);
      for (const KroOdtRoundtripNote& note : result.notes) {  // none lost or wrong
        if (note.verdict != KroOdtVerdict::kAmbiguous) {
          ADD_FAILURE() << note.cell << ": " << note.detail;
        }
      }
      if (via != "geomReroute" && via != "delegate") {
        EXPECT_EQ(result.total.same, result.total.cells);
      }
    }
  }
}
