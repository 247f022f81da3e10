// Stored streams must stay readable by peers, so what the tool writes is compared byte for byte
// with lists committed in tests/data/streams: a speed-up or a reshaping that changes one
// written stream fails here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "tools/KroOdtToolRun.h"

namespace {

TEST(KroOdtWrittenStreams, AreTheSameAsTheCommittedLists) {
  const std::string models = KROODT_MODELS_DIR;
  const std::string lists = models + "/../streams/";
  const std::string cp = models + "/CP_Elec_6.3x5.9.step";
  // A plate with a 10 x 10 grid of holes: its top and bottom faces take the path for faces
  // with many holes when their points are chosen.
  KroOdtTempDir dir;
  const std::string plate = dir.Save(KroBRepModel::MakeHoledPlate(10, 10, false), "plate100.brep");
  const struct {
    const char* list;
    std::vector<std::string> args;
  } rows[] = {
      {"sample-cells.txt", {"cells", "--quiet"}},
      {"sample-features.txt", {"features", "--quiet"}},
      {"sample-logs.txt", {"features", "--logs", "--quiet"}},
      {"CP_Elec-cells.txt", {"cells", "--quiet", cp}},
      {"CP_Elec-logs.txt", {"features", "--logs", "--quiet", cp}},
      {"plate100-faces.txt", {"cells", "--dim", "2", "--quiet", plate}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(KroOdtDescribeRun(row.args) + " against " + row.list);
    const std::string expected = KroOdtReadFile(lists + row.list);
    ASSERT_FALSE(expected.empty());
    const KroOdtToolRun run = KroOdtRunTool(row.args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, expected);
  }
}

}  // namespace
