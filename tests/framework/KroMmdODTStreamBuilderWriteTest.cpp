// Writing streams: the declared-input tree, the marks of requested keys, the mandatory fill, the
// text written, and the stage codes of every failure on the way.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "KroMmdODTStreamBuilder.h"
#include "KroMmdODTStreamBuilderTestBuilders.h"
#include "KroOmxJson.h"
#include "KroSysTraceRecorder.h"

namespace {

// Every declared key gives the value "v" + key.
std::map<std::string, std::string> ValuesOf(const std::vector<KroTestInput>& inputs) {
  std::map<std::string, std::string> values = {{"_root_", "v_root_"}};
  for (const KroTestInput& input : inputs) values[input.key] = std::string("v") + input.key;
  return values;
}

// The inputs of the worked example: p (conjunct) and q (optional conjunct) at the top, the
// alternatives x and y below p, the mandatory z below q.
const std::vector<KroTestInput> kExample = {
    {"", "p", 1, 0}, {"", "q", 1, 1}, {"p", "x", 0, 0}, {"p", "y", 0, 0}, {"q", "z", 1, 0}};
const std::vector<KroTestInput> kConjuncts = {{"", "a", 1, 0}, {"", "b", 1, 0}, {"", "c", 1, 0}};

}  // namespace

// One builder per input tree writes every query of its rows in turn: each write starts from a
// fresh tree (a kept one would refuse every key's second declaration, and its marks would keep
// the fill from writing anything).
TEST(KroMmdODTStreamBuilder, FillsTheMandatoryInputsTheQueryLeavesOpen) {
  struct Row {
    const char* what;
    const char* query;
    const char* expected;
  };
  struct Tree {
    std::vector<KroTestInput> inputs;
    std::vector<Row> rows;
  };
  const Tree trees[] = {
      {kExample,
       {{"empty query: x by the fill, then z below the optional q", "", R"({"x":"vx","z":"vz"})"},
        {"y gives the group of x and y, p and the root", "y", R"({"y":"vy"})"},
        {"z leaves the root open; the fill adds x", "z", R"({"z":"vz","x":"vx"})"},
        {"a requested group node is written and gives the root", "p", R"({"p":"vp"})"}}},
      {{{"", "a", 0, 0}, {"", "b", 0, 0}, {"", "c", 0, 0}},
       {{"alternatives, empty query: the first declared only", "", R"({"a":"va"})"}}},
      {{{"", "a", 0, 1}, {"", "b", 0, 0}},
       {{"an optional first alternative is passed over", "", R"({"b":"vb"})"}}},
      {kConjuncts,
       {{"requested first, then the rest in declaration order", "c",
         R"({"c":"vc","a":"va","b":"vb"})"},
        {"a key requested twice is written once", "a a", R"({"a":"va","b":"vb","c":"vc"})"}}},
      {{{"", "a", 1, 0}, {"", "b", 0, 0}, {"", "c", 1, 0}},
       {{"mixed group: the first alternative gives the members after it", "",
         R"({"a":"va","b":"vb"})"}}},
      {{{"", "a", 1, 1}, {"", "b", 1, 0}},
       {{"optional leaf: not written by the fill", "", R"({"b":"vb"})"}}},
      {{{"", "b", 1, 0}, {"", "a", 1, 0}},
       {{"children are walked in declaration order, not key order", "", R"({"b":"vb","a":"va"})"}}},
      {{{"", "g", 0, 0}, {"", "h", 0, 0}, {"g", "u", 1, 0}, {"g", "w", 1, 0}},
       {{"a first alternative with children is entered, then its group is given", "",
         R"({"u":"vu","w":"vw"})"}}},
      {{{"", "g", 1, 0}, {"g", "a", 1, 1}, {"g", "b", 1, 1}},
       {{"requesting an optional leaf completes a group of optional leaves", "b",
         R"({"b":"vb"})"}}},
      {{}, {{"no inputs: the root is the one mandatory leaf", "", R"({"_root_":"v_root_"})"}}},
  };
  for (const Tree& tree : trees) {
    KroTestTreeBuilder builder(tree.inputs, ValuesOf(tree.inputs));
    for (const Row& row : tree.rows) {
      SCOPED_TRACE(row.what);
      KroSysTraceRecorder recorder;
      KroUnicodeString stream;
      ASSERT_EQ(builder.GetODTStream(row.query, stream), KRO_S_OK) << recorder.ToString();
      EXPECT_EQ(stream.ToStdString(), row.expected);
    }
  }
}

