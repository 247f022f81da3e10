// The features verb of kro-odt and the find verb on GNAOSpec streams, run as a process: what
// cannot be written, and what each stream finds or why it is lost. The streams written for every
// feature and log element are compared with committed lists in KroOdtWrittenStreamsTest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

// What the default query writes is compared with a committed list in KroOdtWrittenStreamsTest.
TEST(KroOdtFeatureVerbs, SaysWhichFeaturesCannotBeWrittenWithTheQuery) {
  const KroOdtToolRun several = KroOdtRunTool({"features", "--query", "alias specId namingRef"});
  EXPECT_EQ(several.exitCode, 1);
  EXPECT_EQ(KroOdtLines(several.out)[0],
            R"({"alias":"BasePlate","specId":"#1","namingRef":"Pad.1"})");
  EXPECT_EQ(KroOdtLines(several.err)[0],
            "kro-odt: cannot write the stream of feature #2 \"Boss\" with query \"alias specId "
            "namingRef\": it has no alias");
}

// The stages of the other refusals: the tests of the GNAOSpec and LogElement builders.
TEST(KroOdtFeatureVerbs, SaysWhyAFeatureStreamIsLostAndTheKeyReadLastDecides) {
  const std::pair<const char*, const char*> cases[] = {
      {R"({"bodyTag":"1","alias":"Knob"})", "found feature #5 Loft"},
      {R"({"alias":"Knob","gnId":"#2"})", "found feature #2 Boss"},
      // A feature without a journaling name is found by its name.
      {R"({"namingRef":"Boss"})", "found feature #2 Boss"},
      {R"({"logElement":{"root":{"bodyTag":"1"},"logPath":"Construction.Face.3"}})",
       "found log ~1~3 Construction.Face.3"},
      {R"({"alias":"Nope"})", R"(lost no alias "Nope" in the part)"},
      {R"({"frob":"1"})",
       "lost a key that is no way of naming an object (bodyTag, bodyId, specId, gnId, scopeEle, "
       "scopeId, alias, namingRef, logElement)"},
      {R"({bad)", "lost the text is not a JSON object (or nests too deep)"},
  };
  std::vector<std::string> args = {"find"};
  std::string expected;
  for (const auto& [stream, line] : cases) {
    args.push_back(stream);
    expected += std::string(line) + "\n";
  }
  const KroOdtToolRun run = KroOdtRunTool(args);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, expected);
}

}  // namespace
