// The kro-odt verbs that work on a model (info, cells, find, roundtrip), run as a process on the
// built-in sample part, the STEP models and plates saved as BREP files.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroOmxAny.h"
#include "KroOmxJson.h"
#include "KroOmxUTF8String.h"
#include "tools/KroOdtToolRun.h"

namespace {

// The big model takes too long under the sanitizers; the others are run everywhere.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

const char* const kBigModel = "TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step";

// Every STEP model of the test folder, in name order; the big one only when not sanitized.
std::vector<std::string> StepModels() {
  std::vector<std::string> paths;
  if (DIR* dir = opendir(KROODT_MODELS_DIR)) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() < 5 || name.substr(name.size() - 5) != ".step") continue;
      if (kSanitized && name == kBigModel) continue;
      paths.push_back(std::string(KROODT_MODELS_DIR) + "/" + name);
    }
    closedir(dir);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

// The sample part (no operand) and every STEP model, as the operands of a verb.
std::vector<std::vector<std::string>> AllModels() {
  std::vector<std::vector<std::string>> models = {{}};
  for (const std::string& path : StepModels()) models.push_back({path});
  return models;
}

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// A model saved as a BREP file in the folder.
std::string SaveModel(const std::shared_ptr<KroBRepModel>& model, const KroOdtTempDir& dir,
                      const std::string& name) {
  const std::string path = dir.File(name);
  EXPECT_TRUE(model != nullptr) << name;
  if (model != nullptr) {
    EXPECT_TRUE(model->SaveBRep(path).Ok()) << path;
  }
  return path;
}

// ---- info ----

TEST(KroOdtModelVerbs, InfoListsTheFeaturesBodiesAndCellsOfTheSamplePart) {
  const KroOdtToolRun run = KroOdtRunTool({"info"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, R"(model: built-in sample part
features: 8
  #1 "Plate" alias "BasePlate" body 1
  #2 "Boss" body 2
  #3 "Fillet.1" alias "BossFoot" body 3
  #4 "Rib" body 4
  #5 "Loft" alias "Knob" body 5
  #6 "Hole.1" body 6
  #7 "Hole.2" body 7
  #8 "BossHole" alias "Bore" body 8
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

// ---- cells ----

TEST(KroOdtModelVerbs, CellsWritesOneStreamPerCellAsInfoCountsThem) {
  const std::regex cellStream(R"(3_\d+_#\d+_(Vrtx|Edge|Face|Wire)(_[-+.0-9a-z]+){6}__)");
  const char* const tokens[] = {"Vrtx", "Edge", "Face", "Wire"};
  for (const std::vector<std::string>& model : AllModels()) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    const KroOdtToolRun info = KroOdtRunTool(With({"info"}, model));
    std::smatch counts;
    ASSERT_TRUE(std::regex_search(
        info.out, counts,
        std::regex(R"(\ncells: (\d+): (\d+) vertices, (\d+) edges, (\d+) faces, (\d+) volume)")))
        << info.out;
    std::smatch bodies;
    ASSERT_TRUE(std::regex_search(info.out, bodies, std::regex(R"(\nbodies: (\d+)\n)")));

    const KroOdtToolRun all = KroOdtRunTool(With({"cells"}, model));
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.err, "");
    const std::vector<std::string> lines = KroOdtLines(all.out);
    EXPECT_EQ(std::to_string(lines.size()), counts[1].str());
    int perDimension[4] = {0, 0, 0, 0};
    for (const std::string& line : lines) {
      std::smatch match;
      ASSERT_TRUE(std::regex_match(line, match, cellStream)) << line;
      for (int d = 0; d <= 3; ++d) perDimension[d] += match[1].str() == tokens[d] ? 1 : 0;
    }
    for (int d = 0; d <= 3; ++d) {
      EXPECT_EQ(std::to_string(perDimension[d]), counts[2 + d].str()) << "dimension " << d;
    }

    // The same lines, one dimension at a time (not for the big model: it takes long).
    const bool big = !model.empty() && model[0].find(kBigModel) != std::string::npos;
    for (int d = 0; d <= 3 && !big; ++d) {
      const KroOdtToolRun one = KroOdtRunTool(With({"cells", "--dim", std::to_string(d)}, model));
      std::vector<std::string> expected;
      for (const std::string& line : lines) {
        if (line.find(std::string("_") + tokens[d] + "_") != std::string::npos) {
          expected.push_back(line);
        }
      }
      EXPECT_EQ(KroOdtLines(one.out), expected) << "dimension " << d;
    }

    const KroOdtToolRun feat = KroOdtRunTool(With({"cells", "--dim=feat"}, model));
    const std::vector<std::string> featLines = KroOdtLines(feat.out);
    EXPECT_EQ(std::to_string(featLines.size()), bodies[1].str());
    for (size_t b = 0; b < featLines.size(); ++b) {
      const std::string id = "#" + std::to_string(b + 1);
      EXPECT_EQ(featLines[b], "3_" + std::to_string(id.size()) + "_" + id + "_Feat__");
    }
  }
}

// ---- find ----

TEST(KroOdtModelVerbs, FindFindsEveryCellAgainInTheModelItWasWrittenIn) {
  const KroOdtToolRun cells = KroOdtRunTool({"cells"});
  const std::vector<std::string> streams = KroOdtLines(cells.out);
  const KroOdtToolRun find = KroOdtRunTool({"find"}, cells.out);
  EXPECT_EQ(find.exitCode, 0) << find.out;
  EXPECT_EQ(find.err, "");
  const std::vector<std::string> lines = KroOdtLines(find.out);
  ASSERT_EQ(lines.size(), streams.size());
  const std::map<std::string, std::string> dimensionOfToken = {
      {"Vrtx", "0"}, {"Edge", "1"}, {"Face", "2"}, {"Wire", "3"}};
  const std::regex found(R"(found cell ([0-3]) \d+ \S+ \S+ \S+)");
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(streams[i]);
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[i], match, found)) << lines[i];
    const std::string token = streams[i].substr(streams[i].find("_#") + 4, 4);
    EXPECT_EQ(match[1].str(), dimensionOfToken.at(token.substr(token.find('_') + 1)));
  }
}

