// find on meta streams of every kind and on selections made of the streams that access writes,
// on every model: each names what the plain streams name, in the same order; find --rewrite
// writes the inner streams as the verbs that make them do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

// The lines that the tool prints, without the message that loading the LED model makes Open
// CASCADE print on standard output (see tests/data/models/README.md).
std::vector<std::string> Lines(const std::vector<std::string>& args, const std::string& input = "") {
  const KroOdtToolRun run = KroOdtRunTool(args, input);
  EXPECT_EQ(run.err, "") << KroOdtDescribeRun(args);
  std::vector<std::string> lines;
  for (const std::string& line : KroOdtLines(run.out))
    if (line.rfind("\x1b[", 0) != 0) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::vector<std::string> Wrapped(const std::vector<std::string>& values, const std::string& type,
                                 const std::string& format = "") {
  std::vector<std::string> metas;
  for (const std::string& value : values)
    metas.push_back(R"({"type":")" + type + R"(","format":")" + format + R"(","value":)" + value +
                    "}");
  return metas;
}

// One selection per run of access streams with the same support, listing their sub-elements
// (the string member key) under list. Streams look like {"support":{...},"topoTag":"3"} or
// {"geomReroute":"1_Face_...","support":{...}}.
std::vector<std::string> Selections(const std::vector<std::string>& access, const std::string& key,
                                    const std::string& list) {
  std::vector<std::string> selections;
  std::string support, items;
  for (const std::string& stream : access) {
    const size_t from = stream.find(R"("support":)") + 10;
    const std::string thisSupport = stream.substr(from, stream.find('}', from) + 1 - from);
    const size_t at = stream.find("\"" + key + "\":") + key.size() + 3;  // its opening quote
    const std::string item = stream.substr(at, stream.find('"', at + 1) + 1 - at);
    if (thisSupport != support && !support.empty())
      selections.push_back(R"({"support":)" + support + ",\"" + list + "\":[" + items + "]}");
    items = thisSupport != support || items.empty() ? item : items + "," + item;
    support = thisSupport;
  }
  if (!support.empty())
    selections.push_back(R"({"support":)" + support + ",\"" + list + "\":[" + items + "]}");
  return selections;
}

// The lines of find on selections, without the closing line of each, which must count its
// cells; a selection that is lost has its one line.
std::vector<std::string> CellsOfSelections(const std::vector<std::string>& lines) {
  std::vector<std::string> cells;
  size_t first = 0;
  for (const std::string& line : lines) {
    cells.push_back(line);
    if (line.rfind("lost ", 0) == 0) {
      first = cells.size();
    } else if (line.rfind("found selection ", 0) == 0) {
      cells.pop_back();
      EXPECT_EQ(line, "found selection " + std::to_string(cells.size() - first) + " cells");
      first = cells.size();
    }
  }
  return cells;
}

void ExpectAllFound(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) EXPECT_EQ(line.rfind("found ", 0), 0u) << line;
}

}  // namespace

// On every model (the big one only when not sanitized, and without its log), every cell named
// by tag or by geometric selector is found in selections and behind "BRepAccess", every feature
// behind "GNAOSpec" and "Meta", every log element behind "LogElement", as their plain streams
// are.
TEST(KroOdtFindMetaAndSelections, FindsWhatThePlainStreamsNameOnEveryModel) {
  for (const std::vector<std::string>& model : KroOdtModels(true, !kKroOdtSanitized)) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    const auto with = [&model](std::vector<std::string> args) {
      args.insert(args.begin() + 1, "--quiet");
      return KroOdtWith(args, model);
    };
    const std::vector<std::string> byTag = Lines(with({"access"}));
    const std::vector<std::string> byGeometry = Lines(with({"access", "--query", "geomReroute"}));
    const std::vector<std::string> cells = Lines(with({"find"}), Joined(byTag));
    const std::vector<std::string> located = Lines(with({"find"}), Joined(byGeometry));
    ASSERT_EQ(cells.size(), byTag.size());
    ExpectAllFound(cells);
    ExpectAllFound(located);

    const std::vector<std::string> selections = Selections(byTag, "topoTag", "topoTags");
    EXPECT_EQ(CellsOfSelections(Lines(with({"find"}), Joined(selections))), cells);
    EXPECT_EQ(CellsOfSelections(Lines(
                  with({"find"}), Joined(Selections(byGeometry, "geomReroute", "geomReroutes")))),
              located);
    // The value has its selector before its support.
    EXPECT_EQ(Lines(with({"find"}), Joined(Wrapped(byGeometry, "BRepAccess"))), located);

    const std::vector<std::string> features = Lines(with({"features"}));
    const std::vector<std::string> specs = Wrapped(features, "GNAOSpec");
    EXPECT_EQ(Lines(with({"find"}), Joined(Wrapped(specs, "Meta"))),
              Lines(with({"find"}), Joined(features)));
    // The log of the big model takes minutes to write (its paths are found element by element).
    if (!model.empty() && model[0].find(kKroOdtBigModel) != std::string::npos) continue;
    std::vector<std::string> logs;
    for (const std::string& line : Lines(with({"features", "--logs"})))
      logs.push_back(line.substr(14, line.size() - 15));  // {"logElement":X} -> X
    const std::vector<std::string> logsFound =
        Lines(with({"find"}), Joined(Wrapped(logs, "LogElement")));
    ExpectAllFound(logsFound);
    EXPECT_EQ(logsFound.size(), logs.size());
  }
}

