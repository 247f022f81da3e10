// Writing streams: the declared-input tree, the marks of requested keys, the mandatory fill and
// the stage codes of every failure on the way.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "KroMmdODTStreamBuilder.h"
#include "KroMmdODTStreamBuilderTestBuilders.h"
#include "KroOmxJson.h"
#include "KroSysTraceRecorder.h"

namespace {

typedef std::vector<std::pair<int, std::string>> Chain;

// Every declared key gives the value "v" + key.
std::map<std::string, std::string> ValuesOf(const std::vector<KroTestInput>& inputs) {
  std::map<std::string, std::string> values;
  for (const KroTestInput& input : inputs) values[input.key] = std::string("v") + input.key;
  return values;
}

// The inputs of the worked example: p (conjunct) and q (optional conjunct) at the top, the
// alternatives x and y below p, the mandatory z below q.
const std::vector<KroTestInput> kExample = {
    {"", "p", 1, 0}, {"", "q", 1, 1}, {"p", "x", 0, 0}, {"p", "y", 0, 0}, {"q", "z", 1, 0}};
const std::vector<KroTestInput> kAlternatives = {{"", "a", 0, 0}, {"", "b", 0, 0}, {"", "c", 0, 0}};
const std::vector<KroTestInput> kConjuncts = {{"", "a", 1, 0}, {"", "b", 1, 0}, {"", "c", 1, 0}};

struct FillCase {
  const char* what;
  std::vector<KroTestInput> inputs;
  const char* query;
  const char* expected;
};

const FillCase kFillCases[] = {
    {"example, empty query: x by the fill, then z below the optional q", kExample, "",
     R"({"x":"vx","z":"vz"})"},
    {"example, y gives the group of x and y, p and the root", kExample, "y", R"({"y":"vy"})"},
    {"example, z leaves the root open; the fill adds x", kExample, "z", R"({"z":"vz","x":"vx"})"},
    {"example, a requested group node is written and gives the root", kExample, "p",
     R"({"p":"vp"})"},
    {"alternatives, empty query: the first declared only", kAlternatives, "", R"({"a":"va"})"},
    {"alternatives, the second requested: that one only", kAlternatives, "b", R"({"b":"vb"})"},
    {"alternatives, an optional first one is passed over",
     {{"", "a", 0, 1}, {"", "b", 0, 0}},
     "",
     R"({"b":"vb"})"},
    {"conjuncts, empty query: every one", kConjuncts, "", R"({"a":"va","b":"vb","c":"vc"})"},
    {"conjuncts, requested first, then the rest in declaration order", kConjuncts, "c",
     R"({"c":"vc","a":"va","b":"vb"})"},
    {"a key requested twice is written once", kConjuncts, "a a", R"({"a":"va","b":"vb","c":"vc"})"},
    {"mixed group: the first alternative gives the members after it",
     {{"", "a", 1, 0}, {"", "b", 0, 0}, {"", "c", 1, 0}},
     "",
     R"({"a":"va","b":"vb"})"},
    {"optional leaf: not written by the fill",
     {{"", "a", 1, 1}, {"", "b", 1, 0}},
     "",
     R"({"b":"vb"})"},
    {"optional leaf: written when requested",
     {{"", "a", 1, 1}, {"", "b", 1, 0}},
     "a",
     R"({"a":"va","b":"vb"})"},
    {"children are walked in declaration order, not key order",
     {{"", "b", 1, 0}, {"", "a", 1, 0}},
     "",
     R"({"b":"vb","a":"va"})"},
    {"a first alternative with children is entered, and its group is then given",
     {{"", "g", 0, 0}, {"", "h", 0, 0}, {"g", "u", 1, 0}, {"g", "w", 1, 0}},
     "",
     R"({"u":"vu","w":"vw"})"},
    {"a group whose only open member is optional is complete",
     {{"", "g", 1, 0}, {"g", "m", 1, 0}, {"g", "o", 1, 1}},
     "m",
     R"({"m":"vm"})"},
    {"a chain of single children gives each level upwards",
     {{"", "a", 1, 0}, {"a", "b", 1, 0}, {"b", "c", 1, 0}},
     "",
     R"({"c":"vc"})"},
    {"no inputs: the root is the one mandatory leaf", {}, "", R"({"_root_":"v_root_"})"},
};

}  // namespace