TEST(KroOdtModelVerbs, FindTakesStreamsFromTheCommandLineAfterTheModel) {
  KroOdtTempDir dir;
  const std::string plate = SaveModel(KroBRepModel::MakePlateVersion(1), dir, "plate.brep");
  // The first operand is the model when it names a file; without one, the sample part.
  const KroOdtToolRun inPlate = KroOdtRunTool({"find", plate, "3_2_#1_Feat__", "3_2_#2_Feat__"});
  EXPECT_EQ(inPlate.exitCode, 1);
  EXPECT_EQ(inPlate.out, "found body 1 Solid.1\nlost no body with the identifier \"#2\"\n");
  const KroOdtToolRun inSample = KroOdtRunTool({"find", "3_2_#2_Feat__"});
  EXPECT_EQ(inSample.exitCode, 0);
  EXPECT_EQ(inSample.out, "found body 53 Boss\n");
}

TEST(KroOdtModelVerbs, FindSaysWhyEachStreamIsLost) {
  struct Lost {
    const char* stream;
    const char* reason;
  };
  const Lost cases[] = {
      {"", "the stream is empty"},
      {"3", R"(no version from 0 to 3 followed by "_" at character 1)"},
      {"4_2_#1_Feat__", R"(no version from 0 to 3 followed by "_" at character 1)"},
      {"3_9_#1_Face_",
       "malformed length prefix at character 3 (a count of characters that the identifier "
       R"(after it does not have, or no "_" after it))"},
      {"3_x_#1_Feat__", "malformed length prefix at character 3: it gives no body identifier"},
      {"3_2_#9_Face_0_0_0_1_0_0__", R"(no body with the identifier "#9")"},
      {"3_2_#x_Face_0_0_0_1_0_0__",
       R"(body identifier "#x": no decimal number from 0 to 4294967295 after "#")"},
      {"3_2_~1_Face_0_0_0_1_0_0__",
       R"(body identifier "~1": no second "~" after the first number)"},
      {"3_2_#1_Fa", "the text ends before the type token at character 8"},
      {"3_2_#1_Face_0_0", "malformed point at character 13"},
      {"3_2_#1_Face_0_0_0_1_0", "malformed direction at character 19"},
      {"3_2_#1_Face_6.25_0_5_0_-1_0_",
       R"(the stream does not end with "_" after its last field at character 29)"},
      {"3_2_#1_Feat_x_",
       "unexpected text at character 13: a topology stream has nothing after its last field"},
      {"3_2_#1_Vrtx_1_1_1_0_0_1__", "no vertex within 0.02 of the point (1, 1, 1)"},
      {"3_2_#1_Face_500_500_500_0_0_1__", "no face within 0.02 of the point (500, 500, 500)"},
      {"3_2_#1_Edge_500_0_0_1_0_0__", "no edge within 0.02 of the point (500, 0, 0)"},
  };
  std::vector<std::string> args = {"find"};
  std::string expected;
  for (const Lost& c : cases) {
    args.push_back(c.stream);
    expected += std::string("lost ") + c.reason + "\n";
  }
  const KroOdtToolRun run = KroOdtRunTool(args);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> got = KroOdtLines(run.out);
  const std::vector<std::string> want = KroOdtLines(expected);
  ASSERT_EQ(got.size(), want.size()) << run.out;
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(cases[i].stream);
    EXPECT_EQ(got[i], want[i]);
  }
}

TEST(KroOdtModelVerbs, FindAddsTheRawTraceChainOfALostStreamWhenAsked) {
  const KroOdtToolRun run =
      KroOdtRunTool({"--trace", "find", "3_2_#9_Face_0_0_0_1_0_0__", "3_2_#1_Feat__"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "lost no body with the identifier \"#9\"\nfound body 1 Plate\n");
  EXPECT_EQ(run.err,
            "kro-odt: trace: KroMmdStreamTopoForODT::ParseBodyIdentifier:300 < "
            "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT:500 < "
            "KroMmdStreamTopoForODT::GetTopoFromStream:100\n");
}

TEST(KroOdtModelVerbs, FindWithNoStreamFindsNothingAndSucceeds) {
  for (const std::string& input : {std::string(""), std::string("\n  \n\t\n")}) {
    SCOPED_TRACE("an input of " + std::to_string(input.size()) + " characters");
    const KroOdtToolRun run = KroOdtRunTool({"find"}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
  }
  // Line ends of another system are no part of a stream.
  const KroOdtToolRun crlf = KroOdtRunTool({"find"}, "3_2_#1_Feat__\r\n");
  EXPECT_EQ(crlf.exitCode, 0);
  EXPECT_EQ(crlf.out, "found body 1 Plate\n");
}

// ---- Streams of one version found in another. ----

// Version 2 of the plate is version 1 with a third hole elsewhere: every face of version 1 is
// still there, unmoved, and the new hole's faces, edges and vertices are not in version 1.
TEST(KroOdtModelVerbs, StreamsOfOneVersionFindTheUnmovedCellsOfAnother) {
  KroOdtTempDir dir;
  const std::string v1 = SaveModel(KroBRepModel::MakePlateVersion(1), dir, "plate-v1.brep");
  const std::string v2 = SaveModel(KroBRepModel::MakePlateVersion(2), dir, "plate-v2.brep");

  // Every face of version 1 is found in version 2.
  const KroOdtToolRun facesV1 = KroOdtRunTool({"cells", "--dim", "2", v1});
  ASSERT_EQ(facesV1.exitCode, 0);
  const KroOdtToolRun inV2 = KroOdtRunTool({"find", v2}, facesV1.out);
  EXPECT_EQ(inV2.exitCode, 0) << inV2.out;
  const std::vector<std::string> foundInV2 = KroOdtLines(inV2.out);
  EXPECT_EQ(foundInV2.size(), KroOdtLines(facesV1.out).size());
  for (const std::string& line : foundInV2) EXPECT_EQ(line.rfind("found cell 2 ", 0), 0u) << line;

  // Of the cells of version 2, those of the new hole are lost in version 1, each with the
  // reason; all the others are found.
  const KroOdtToolRun cellsV2 = KroOdtRunTool({"cells", v2});
  const std::vector<std::string> streams = KroOdtLines(cellsV2.out);
  const KroOdtToolRun inV1 = KroOdtRunTool({"find", v1}, cellsV2.out);
  EXPECT_EQ(inV1.exitCode, 1);
  const std::vector<std::string> lines = KroOdtLines(inV1.out);
  ASSERT_EQ(lines.size(), streams.size());
  std::map<std::string, int> lost;
  const std::regex lostCell(R"(lost no (vertex|edge|face) within 0\.02 of the point \(.*\))");
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(streams[i]);
    std::smatch match;
    if (std::regex_match(lines[i], match, lostCell)) {
      ++lost[match[1].str()];
    } else {
      EXPECT_EQ(lines[i].rfind("found cell ", 0), 0u) << lines[i];
    }
  }
  // A through hole: one cylindrical face, its two circular edges and their seam, and the
  // seam's two vertices.
  EXPECT_EQ(lost, (std::map<std::string, int>{{"edge", 3}, {"face", 1}, {"vertex", 2}}));
}

TEST(KroOdtModelVerbs, AFaceThatMovedIsLostInTheOtherVersion) {
  KroOdtTempDir dir;
  const std::string v2 = SaveModel(KroBRepModel::MakePlateVersion(2), dir, "plate-v2.brep");
  const KroOdtToolRun faces = KroOdtRunTool({"cells", "--dim", "face", v2});
  const std::vector<std::string> streams = KroOdtLines(faces.out);
  ASSERT_FALSE(streams.empty());
  // The same face 3 units further along x: its stream no longer lies on any face.
  const std::string& stream = streams.back();
  const size_t at = stream.find("_Face_") + 6;
  const size_t end = stream.find('_', at);
  const double x = std::stod(stream.substr(at, end - at)) + 3.0;
  char moved[32];
  std::snprintf(moved, sizeof moved, "%g", x);
  const std::string movedStream = stream.substr(0, at) + moved + stream.substr(end);
  const KroOdtToolRun run = KroOdtRunTool({"find", v2, stream, movedStream});
  EXPECT_EQ(run.exitCode, 1);
  const std::vector<std::string> lines = KroOdtLines(run.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("found cell 2 ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind(std::string("lost no face within 0.02 of the point (") + moved, 0), 0u)
      << lines[1];
}

// ---- roundtrip ----

struct RoundtripCounts {
  long cells = -1, same = -1, ambiguous = -1, lost = -1, wrong = -1;
};

RoundtripCounts CountsOf(const KroOmxAny& object) {
  RoundtripCounts counts;
  auto get = [&](const char* key, long& value) {
    if (const KroOmxAny* found = object.MapFind(key))
      value = static_cast<long>(found->GetInteger());
  };
  get("cells", counts.cells);
  get("same", counts.same);
  get("ambiguous", counts.ambiguous);
  get("lost", counts.lost);
  get("wrong", counts.wrong);
  return counts;
}

TEST(KroOdtModelVerbs, RoundtripFindsEveryCellOfEveryModelAgain) {
  for (std::vector<std::string> model : AllModels()) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    const KroOdtToolRun table = KroOdtRunTool(With({"roundtrip"}, model));
    EXPECT_EQ(table.exitCode, 0) << table.out;
    EXPECT_EQ(table.err, "");
    const std::vector<std::string> lines = KroOdtLines(table.out);
    ASSERT_GE(lines.size(), 3u);
    std::smatch last;
    ASSERT_TRUE(std::regex_match(
        lines.back(), last,
        std::regex(R"(roundtrip: (\d+) cells: (\d+) same, (\d+) ambiguous, 0 lost, 0 wrong)")))
        << lines.back();
    EXPECT_EQ(std::stol(last[1]), std::stol(last[2]) + std::stol(last[3]));
    // Only the ambiguous cells are told, each with the cell that came back.
    for (const std::string& line : lines) {
      EXPECT_EQ(line.rfind("lost ", 0), std::string::npos) << line;
      EXPECT_EQ(line.rfind("wrong ", 0), std::string::npos) << line;
    }

    const KroOdtToolRun json = KroOdtRunTool(With({"roundtrip", "--json"}, model));
    EXPECT_EQ(json.exitCode, 0);
    KroOmxAny tree;
    ASSERT_EQ(KroOmxJson::ParseString(KroOmxUTF8String(json.out), tree), 0) << json.out;
    const RoundtripCounts total = CountsOf(tree);
    EXPECT_EQ(std::to_string(total.cells), last[1].str());
    EXPECT_EQ(std::to_string(total.same), last[2].str());
    EXPECT_EQ(total.lost, 0);
    EXPECT_EQ(total.wrong, 0);
    ASSERT_NE(tree.MapFind("seconds"), nullptr);
    const KroOmxAny* byDimension = tree.MapFind("by_dimension");
    ASSERT_NE(byDimension, nullptr);
    RoundtripCounts sum{0, 0, 0, 0, 0};
    for (const char* dimension : {"vertex", "edge", "face", "volume"}) {
      const KroOmxAny* one = byDimension->MapFind(dimension);
      ASSERT_NE(one, nullptr) << dimension;
      const RoundtripCounts counts = CountsOf(*one);
      EXPECT_EQ(counts.cells, counts.same + counts.ambiguous + counts.lost + counts.wrong);
      sum.cells += counts.cells;
      sum.same += counts.same;
      sum.ambiguous += counts.ambiguous;
    }
    EXPECT_EQ(sum.cells, total.cells);
    EXPECT_EQ(sum.same, total.same);
    EXPECT_EQ(sum.ambiguous, total.ambiguous);
  }
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
  const KroOdtToolRun faces = KroOdtRunTool({"roundtrip", "--dim", "2"});
  EXPECT_EQ(KroOdtLines(faces.out).back(),
            "roundtrip: 145 cells: 145 same, 0 ambiguous, 0 lost, 0 wrong");
}

// A degenerate edge (a sphere's pole) has a point but no direction: its stream cannot tell it
// from the seam that runs through the same point, which the roundtrip says, with the reason.
TEST(KroOdtModelVerbs, RoundtripTellsTheAmbiguousCellsOfASphere) {
  KroOdtTempDir dir;
  const std::string sphere = SaveModel(KroBRepModel::MakeSphere(10.0), dir, "sphere.brep");
  const KroOdtToolRun run = KroOdtRunTool({"roundtrip", sphere});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  const std::vector<std::string> lines = KroOdtLines(run.out);
  int ambiguous = 0;
  for (const std::string& line : lines) {
    if (line.rfind("ambiguous edge ", 0) != 0) continue;
    ++ambiguous;
    EXPECT_NE(line.find(", and the edge is degenerate: it has no direction of its own"),
              std::string::npos)
        << line;
  }
  EXPECT_EQ(ambiguous, 2);
  EXPECT_EQ(lines.back(), "roundtrip: 7 cells: 5 same, 2 ambiguous, 0 lost, 0 wrong");
}

// ---- Bad command lines and models. ----

TEST(KroOdtModelVerbs, RefusesBadOptionsMissingFilesAndFilesThatAreNoModel) {
  KroOdtTempDir dir;
  const std::string text = dir.File("notes.step");
  FILE* file = std::fopen(text.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("hello\n", file);
  std::fclose(file);
  const std::string missing = dir.File("missing.brep");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  };
  const Case cases[] = {
      {{"info", missing}, 2, "kro-odt: cannot read model \"" + missing + "\": no such file\n"},
      {{"cells", text},
       2,
       "kro-odt: cannot read model \"" + text + "\": the file is not a STEP or BREP model\n"},
      {{"--trace", "cells", text},
       2,
       "kro-odt: cannot read model \"" + text +
           "\": the file is not a STEP or BREP model\n"
           "kro-odt: trace: KroMfPart::Load:100\n"},
      {{"roundtrip", dir.Path()},
       2,
       "kro-odt: cannot read model \"" + dir.Path() + "\": it is a directory\n"},
      // A missing first operand that looks like a model is a model, not a stream.
      {{"find", missing, "3_2_#1_Feat__"},
       2,
       "kro-odt: cannot read model \"" + missing + "\": no such file\n"},
      {{"cells", "--dim", "4"},
       2,
       "kro-odt: --dim takes 0, 1, 2, 3 (vertex, edge, face, volume) or feat, not \"4\" (see "
       "kro-odt --help)\n"},
      {{"roundtrip", "--dim", "feat"},
       2,
       "kro-odt: --dim takes 0, 1, 2 or 3 (vertex, edge, face, volume), not \"feat\" (see "
       "kro-odt --help)\n"},
      {{"cells", "--dim"}, 2, "kro-odt: option \"--dim\" needs a value (N) (see kro-odt --help)\n"},
      {{"cells", "--json"},
       2,
       "kro-odt: option \"--json\" does not apply to cells; usage: kro-odt cells [--dim N] "
       "[MODEL] (see kro-odt --help)\n"},
      {{"roundtrip", "--json=yes"},
       2,
       "kro-odt: option \"--json\" takes no value (see kro-odt --help)\n"},
      {{"info", "a.step", "b.step"},
       2,
       "kro-odt: too many operands; usage: kro-odt info [MODEL] (see kro-odt --help)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KroOdtDescribeRun(c.args));
    const KroOdtToolRun run = KroOdtRunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(KroOdtModelVerbs, EveryModelVerbTakesQuietAndNoBarGoesToAPipe) {
  // Standard error is a pipe here: no progress line, with or without --quiet.
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"info", "--quiet"},
                                             {"--quiet", "cells", "--dim", "3"},
                                             {"features", "--quiet"},
                                             {"find", "--quiet", "3_2_#1_Feat__"},
                                             {"roundtrip", "--dim", "3", "--quiet"},
                                             {"roundtrip", "--dim", "3"}}) {
    SCOPED_TRACE(KroOdtDescribeRun(args));
    const KroOdtToolRun run = KroOdtRunTool(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out, "");
  }
}

}  // namespace