// --rewrite writes each inner stream again with the stored format, as the verbs that make such
// streams write them; the other streams are found as ever.
TEST(KroOdtFindMetaAndSelections, RewritesInnerStreamsWithTheirFormat) {
  const std::string model =
      std::string(KROODT_MODELS_DIR) + "/Crystal_AT310_D3.0mm_L10.0mm_Horizontal_1EP_style2.step";
  const std::string query = "support{specId} brpEle";
  std::vector<std::string> metas =
      Wrapped(Lines({"access", "--quiet", model}), "BRepAccess", query);
  const std::vector<std::string> logs =
      Lines({"features", "--quiet", "--logs", "--query", "logElement{root{gnId} logPath}", model});
  for (const std::string& meta : Wrapped(Lines({"features", "--quiet", "--logs", model}), "GNAOSpec",
                                         "logElement{root{gnId} logPath}"))
    metas.push_back(meta);
  std::vector<std::string> expected = Lines({"access", "--quiet", "--query", query, model});
  expected.insert(expected.end(), logs.begin(), logs.end());
  EXPECT_EQ(Lines({"find", "--quiet", "--rewrite", model}, Joined(metas)), expected);

  const KroOdtToolRun run = KroOdtRunTool(
      {"find", "--rewrite", model, R"({"type":"Meta","value":{"type":"GNAOSpec"}})",
       R"({"type":"GNAOSpec","format":"alias","value":{"bodyTag":"1"}})", R"({"type":"Log"})",
       R"({"support":{"bodyTag":"1"},"topoTags":["1"]})"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            R"({"type":"","format":"","value":""})" "\n"
            "lost it has no alias\n"
            "lost the type \"Log\" names no kind of stream (letter case counts)\n"
            "found body 1 AT310_Horizontal_1EP_2\n"
            "found selection 1 cells\n");
}

// Why a meta stream or a selection is lost, down to the item of a list that failed.
TEST(KroOdtFindMetaAndSelections, SaysWhyAMetaStreamOrASelectionIsLost) {
  std::string deep = R"({"type":"GNAOSpec","value":{"bodyTag":"1"}})";
  for (int level = 0; level < 65; ++level) deep = R"({"type":"Meta","value":)" + deep + "}";
  const KroOdtToolRun run = KroOdtRunTool(
      {"find", R"({"value":{"bodyTag":"1"},"type":"GNAOSpec"})", R"({"type":"BRepAccess"})",
       R"({"type":"Meta","value":{"type":"BRepAccess","value":)"
       R"({"geomReroute":"1_Face_6.25_5","support":{"bodyTag":"1"}}}})",
       deep, R"({"support":{"bodyTag":"1"},"topoTags":["3","x"]})",
       R"({"geomReroutes":["1_Face_500_0_0_0_0_1_"],"support":{"bodyTag":"1"}})",
       R"({"support":{"bodyTag":"99"},"topoTags":[]})",
       R"({"support":{"bodyTag":"1"},"topoTags":"3"})"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "lost no \"type\" before \"value\" (members are read in text order)\n"
            "lost the object has no scope\n"
            "lost geometric selector \"1_Face_6.25_5\": malformed point at character 8\n"
            "lost the \"Meta\" streams nest deeper than 64 levels\n"
            "lost topoTags item 2 \"x\": not an unsigned decimal number\n"
            "lost geomReroutes item 1 \"1_Face_500_0_0_0_0_1_\": no face within 0.02 of the "
            "point (500, 0, 0)\n"
            "lost body tag \"99\": no body has that tag\n"
            "lost \"topoTags\" is not a JSON array of strings\n");
}