TEST(KroMmdODTStreamBuilder, FillsTheMandatoryInputsTheQueryLeavesOpen) {
  for (const FillCase& c : kFillCases) {
    SCOPED_TRACE(c.what);
    std::map<std::string, std::string> values = ValuesOf(c.inputs);
    values["_root_"] = "v_root_";
    KroTestTreeBuilder builder(c.inputs, values);
    KroSysTraceRecorder recorder;
    KroUnicodeString stream;
    ASSERT_EQ(builder.GetODTStream(c.query, stream), KRO_S_OK) << recorder.ToString();
    EXPECT_EQ(stream.ToStdString(), c.expected);
  }
}

TEST(KroMmdODTStreamBuilder, AsksEachValueWithTheSubQueryOfItsKey) {
  KroTestTreeBuilder builder(kConjuncts, ValuesOf(kConjuncts));
  KroUnicodeString stream;
  ASSERT_EQ(builder.GetODTStream("b{x y{z}} a", stream), KRO_S_OK);
  const KroTestCalls expected = {{"b", "x y{z}"}, {"a", ""}, {"c", ""}};
  EXPECT_EQ(builder._Asked, expected);
}

TEST(KroMmdODTStreamBuilder, StartsEveryWriteFromAFreshTree) {
  // A tree kept from the first write would refuse the second declaration of every key, and
  // its marks would keep the fill from writing anything.
  KroTestTreeBuilder builder(kExample, ValuesOf(kExample));
  KroUnicodeString first;
  KroUnicodeString second;
  ASSERT_EQ(builder.GetODTStream("y", first), KRO_S_OK);
  ASSERT_EQ(builder.GetODTStream("", second), KRO_S_OK);
  EXPECT_EQ(first.ToStdString(), R"({"y":"vy"})");
  EXPECT_EQ(second.ToStdString(), R"({"x":"vx","z":"vz"})");
}

TEST(KroMmdODTStreamBuilder, WritesObjectValuesAsObjectsAndEveryOtherTextAsAString) {
  struct Row {
    const char* value;
    const char* expected;
  };
  const Row rows[] = {
      {R"({"k":"v","n":{"m":"w"}})", R"({"a":{"k":"v","n":{"m":"w"}}})"},
      {"123", R"({"a":"123"})"},
      {R"(["x","y"])", R"({"a":"[\"x\",\"y\"]"})"},
      {R"("quoted")", R"({"a":"\"quoted\""})"},
      {R"({"k":)", R"({"a":"{\"k\":"})"},
      {"", R"({"a":""})"},
      {"true", R"({"a":"true"})"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    KroTestTreeBuilder builder({{"", "a", 1, 0}}, {{"a", row.value}});
    KroUnicodeString stream;
    ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
    EXPECT_EQ(stream.ToStdString(), row.expected);
  }
}