TEST(KroMmdODTStreamBuilder, FailsAWriteWithTheStageOfTheStepThatFailedAndKeepsTheStream) {
  const std::vector<KroTestInput> neverComplete = {
      {"", "g", 1, 0}, {"g", "a", 1, 1}, {"g", "b", 1, 1}};
  struct Row {
    std::vector<KroTestInput> inputs;
    const char* missing;  // the key that has no value
    const char* query;
    std::string chain;
  };
  const std::string declare = "KroMmdODTStreamBuilder::DeclareInput";
  const std::string declared =
      " < KroTestTreeBuilder::DeclareInputs:100 < KroMmdODTStreamBuilder::GetODTStream:200";
  const Row rows[] = {
      // A requested key that was not declared.
      {kConjuncts, "", "nope a",
       "KroMmdODTStreamBuilder::_UpdateInputMap:100 < KroMmdODTStreamBuilder::GetODTStream:400"},
      // A requested value that is not given.
      {kConjuncts, "c", "c",
       "KroTestTreeBuilder::GetValueStream:6969 < KroMmdODTStreamBuilder::_MapGetValueStream:100 "
       "< KroMmdODTStreamBuilder::GetODTStream:500"},
      // A value the fill needs (x, below p) that is not given.
      {kExample, "x", "",
       "KroTestTreeBuilder::GetValueStream:6969 < KroMmdODTStreamBuilder::_MapGetValueStream:100 "
       "< KroMmdODTStreamBuilder::_FillNextMandatoryInput:700 < "
       "KroMmdODTStreamBuilder::_FillNextMandatoryInput:400 < "
       "KroMmdODTStreamBuilder::_FillNextMandatoryInput:400 < "
       "KroMmdODTStreamBuilder::_FillMandatoryInputs:300 < "
       "KroMmdODTStreamBuilder::GetODTStream:600"},
      // Fault: the fill used to repeat passes while "_root_" stayed open, and a mandatory node
      // whose children are all optional leaves kept it open for ever.
      {neverComplete, "", "",
       "KroMmdODTStreamBuilder::_FillMandatoryInputs:400 < "
       "KroMmdODTStreamBuilder::GetODTStream:600"},
      // A query that cannot be parsed.
      {kConjuncts, "", "a{b",
       "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200 < KroMmdODTQueryParser::Parse:600 < "
       "KroMmdODTStreamBuilder::GetODTStream:300"},
      // Declarations that fail: a key declared twice (100), a parent declared after its child
      // (700).
      {{{"", "a", 1, 0}, {"", "a", 1, 0}}, "", "", declare + ":100" + declared},
      {{{"p", "c", 1, 0}, {"", "p", 1, 0}}, "", "", declare + ":700" + declared},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.chain);
    std::map<std::string, std::string> values = ValuesOf(row.inputs);
    values.erase(row.missing);
    KroTestTreeBuilder builder(row.inputs, values);
    KroSysTraceRecorder recorder;
    KroUnicodeString stream("before");
    EXPECT_EQ(builder.GetODTStream(row.query, stream), KRO_E_FAIL);
    EXPECT_EQ(stream.ToStdString(), "before");
    EXPECT_EQ(recorder.ToString(), row.chain);
    // No value is asked for before a step that needs none fails.
    EXPECT_EQ(builder._Asked.empty(), row.chain.find("GetValueStream") == std::string::npos);
  }
}

TEST(KroMmdODTStreamBuilder, WritesObjectValuesAsObjectsAndEveryOtherTextAsAString) {
  const std::pair<const char*, const char*> rows[] = {
      {R"({"k":"v","n":{"m":"w"}})", R"({"a":{"k":"v","n":{"m":"w"}}})"},
      {"123", R"({"a":"123"})"},
      {R"(["x","y"])", R"({"a":"[\"x\",\"y\"]"})"},
  };
  for (const auto& [value, expected] : rows) {
    SCOPED_TRACE(value);
    KroTestTreeBuilder builder({{"", "a", 1, 0}}, {{"a", value}});
    KroUnicodeString stream;
    ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
    EXPECT_EQ(stream.ToStdString(), expected);
  }
}

TEST(KroMmdODTStreamBuilder, RefusesToWriteAValueNestedBeyondTheReadableDepth) {
  // The written stream adds one level to an object value: a value already at the parser's
  // limit would give a stream that no reader accepts.
  KroTestTreeBuilder builder({{"", "a", 1, 0}}, {{"a", KroTestNested(KroOmxJson::kMaxDepth - 1)}});
  KroUnicodeString stream;
  ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
  EXPECT_EQ(stream.ToStdString(), R"({"a":)" + KroTestNested(KroOmxJson::kMaxDepth - 1) + "}");
  KroTestTreeBuilder reader;  // the deepest stream a reader takes, handed over whole
  ASSERT_EQ(reader.SetODTStream(stream), KRO_S_OK);
  EXPECT_EQ(reader._Received.at(0).second, KroTestNested(KroOmxJson::kMaxDepth - 1));

  builder._Values["a"] = KroTestNested(KroOmxJson::kMaxDepth);
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.GetODTStream("", stream), KRO_E_FAIL);
  EXPECT_EQ(stream.ToStdString(), R"({"a":)" + KroTestNested(KroOmxJson::kMaxDepth - 1) + "}");
  EXPECT_EQ(recorder.ToString(),
            "KroMmdODTStreamBuilder::_RWriteJSONObject:6969 < "
            "KroMmdODTStreamBuilder::_StringifyMap:100 < KroMmdODTStreamBuilder::GetODTStream:700");
}
