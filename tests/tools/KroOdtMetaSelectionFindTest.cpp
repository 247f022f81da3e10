// find on meta streams of every kind and on selections made of the streams that access writes,
// on every model: each names what the plain streams name, in the same order; find --rewrite.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

// The tool's lines, each input line on its standard input.
std::vector<std::string> Lines(const std::vector<std::string>& args,
                               const std::vector<std::string>& input = {}) {
  std::string text;
  for (const std::string& line : input) text += line + "\n";
  const KroOdtToolRun run = KroOdtRunTool(args, text);
  EXPECT_EQ(run.err, "") << KroOdtDescribeRun(args);
  return KroOdtLines(run.out);
}

std::vector<std::string> Wrapped(const std::vector<std::string>& values, const std::string& type,
                                 const std::string& format = "") {
  std::vector<std::string> metas;
  for (const std::string& value : values)
    metas.push_back(R"({"type":")" + type + R"(","format":")" + format + R"(","value":)" + value +
                    "}");
  return metas;
}

// One selection per support of the access streams, listing their values of key under list, and
// the lines find prints for it: those of the plain streams and "found selection N cells".
std::vector<std::string> Selections(const std::vector<std::string>& access,
                                    const std::vector<std::string>& found, const std::string& key,
                                    const std::string& list, std::vector<std::string>& expected) {
  std::vector<std::string> selections;
  std::string support, items;
  size_t first = 0;
  for (size_t i = 0; i <= access.size(); ++i) {
    std::string next;
    if (i < access.size()) {
      const size_t from = access[i].find(R"("support":)") + 10;
      next = access[i].substr(from, access[i].find('}', from) + 1 - from);
    }
    if (next != support && !support.empty()) {
      selections.push_back(R"({"support":)" + support + ",\"" + list + "\":[" + items + "]}");
      expected.insert(expected.end(), found.begin() + first, found.begin() + i);
      expected.push_back("found selection " + std::to_string(i - first) + " cells");
      items.clear();
      first = i;
    }
    if (i == access.size()) break;
    const size_t at = access[i].find("\"" + key + "\":") + key.size() + 3;  // its opening quote
    items +=
        (items.empty() ? "" : ",") + access[i].substr(at, access[i].find('"', at + 1) + 1 - at);
    support = next;
  }
  return selections;
}

}  // namespace

// On every model (the big one only when not sanitized), every cell named by tag or by geometric
// selector is found in selections and behind "BRepAccess" and "Delegate", every feature behind
// "GNAOSpec" and "Meta", every log element behind "LogElement", as by their plain streams.
TEST(KroOdtFindMetaAndSelections, FindsWhatThePlainStreamsNameOnEveryModel) {
  for (const std::vector<std::string>& model : KroOdtModels(true, !kKroOdtSanitized)) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    const auto with = [&model](std::vector<std::string> args) {
      args.insert(args.begin() + 1, "--quiet");
      args.insert(args.end(), model.begin(), model.end());
      return args;
    };
    for (const char* key : {"topoTag", "geomReroute"}) {
      const std::vector<std::string> access = Lines(with({"access", "--query", key}));
      const std::vector<std::string> found = Lines(with({"find"}), access);
      ASSERT_EQ(found.size(), access.size());
      for (const std::string& line : found) EXPECT_EQ(line.rfind("found cell ", 0), 0u) << line;
      std::vector<std::string> expected;
      const std::vector<std::string> selections =
          Selections(access, found, key, std::string(key) + "s", expected);
      EXPECT_EQ(Lines(with({"find"}), selections), expected);
      EXPECT_EQ(Lines(with({"find"}), Wrapped(access, "BRepAccess")), found);
      std::vector<std::string> delegates;
      for (const std::string& line : access) delegates.push_back(R"({"geomSubElem":)" + line + "}");
      EXPECT_EQ(Lines(with({"find"}), Wrapped(delegates, "Delegate")), found);
    }
    const std::vector<std::string> features = Lines(with({"features"}));
    EXPECT_EQ(Lines(with({"find"}), Wrapped(Wrapped(features, "GNAOSpec"), "Meta")),
              Lines(with({"find"}), features));
    std::vector<std::string> logs;
    for (const std::string& line : Lines(with({"features", "--logs"})))
      logs.push_back(line.substr(14, line.size() - 15));  // {"logElement":X} -> X
    const std::vector<std::string> logsFound = Lines(with({"find"}), Wrapped(logs, "LogElement"));
    ASSERT_EQ(logsFound.size(), logs.size());
    for (const std::string& line : logsFound) EXPECT_EQ(line.rfind("found log ", 0), 0u) << line;
  }
}

// --rewrite writes each inner stream with the stored format, as the verbs that make such streams
// write them; other streams are found as ever; a lost stream says why.
TEST(KroOdtFindMetaAndSelections, RewritesInnerStreamsWithTheirFormatAndSaysWhyOneIsLost) {
  const std::string model =
      std::string(KROODT_MODELS_DIR) + "/Crystal_AT310_D3.0mm_L10.0mm_Horizontal_1EP_style2.step";
  const std::string query = "support{specId} brpEle";
  EXPECT_EQ(Lines({"find", "--quiet", "--rewrite", model},
                  Wrapped(Lines({"access", "--quiet", model}), "BRepAccess", query)),
            Lines({"access", "--quiet", "--query", query, model}));
  const KroOdtToolRun run =
      KroOdtRunTool({"find", "--rewrite", model, R"({"type":"Meta","value":{"type":"GNAOSpec"}})",
                     R"({"support":{"bodyTag":"1"},"topoTags":["1"]})",
                     R"({"support":{"bodyTag":"1"},"topoTags":["51","x"]})"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, R"({"type":"","format":"","value":""})"
                     "\n"
                     "found body 1 AT310_Horizontal_1EP_2\n"
                     "found selection 1 cells\n"
                     "lost topoTags item 2 \"x\": not an unsigned decimal number\n");
}