TEST(KroMmdODTStreamBuilder, RefusesARequestedKeyThatWasNotDeclared) {
  KroTestTreeBuilder builder(kConjuncts, ValuesOf(kConjuncts));
  KroSysTraceRecorder recorder;
  KroUnicodeString stream("before");
  EXPECT_EQ(builder.GetODTStream("a nope", stream), KRO_E_FAIL);
  EXPECT_EQ(stream.ToStdString(), "before");
  const Chain expected = {{100, "KroMmdODTStreamBuilder::_UpdateInputMap"},
                          {400, "KroMmdODTStreamBuilder::GetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, FailsWhenARequestedValueIsNotGiven) {
  KroTestTreeBuilder builder(kConjuncts, {{"a", "va"}, {"b", "vb"}});
  KroSysTraceRecorder recorder;
  KroUnicodeString stream("before");
  EXPECT_EQ(builder.GetODTStream("c", stream), KRO_E_FAIL);
  EXPECT_EQ(stream.ToStdString(), "before");
  const Chain expected = {{6969, "KroTestTreeBuilder::GetValueStream"},
                          {100, "KroMmdODTStreamBuilder::_MapGetValueStream"},
                          {500, "KroMmdODTStreamBuilder::GetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, FailsWhenAMandatoryValueIsNotGivenAndKeepsTheStream) {
  // x is the first alternative below p, written by the fill.
  std::map<std::string, std::string> values = ValuesOf(kExample);
  values.erase("x");
  KroTestTreeBuilder builder(kExample, values);
  KroSysTraceRecorder recorder;
  KroUnicodeString stream("before");
  EXPECT_EQ(builder.GetODTStream("", stream), KRO_E_FAIL);
  EXPECT_EQ(stream.ToStdString(), "before");
  const Chain expected = {{6969, "KroTestTreeBuilder::GetValueStream"},
                          {100, "KroMmdODTStreamBuilder::_MapGetValueStream"},
                          {700, "KroMmdODTStreamBuilder::_FillNextMandatoryInput"},
                          {400, "KroMmdODTStreamBuilder::_FillNextMandatoryInput"},
                          {400, "KroMmdODTStreamBuilder::_FillNextMandatoryInput"},
                          {300, "KroMmdODTStreamBuilder::_FillMandatoryInputs"},
                          {600, "KroMmdODTStreamBuilder::GetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, AsksForTheRootWhenNothingIsDeclared) {
  KroTestTreeBuilder builder;
  KroSysTraceRecorder recorder;
  KroUnicodeString stream("before");
  EXPECT_EQ(builder.GetODTStream("", stream), KRO_E_FAIL);
  const KroTestCalls asked = {{"_root_", ""}};
  EXPECT_EQ(builder._Asked, asked);
  const Chain expected = {{6969, "KroTestTreeBuilder::GetValueStream"},
                          {100, "KroMmdODTStreamBuilder::_MapGetValueStream"},
                          {700, "KroMmdODTStreamBuilder::_FillNextMandatoryInput"},
                          {300, "KroMmdODTStreamBuilder::_FillMandatoryInputs"},
                          {600, "KroMmdODTStreamBuilder::GetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, StopsAfterOnePassWhenAGroupCanNeverBeCompleted) {
  // Fault: the fill used to repeat passes while "_root_" stayed open, and a mandatory node
  // whose children are all optional leaves kept it open for ever.
  const std::vector<KroTestInput> inputs = {{"", "g", 1, 0}, {"g", "a", 1, 1}, {"g", "b", 1, 1}};
  KroTestTreeBuilder builder(inputs, ValuesOf(inputs));
  {
    KroSysTraceRecorder recorder;
    KroUnicodeString stream("before");
    EXPECT_EQ(builder.GetODTStream("", stream), KRO_E_FAIL);
    EXPECT_EQ(stream.ToStdString(), "before");
    EXPECT_TRUE(builder._Asked.empty());
    const Chain expected = {{400, "KroMmdODTStreamBuilder::_FillMandatoryInputs"},
                            {600, "KroMmdODTStreamBuilder::GetODTStream"}};
    EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
  }
  // Requesting one of the optional leaves completes the group.
  KroUnicodeString stream;
  ASSERT_EQ(builder.GetODTStream("b", stream), KRO_S_OK);
  EXPECT_EQ(stream.ToStdString(), R"({"b":"vb"})");
}

TEST(KroMmdODTStreamBuilder, FailsWhenTheQueryCannotBeParsed) {
  KroTestTreeBuilder builder(kConjuncts, ValuesOf(kConjuncts));
  KroSysTraceRecorder recorder;
  KroUnicodeString stream("before");
  EXPECT_EQ(builder.GetODTStream("a{b", stream), KRO_E_FAIL);
  EXPECT_EQ(stream.ToStdString(), "before");
  EXPECT_TRUE(builder._Asked.empty());
  ASSERT_FALSE(recorder.Entries().empty());
  EXPECT_EQ(recorder.Entries().back().stage, 300);
  EXPECT_EQ(recorder.Entries().back().name, "KroMmdODTStreamBuilder::GetODTStream");
}

// ---------------------------------------------------------------------------------------------
// DeclareInput

TEST(KroMmdODTStreamBuilder, RefusesAKeyDeclaredTwiceAndKeepsTheFirstDeclaration) {
  // The second declaration of a would make it optional; the first (mandatory) stays.
  const std::vector<KroTestInput> inputs = {{"", "a", 1, 0}, {"", "a", 1, 1}, {"", "b", 1, 1}};
  KroTestTreeBuilder builder(inputs, ValuesOf(inputs));
  builder._IgnoreDeclareFailures = true;
  KroSysTraceRecorder recorder;
  KroUnicodeString stream;
  ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
  EXPECT_EQ(builder._DeclareResults, (std::vector<KroResult>{KRO_S_OK, KRO_E_FAIL, KRO_S_OK}));
  EXPECT_EQ(stream.ToStdString(), R"({"a":"va"})");
  const Chain expected = {{100, "KroMmdODTStreamBuilder::DeclareInput"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, FailsTheWriteWhenADeclarationFails) {
  struct Row {
    const char* what;
    std::vector<KroTestInput> inputs;
    int stage;
  };
  const Row rows[] = {
      {"duplicate key", {{"", "a", 1, 0}, {"", "a", 1, 0}}, 100},
      {"the root as a key", {{"", "_root_", 1, 0}}, 100},
      {"parent never declared", {{"", "a", 1, 0}, {"b", "c", 1, 0}}, 700},
      {"parent declared after its child", {{"p", "c", 1, 0}, {"", "p", 1, 0}}, 700},
      {"a key as its own parent", {{"a", "a", 1, 0}}, 700},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    KroTestTreeBuilder builder(row.inputs, ValuesOf(row.inputs));
    KroSysTraceRecorder recorder;
    KroUnicodeString stream("before");
    EXPECT_EQ(builder.GetODTStream("", stream), KRO_E_FAIL);
    EXPECT_EQ(stream.ToStdString(), "before");
    const Chain expected = {{row.stage, "KroMmdODTStreamBuilder::DeclareInput"},
                            {100, "KroTestTreeBuilder::DeclareInputs"},
                            {200, "KroMmdODTStreamBuilder::GetODTStream"}};
    EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
  }
}

TEST(KroMmdODTStreamBuilder, AddsNothingForAnInputWhoseParentIsMissing) {
  KroTestTreeBuilder builder({{"nope", "a", 1, 0}}, {{"a", "va"}, {"_root_", "whole"}});
  builder._IgnoreDeclareFailures = true;
  KroUnicodeString stream;
  // The root has no child, so it is the one leaf the fill writes.
  ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
  EXPECT_EQ(stream.ToStdString(), R"({"_root_":"whole"})");
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.GetODTStream("a", stream), KRO_E_FAIL);
  const Chain expected = {{700, "KroMmdODTStreamBuilder::DeclareInput"},
                          {100, "KroMmdODTStreamBuilder::_UpdateInputMap"},
                          {400, "KroMmdODTStreamBuilder::GetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

// ---------------------------------------------------------------------------------------------
// Text of the written stream

TEST(KroMmdODTStreamBuilder, KeepsNonAsciiKeysAndValuesByteForByte) {
  const std::vector<KroTestInput> inputs = {{"", "Bohrung_ä", 1, 0}, {"", "穴1", 1, 0}};
  KroTestTreeBuilder writer(inputs, {{"Bohrung_ä", "穴の深さ"}, {"穴1", "Tiefe ä ø €"}});
  KroUnicodeString stream;
  ASSERT_EQ(writer.GetODTStream("穴1", stream), KRO_S_OK);
  EXPECT_EQ(stream.ToStdString(), R"({"穴1":"Tiefe ä ø €","Bohrung_ä":"穴の深さ"})");

  KroTestTreeBuilder reader;
  ASSERT_EQ(reader.SetODTStream(stream), KRO_S_OK);
  const KroTestCalls expected = {{"穴1", "Tiefe ä ø €"}, {"Bohrung_ä", "穴の深さ"}};
  EXPECT_EQ(reader._Received, expected);
}

TEST(KroMmdODTStreamBuilder, WritesValidJsonWhateverTheValuesHold) {
  const std::string values[] = {
      R"(say "hi")",        R"(back\slash)", "line\nbreak\ttab\rreturn",
      "\x01\x02\x1f\x7f",   R"("},{"x":")",  std::string("nul\0byte", 8),
      "\\u0041 stays text", "}{][,:",
  };
  for (const std::string& value : values) {
    SCOPED_TRACE(value);
    KroTestTreeBuilder writer({{"", "k", 1, 0}}, {{"k", value}});
    KroUnicodeString stream;
    ASSERT_EQ(writer.GetODTStream("", stream), KRO_S_OK);
    KroOmxAny parsed;
    ASSERT_EQ(KroOmxJson::ParseString(KroOmxUTF8String(stream), parsed), 0) << stream.ToStdString();
    ASSERT_EQ(parsed.Size(), 1);

    KroTestTreeBuilder reader;
    ASSERT_EQ(reader.SetODTStream(stream), KRO_S_OK);
    const KroTestCalls expected = {{"k", value}};
    EXPECT_EQ(reader._Received, expected);
  }
}

TEST(KroMmdODTStreamBuilder, WritesValidJsonForBytesThatAreNotUtf8) {
  KroTestTreeBuilder writer({{"", "k\xff", 1, 0}}, {{"k\xff", "a\xc3\x28z\xfe"}});
  KroUnicodeString stream;
  ASSERT_EQ(writer.GetODTStream("", stream), KRO_S_OK);
  KroOmxAny parsed;
  EXPECT_EQ(KroOmxJson::ParseString(KroOmxUTF8String(stream), parsed), 0) << stream.ToStdString();
}

TEST(KroMmdODTStreamBuilder, RefusesToWriteAValueNestedBeyondTheReadableDepth) {
  // The written stream adds one level to an object value: a value already at the parser's
  // limit would give a stream that no reader accepts.
  auto nested = [](int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i) text += R"({"k":)";
    text += R"("end")";
    for (int i = 0; i < levels; ++i) text += "}";
    return text;
  };
  {
    KroTestTreeBuilder builder({{"", "a", 1, 0}}, {{"a", nested(KroOmxJson::kMaxDepth - 1)}});
    KroUnicodeString stream;
    ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
    EXPECT_EQ(stream.ToStdString(), R"({"a":)" + nested(KroOmxJson::kMaxDepth - 1) + "}");
    KroTestTreeBuilder reader;
    EXPECT_EQ(reader.SetODTStream(stream), KRO_S_OK);
  }
  KroTestTreeBuilder builder({{"", "a", 1, 0}}, {{"a", nested(KroOmxJson::kMaxDepth)}});
  KroSysTraceRecorder recorder;
  KroUnicodeString stream("before");
  EXPECT_EQ(builder.GetODTStream("", stream), KRO_E_FAIL);
  EXPECT_EQ(stream.ToStdString(), "before");
  const Chain expected = {{6969, "KroMmdODTStreamBuilder::_RWriteJSONObject"},
                          {100, "KroMmdODTStreamBuilder::_StringifyMap"},
                          {700, "KroMmdODTStreamBuilder::GetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}
