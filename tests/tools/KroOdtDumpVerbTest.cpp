// The dump verb, run as a process with the dump switch set in its environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

const char* const kSwitch = "MMD_ACTIVATE_DUMPSTREAMTREFLE";

// Runs the tool with the switch set to value (unset when null).
KroOdtToolRun RunWithSwitch(const char* value, const std::vector<std::string>& args) {
  value != nullptr ? setenv(kSwitch, value, 1) : unsetenv(kSwitch);
  KroOdtToolRun run = KroOdtRunTool(args);
  unsetenv(kSwitch);
  return run;
}

}  // namespace

// Each dumped line is the label, the suffix, two spaces and the cell's delegate stream, on
// standard output, cell by cell as the delegates verb writes them.
TEST(KroOdtDumpVerb, PrintsTheDelegateStreamOfEveryCellUnderTheLabel) {
  const KroOdtToolRun dumped = RunWithSwitch("1", {"dump", "--dim", "1", "--label", "Probe"});
  const KroOdtToolRun delegates = KroOdtRunTool({"delegates", "--dim", "1"});
  EXPECT_EQ(dumped.exitCode, 0);
  EXPECT_EQ(dumped.err, "");
  const std::vector<std::string> lines = KroOdtLines(dumped.out);
  const std::vector<std::string> streams = KroOdtLines(delegates.out);
  ASSERT_EQ(lines.size(), streams.size());
  ASSERT_FALSE(lines.empty());
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i], "Probe_StreamTrefleBRepAccess  " + streams[i]) << i;
  }
}

TEST(KroOdtDumpVerb, SaysWhichVariableToSetWhenTheSwitchIsOff) {
  for (const char* value : {static_cast<const char*>(nullptr), "0", "on"}) {
    SCOPED_TRACE(value != nullptr ? value : "(unset)");
    const KroOdtToolRun run = RunWithSwitch(value, {"dump", "--dim", "2"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(KroOdtLines(run.err).size(), 1u) << run.err;
    EXPECT_NE(run.err.find("set MMD_ACTIVATE_DUMPSTREAMTREFLE to a non-zero number"),
              std::string::npos);
  }
}
