// The features verb of kro-odt and the find verb on its GNAOSpec streams, run as a process: every
// feature is found again by each of its keys, every log element by each of its streams.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

// The features of a model as info lists them (identifier: name, and whether it has an alias),
// and its count of cells.
std::map<std::string, std::pair<std::string, bool>> FeaturesOf(
    const std::vector<std::string>& model, int& cells) {
  std::map<std::string, std::pair<std::string, bool>> features;
  const std::regex line(R"re(  (#\d+) "([^"\\]*)"( alias ".*")? body \d+)re");
  for (const std::string& text : KroOdtLines(KroOdtRunTool(KroOdtWith({"info"}, model)).out)) {
    std::smatch match;
    if (std::regex_match(text, match, line)) features[match[1]] = {match[2], match[3].matched};
    if (text.rfind("cells: ", 0) == 0) cells = std::stoi(text.substr(7));
  }
  return features;
}

// The one-key streams of each string member of a written stream, and of its "logElement" member
// (which comes last), each after the value of its "gnId" member.
std::vector<std::pair<std::string, std::string>> SplitByKey(const std::string& stream) {
  std::vector<std::pair<std::string, std::string>> split;
  const size_t log = stream.find(R"(,"logElement":)");
  const std::string flat = stream.substr(0, log);
  const std::regex member(R"re("(\w+)":("(?:[^"\\]|\\.)*"))re");
  std::string gnId;
  for (std::sregex_iterator it(flat.begin(), flat.end(), member), end; it != end; ++it) {
    if ((*it)[1] == "gnId") gnId = (*it)[2].str().substr(1, (*it)[2].length() - 2);
    split.emplace_back(gnId, "{" + it->str() + "}");
  }
  if (log != std::string::npos) split.emplace_back(gnId, "{" + stream.substr(log + 1));
  return split;
}

TEST(KroOdtFeatureVerbs, WritesTheStreamsOfEveryFeatureAndSaysWhichCannotBeWritten) {
  const KroOdtToolRun run = KroOdtRunTool({"features"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, R"({"bodyTag":"1"}
{"bodyTag":"53"}
{"bodyTag":"112"}
{"bodyTag":"175"}
{"bodyTag":"258"}
{"bodyTag":"372"}
{"bodyTag":"492"}
{"bodyTag":"618"}
)");
  const KroOdtToolRun several = KroOdtRunTool({"features", "--query", "alias specId namingRef"});
  EXPECT_EQ(several.exitCode, 1);
  EXPECT_EQ(KroOdtLines(several.out)[0],
            R"({"alias":"BasePlate","specId":"#1","namingRef":"Pad.1"})");
  EXPECT_EQ(KroOdtLines(several.err)[0],
            "kro-odt: cannot write the stream of feature #2 \"Boss\" with query \"alias specId "
            "namingRef\": it has no alias");
}

// Each feature is written with all its keys in one stream, each log element with its identifier,
// scope element and path; each stream is split into one stream per key, and find reads them all:
// every stream finds its feature or element again, and every element is found.
TEST(KroOdtFeatureVerbs, FindsEveryFeatureAndLogElementAgainByEachOfItsStreams) {
  const std::regex foundLog(
      R"(found log (~[0-9A-F]+~[0-9A-F]+) (Construction\.(Vertex|Edge|Face|Volume)\.\d+))");
  for (const std::vector<std::string>& model : KroOdtModels(true, false)) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    int cells = 0;
    const auto features = FeaturesOf(model, cells);
    ASSERT_FALSE(features.empty());
    size_t noAlias = 0;
    for (const auto& [identifier, feature] : features) noAlias += feature.second ? 0 : 1;
    std::vector<std::pair<std::string, std::string>> streams;  // identifier, stream
    std::string input;
    const std::vector<std::string> queries = {
        "gnId bodyTag bodyId specId scopeEle scopeId namingRef", "gnId alias",
        "gnId scopeEle logElement{root{gnId} logPath}"};
    for (size_t q = 0; q < queries.size(); ++q) {  // the last one writes the log elements
      const KroOdtToolRun written = KroOdtRunTool(
          KroOdtWith({"features", q == 2 ? "--logs" : "--quiet", "--query", queries[q]}, model));
      // Only the features that have an alias can be written by it; the others are told.
      EXPECT_EQ(written.exitCode, q == 1 && noAlias > 0 ? 1 : 0);
      EXPECT_EQ(KroOdtLines(written.err).size(), q == 1 ? noAlias : 0u);
      for (const std::string& line : KroOdtLines(written.out)) {
        for (const auto& split : SplitByKey(line)) {
          streams.push_back(split);
          input += split.second + "\n";
        }
      }
    }
    // The log holds one element per cell of each feature's body.
    EXPECT_EQ(streams.size(),
              7 * features.size() + 2 * (features.size() - noAlias) + 3 * cells);
    const KroOdtToolRun found = KroOdtRunTool(KroOdtWith({"find"}, model), input);
    EXPECT_EQ(found.exitCode, 0);
    const std::vector<std::string> lines = KroOdtLines(found.out);
    ASSERT_EQ(lines.size(), streams.size());
    std::set<std::string> elements;
    for (size_t i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE(streams[i].second);
      const auto feature = features.find(streams[i].first);
      if (feature != features.end()) {
        EXPECT_EQ(lines[i], "found feature " + feature->first + " " + feature->second.first);
        continue;
      }
      std::smatch match;
      ASSERT_TRUE(std::regex_match(lines[i], match, foundLog)) << lines[i];
      EXPECT_EQ(match[1].str(), streams[i].first);
      if (streams[i].second.find("logPath") != std::string::npos) {
        EXPECT_NE(streams[i].second.find(R"("logPath":")" + match[2].str() + "\""),
                  std::string::npos);
      }
      elements.insert(match[1].str());
    }
    EXPECT_EQ(elements.size(), static_cast<size_t>(cells));
  }
}

TEST(KroOdtFeatureVerbs, SaysWhyAFeatureStreamIsLostAndTheKeyReadLastDecides) {
  const std::pair<const char*, const char*> cases[] = {
      {R"({"bodyTag":"1","alias":"Knob"})", "found feature #5 Loft"},
      {R"({"alias":"Knob","gnId":"#2"})", "found feature #2 Boss"},
      // A feature without a journaling name is found by its name.
      {R"({"namingRef":"Boss"})", "found feature #2 Boss"},
      {R"({"alias":"Nope"})", R"(lost no alias "Nope" in the part)"},
      {R"({"namingRef":"Zzz"})", R"(lost no naming reference or feature name "Zzz" in the part)"},
      {R"({"gnId":"#x"})",
       R"(lost identifier "#x": no decimal number from 0 to 4294967295 after "#")"},
      {R"({"frob":"1"})",
       "lost a key that is no way of naming an object (bodyTag, bodyId, specId, gnId, scopeEle, "
       "scopeId, alias, namingRef, logElement)"},
      {R"({bad)", "lost the text is not a JSON object (or nests too deep)"},
      {R"({})", "lost the stream names no object (it has no member)"},
      {R"({"logElement":{"logPath":"Construction.Face.1","root":{"bodyTag":"1"}}})",
       R"(lost log path: no log root ("root" must come before "logPath"))"},
      {R"({"logElement":{"root":{"bodyTag":"1"},"logPath":"Construction.Face.99"}})",
       "lost log path: no log element at that path under the root"},
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
