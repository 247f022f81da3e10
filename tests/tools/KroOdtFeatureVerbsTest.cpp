// The features verb of kro-odt and the find verb on its GNAOSpec streams, run as a process: every
// feature is found again by each of its keys, every log element by its streams.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "KroOmxAny.h"
#include "KroOmxJson.h"
#include "KroOmxUTF8String.h"
#include "tools/KroOdtToolRun.h"

namespace {

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

// Writing the path of a log element reads the whole log of its root, so the path streams of the
// big model take minutes; it is run with the identifier streams only, and not sanitized.
const char* const kBigModel = "TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step";

std::vector<std::vector<std::string>> AllModels() {
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
  std::vector<std::vector<std::string>> models = {{}};
  for (const std::string& path : paths) models.push_back({path});
  return models;
}

bool IsBig(const std::vector<std::string>& model) {
  return !model.empty() && model[0].find(kBigModel) != std::string::npos;
}

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// The features of a model as info lists them: identifier, name, whether it has an alias.
struct Feature {
  std::string identifier;
  std::string name;
  bool hasAlias = false;
};

std::vector<Feature> FeaturesOf(const std::vector<std::string>& model, int* cellCount) {
  const KroOdtToolRun info = KroOdtRunTool(With({"info"}, model));
  std::vector<Feature> features;
  const std::regex line(R"re(  (#\d+) "([^"\\]*)"( alias ".*")? body \d+)re");
  for (const std::string& text : KroOdtLines(info.out)) {
    std::smatch match;
    if (std::regex_match(text, match, line)) {
      features.push_back(Feature{match[1], match[2], match[3].matched});
    }
    if (text.rfind("cells: ", 0) == 0) *cellCount = std::stoi(text.substr(7));
  }
  return features;
}

// The string members of a one-line JSON stream, nested objects flattened as "a.b".
void Flatten(const KroOmxAny& tree, const std::string& prefix,
             std::map<std::string, std::string>& members) {
  for (const KroOmxAny::Item& item : tree.MapItems()) {
    const std::string key = prefix + item.first.ToStdString();
    if (item.second.IsMap()) {
      Flatten(item.second, key + ".", members);
    } else if (item.second.IsString()) {
      members[key] = item.second.GetString().ToStdString();
    }
  }
}

std::map<std::string, std::string> MembersOf(const std::string& stream) {
  KroOmxAny tree;
  std::map<std::string, std::string> members;
  EXPECT_EQ(KroOmxJson::ParseString(KroOmxUTF8String(stream), tree), 0) << stream;
  EXPECT_TRUE(tree.IsMap()) << stream;
  Flatten(tree, "", members);
  return members;
}

TEST(KroOdtFeatureVerbs, WritesEveryFeatureByItsBodyTagWithoutQuery) {
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
}

TEST(KroOdtFeatureVerbs, FindsEveryFeatureAgainByEachOfItsKeys) {
  const char* const keys[] = {"bodyTag",  "bodyId",  "specId", "gnId",
                              "scopeEle", "scopeId", "alias",  "namingRef"};
  for (const std::vector<std::string>& model : AllModels()) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    int cells = 0;
    const std::vector<Feature> features = FeaturesOf(model, &cells);
    ASSERT_FALSE(features.empty());
    std::map<std::string, Feature> byIdentifier;
    for (const Feature& feature : features) byIdentifier[feature.identifier] = feature;

    // The streams of every key, then one find for all of them.
    std::vector<std::string> streams;
    std::vector<std::string> keyOfStream;
    for (const std::string key : keys) {
      SCOPED_TRACE(key);
      // gnId first tells which feature a line is for; the key read last decides what is found.
      const std::string query = key == "gnId" ? key : "gnId " + key;
      const KroOdtToolRun written = KroOdtRunTool(With({"features", "--query", query}, model));
      const std::vector<std::string> lines = KroOdtLines(written.out);
      // Only the features that have an alias can be written by it; the others are told.
      size_t expected = features.size();
      std::string refused;
      for (const Feature& feature : features) {
        if (key != "alias" || feature.hasAlias) continue;
        --expected;
        refused += "kro-odt: cannot write the stream of feature " + feature.identifier + " \"" +
                   feature.name + "\" with query \"" + query + "\": it has no alias\n";
      }
      EXPECT_EQ(written.exitCode, refused.empty() ? 0 : 1);
      EXPECT_EQ(written.err, refused);
      EXPECT_EQ(lines.size(), expected);
      streams.insert(streams.end(), lines.begin(), lines.end());
      keyOfStream.insert(keyOfStream.end(), lines.size(), key);
    }

    std::string input;
    for (const std::string& stream : streams) input += stream + "\n";
    const KroOdtToolRun found = KroOdtRunTool(With({"find"}, model), input);
    EXPECT_EQ(found.exitCode, 0) << found.out;
    const std::vector<std::string> lines = KroOdtLines(found.out);
    ASSERT_EQ(lines.size(), streams.size());
    for (size_t i = 0; i < streams.size(); ++i) {
      SCOPED_TRACE(streams[i]);
      std::map<std::string, std::string> members = MembersOf(streams[i]);
      ASSERT_EQ(members.count(keyOfStream[i]), 1u);
      const Feature& feature = byIdentifier[members["gnId"]];
      EXPECT_EQ(lines[i], "found feature " + feature.identifier + " " + feature.name);
    }
  }
}

TEST(KroOdtFeatureVerbs, FindsEveryLogElementAgainByItsStreams) {
  const std::regex foundLog(
      R"(found log (~[0-9A-F]+~[0-9A-F]+) (Construction\.(Vertex|Edge|Face|Volume)\.\d+))");
  for (const std::vector<std::string>& model : AllModels()) {
    SCOPED_TRACE(KroOdtDescribeRun(model));
    int cells = 0;
    FeaturesOf(model, &cells);
    std::vector<std::string> queries = {"gnId"};
    if (!IsBig(model)) queries.push_back("scopeEle");
    // The path streams read the root's whole log for each element: under the sanitizers only
    // on the smaller models.
    if (!IsBig(model) && !(kSanitized && cells > 600)) {
      queries.insert(queries.end(), {"", "logElement{root{gnId} logPath}"});
    }
    for (const std::string& query : queries) {
      SCOPED_TRACE(query);
      std::vector<std::string> args = With({"features", "--logs"}, model);
      if (!query.empty()) args = With(args, {"--query", query});
      const KroOdtToolRun written = KroOdtRunTool(args);
      EXPECT_EQ(written.exitCode, 0);
      EXPECT_EQ(written.err, "");
      const std::vector<std::string> streams = KroOdtLines(written.out);
      // One element per cell of each feature's body.
      ASSERT_EQ(static_cast<int>(streams.size()), cells);

      const KroOdtToolRun found = KroOdtRunTool(With({"find"}, model), written.out);
      EXPECT_EQ(found.exitCode, 0);
      const std::vector<std::string> lines = KroOdtLines(found.out);
      ASSERT_EQ(lines.size(), streams.size());
      std::map<std::string, int> seen;
      for (size_t i = 0; i < streams.size(); ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, foundLog)) << streams[i] << "\n" << lines[i];
        ++seen[match[1].str()];
        std::map<std::string, std::string> members = MembersOf(streams[i]);
        if (members.count("gnId")) {
          EXPECT_EQ(match[1].str(), members["gnId"]);
        }
        if (members.count("logElement.logPath")) {
          EXPECT_EQ(match[2].str(), members["logElement.logPath"]);
        }
      }
      // Each element once: the streams name them all, and all differently.
      EXPECT_EQ(seen.size(), streams.size());
    }
  }
}

TEST(KroOdtFeatureVerbs, SaysWhyAFeatureStreamIsLost) {
  struct Lost {
    const char* stream;
    const char* reason;
  };
  const Lost cases[] = {
      {R"({"alias":"Nope"})", R"(no alias "Nope" in the part)"},
      {R"({"namingRef":"Zzz"})", R"(no naming reference or feature name "Zzz" in the part)"},
      {R"({"bodyTag":"99999"})", R"(body tag "99999": no body has that tag)"},
      {R"({"bodyTag":"x"})", R"(body tag "x": not an unsigned decimal number)"},
      {R"({"gnId":"#99"})", R"(identifier "#99": no object has that identifier)"},
      {R"({"gnId":"#x"})", R"(identifier "#x": no decimal number from 0 to 4294967295 after "#")"},
      {R"({"scopeEle":"*99999"})", R"(scope element "*99999": no scope has that number)"},
      {R"({"scopeEle":"abc"})", R"(scope element "abc": not an element number ("*n" or "n"))"},
      {R"({"frob":"1"})",
       "a key that is no way of naming an object (bodyTag, bodyId, specId, gnId, scopeEle, "
       "scopeId, alias, namingRef, logElement)"},
      {R"({bad)", "the text is not a JSON object (or nests too deep)"},
      {R"({"bodyTag":1})", "a member's value is neither a string nor an object"},
      {R"({})", "the stream names no object (it has no member)"},
      {R"({"logElement":{"logPath":"Construction.Face.1","root":{"bodyTag":"1"}}})",
       R"(log path: no log root ("root" must come before "logPath"))"},
      {R"({"logElement":{"root":{"bodyTag":"1"},"logPath":"Construction.Face.99"}})",
       "log path: no log element at that path under the root"},
  };
  std::vector<std::string> args = {"find"};
  for (const Lost& c : cases) args.push_back(c.stream);
  const KroOdtToolRun run = KroOdtRunTool(args);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> lines = KroOdtLines(run.out);
  ASSERT_EQ(lines.size(), std::size(cases)) << run.out;
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(cases[i].stream);
    EXPECT_EQ(lines[i], std::string("lost ") + cases[i].reason);
  }
}

TEST(KroOdtFeatureVerbs, TheKeyReadLastDecidesWhatAStreamNames) {
  const KroOdtToolRun run =
      KroOdtRunTool({"find", R"({"bodyTag":"1","alias":"Knob"})", R"({"alias":"Knob","gnId":"#2"})",
                     R"({"namingRef":"Pad.1"})", R"({"namingRef":"Boss"})"});
  EXPECT_EQ(run.exitCode, 0);
  // A feature without a journaling name is found by its name.
  EXPECT_EQ(run.out,
            "found feature #5 Loft\nfound feature #2 Boss\nfound feature #1 Plate\n"
            "found feature #2 Boss\n");
}

}  // namespace
