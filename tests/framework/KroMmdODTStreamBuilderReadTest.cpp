// Reading streams: members in text order, nested objects and arrays rendered back to text,
// lists split into items, and the failures of each step.
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

KroOmxAny Parse(const std::string& text) {
  KroOmxAny parsed;
  EXPECT_EQ(KroOmxJson::ParseString(KroOmxUTF8String(text), parsed), 0) << text;
  return parsed;
}

// levels objects, one inside the other, around a string.
std::string NestedObjects(int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += R"({"k":)";
  text += R"("end")";
  for (int i = 0; i < levels; ++i) text += "}";
  return text;
}

std::string NestedArrays(int levels) { return std::string(levels, '[') + std::string(levels, ']'); }

}  // namespace

TEST(KroMmdODTStreamBuilder, HandsMembersOverInTextOrder) {
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream(R"({"c":"3","a":"1","unknown":"x","b":"2"})"), KRO_S_OK);
  const KroTestCalls expected = {{"c", "3"}, {"a", "1"}, {"unknown", "x"}, {"b", "2"}};
  EXPECT_EQ(builder._Received, expected);
}

TEST(KroMmdODTStreamBuilder, ReadsTheEmptyObjectWithoutCallingTheBuilder) {
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream("  { }  "), KRO_S_OK);
  EXPECT_TRUE(builder._Received.empty());
}

TEST(KroMmdODTStreamBuilder, HandsNestedObjectsAndArraysOverAsTheirJsonText) {
  const std::string stream =
      R"({"o":{"k":"v","n":{"m":"w","e":{}}},"l":["s",{"k":"v"},"t"],"s":"plain"})";
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream(stream), KRO_S_OK);
  ASSERT_EQ(builder._Received.size(), 3u);
  EXPECT_EQ(builder._Received[0].second, R"({"k":"v","n":{"m":"w","e":{}}})");
  EXPECT_EQ(builder._Received[1].second, R"(["s",{"k":"v"},"t"])");
  EXPECT_EQ(builder._Received[2].second, "plain");

  // Each text parses back to the member it came from.
  const KroOmxAny original = Parse(stream);
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(builder._Received[i].first);
    EXPECT_EQ(Parse(builder._Received[i].second), *original.MapFind(builder._Received[i].first));
  }
}

TEST(KroMmdODTStreamBuilder, RefusesStreamsThatAreNoJsonObject) {
  const std::string full = R"({"a":"1","b":{"c":"2"}})";
  std::vector<std::string> streams = {"",
                                      "[]",
                                      R"(["a"])",
                                      R"("a")",
                                      "12",
                                      "null",
                                      "true",
                                      R"({"a":"1"} x)",
                                      R"({"a":"1",})",
                                      R"({a:"1"})",
                                      NestedObjects(300)};
  for (size_t length = 1; length < full.size(); ++length) {
    streams.push_back(full.substr(0, length));
  }
  for (const std::string& stream : streams) {
    SCOPED_TRACE(stream.substr(0, 40));
    KroTestTreeBuilder builder;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(stream), KRO_E_FAIL);
    EXPECT_TRUE(builder._Received.empty());
    const Chain expected = {{100, "KroMmdODTStreamBuilder::SetODTStream"}};
    EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
  }
}

TEST(KroMmdODTStreamBuilder, TracesWhyAMemberValueCannotBeRendered) {
  const Chain number = {{6969, "KroMmdODTStreamBuilder::_StringifyNode"},
                        {200, "KroMmdODTStreamBuilder::SetODTStream"}};
  const Chain inObject = {{6969, "KroMmdODTStreamBuilder::_RWriteJSONObject"},
                          {100, "KroMmdODTStreamBuilder::_StringifyMap"},
                          {200, "KroMmdODTStreamBuilder::_StringifyNode"},
                          {200, "KroMmdODTStreamBuilder::SetODTStream"}};
  const Chain inList = {{6969, "KroMmdODTStreamBuilder::_RWriteJSONList"},
                        {100, "KroMmdODTStreamBuilder::_StringifyList"},
                        {300, "KroMmdODTStreamBuilder::_StringifyNode"},
                        {200, "KroMmdODTStreamBuilder::SetODTStream"}};
  const Chain objectInList = {{6969, "KroMmdODTStreamBuilder::_RWriteJSONObject"},
                              {100, "KroMmdODTStreamBuilder::_StringifyList"},
                              {300, "KroMmdODTStreamBuilder::_StringifyNode"},
                              {200, "KroMmdODTStreamBuilder::SetODTStream"}};
  struct Row {
    const char* stream;
    const Chain* chain;
  };
  const Row rows[] = {
      {R"({"ok":"1","a":12})", &number},
      {R"({"ok":"1","a":1.5})", &number},
      {R"({"ok":"1","a":true})", &number},
      {R"({"ok":"1","a":null})", &number},
      {R"({"ok":"1","a":{"k":["x"]}})", &inObject},
      {R"({"ok":"1","a":{"k":{"m":{"n":[]}}}})", &inObject},
      {R"({"ok":"1","a":{"k":"v","n":3}})", &inObject},
      {R"({"ok":"1","a":["x",["y"]]})", &inList},
      {R"({"ok":"1","a":["x",false]})", &inList},
      {R"({"ok":"1","a":[{"k":["y"]}]})", &objectInList},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stream);
    KroTestTreeBuilder builder;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(row.stream), KRO_E_FAIL);
    // The member before the faulty one keeps its effect.
    const KroTestCalls received = {{"ok", "1"}};
    EXPECT_EQ(builder._Received, received);
    EXPECT_EQ(KroTestChain(recorder.Entries()), *row.chain);
  }
}

TEST(KroMmdODTStreamBuilder, StopsAtTheFirstMemberTheBuilderRefuses) {
  KroTestTreeBuilder builder;
  builder._Refused = {"bad"};
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.SetODTStream(R"({"a":"1","bad":"2","c":"3"})"), KRO_E_FAIL);
  const KroTestCalls received = {{"a", "1"}, {"bad", "2"}};
  EXPECT_EQ(builder._Received, received);
  const Chain expected = {{6969, "KroTestTreeBuilder::SetValueStream"},
                          {400, "KroMmdODTStreamBuilder::SetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, ReadsNonAsciiKeysAndValuesByteForByte) {
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream(R"({"Bohrung_ä":"穴1","穴1":{"Bohrung_ä":"ø\u00e4"}})"), KRO_S_OK);
  const KroTestCalls expected = {{"Bohrung_ä", "穴1"}, {"穴1", R"({"Bohrung_ä":"øä"})"}};
  EXPECT_EQ(builder._Received, expected);
}

TEST(KroMmdODTStreamBuilder, ReadsNestingUpToTheParserLimitAndNoDeeper) {
  // The stream is one level, its member the others: the deepest text the parser takes is
  // rendered back whole.
  const std::string member = NestedObjects(KroOmxJson::kMaxDepth - 1);
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream(R"({"a":)" + member + "}"), KRO_S_OK);
  ASSERT_EQ(builder._Received.size(), 1u);
  EXPECT_EQ(builder._Received[0].second, member);

  KroTestTreeBuilder deeper;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(deeper.SetODTStream(R"({"a":)" + NestedObjects(KroOmxJson::kMaxDepth) + "}"),
            KRO_E_FAIL);
  EXPECT_TRUE(deeper._Received.empty());
  const Chain expected = {{100, "KroMmdODTStreamBuilder::SetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

// ---------------------------------------------------------------------------------------------
// ParseJSONList

TEST(KroMmdODTStreamBuilder, SplitsAListIntoTheTextsOfItsItems) {
  KroTestTreeBuilder builder;
  KroListValKroUnicodeString items;
  ASSERT_EQ(builder.ParseJSONList(R"(["12",{"k":"v","n":{}},"穴1",["x",{"y":"z"}],""])", items),
            KRO_S_OK);
  const std::vector<std::string> expected = {"12", R"({"k":"v","n":{}})", "穴1",
                                             R"(["x",{"y":"z"}])", ""};
  std::vector<std::string> got;
  for (const KroUnicodeString& item : items) got.push_back(item.ToStdString());
  EXPECT_EQ(got, expected);
}

TEST(KroMmdODTStreamBuilder, SplitsTheEmptyListIntoNoItems) {
  KroTestTreeBuilder builder;
  KroListValKroUnicodeString items;
  items.Append("stale");
  ASSERT_EQ(builder.ParseJSONList("[ ]", items), KRO_S_OK);
  EXPECT_EQ(items.Size(), 0);
}

TEST(KroMmdODTStreamBuilder, RefusesListTextThatIsNoJsonArray) {
  // An object used to be split into its member values, a string into nothing.
  const std::string texts[] = {"",       "[",        R"(["a",])", R"({"a":"1","b":"2"})",
                               R"("a")", "12",       "null",      NestedArrays(300),
                               "{}",     R"(["a"]x)"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 40));
    KroTestTreeBuilder builder;
    KroListValKroUnicodeString items;
    items.Append("stale");
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.ParseJSONList(text, items), KRO_E_FAIL);
    EXPECT_EQ(items.Size(), 0);
    const Chain expected = {{100, "KroMmdODTStreamBuilder::ParseJSONList"}};
    EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
  }
}

TEST(KroMmdODTStreamBuilder, KeepsTheItemsBeforeOneThatCannotBeRendered) {
  KroTestTreeBuilder builder;
  KroListValKroUnicodeString items;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.ParseJSONList(R"(["a",{"k":"v"},3,"d"])", items), KRO_E_FAIL);
  ASSERT_EQ(items.Size(), 2);
  EXPECT_EQ(items[1].ToStdString(), "a");
  EXPECT_EQ(items[2].ToStdString(), R"({"k":"v"})");
  const Chain expected = {{6969, "KroMmdODTStreamBuilder::_StringifyNode"},
                          {200, "KroMmdODTStreamBuilder::ParseJSONList"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, SplitsTheArrayTextItWasHandedWhileReading) {
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream(R"({"l":["s",{"k":"q\"uote"}]})"), KRO_S_OK);
  KroListValKroUnicodeString items;
  ASSERT_EQ(builder.ParseJSONList(builder._Received[0].second, items), KRO_S_OK);
  ASSERT_EQ(items.Size(), 2);
  EXPECT_EQ(items[1].ToStdString(), "s");
  EXPECT_EQ(Parse(items[2].ToStdString()), Parse(R"({"k":"q\"uote"})"));
}

// ---------------------------------------------------------------------------------------------
// Rendering of trees built in code

TEST(KroMmdODTStreamBuilder, RendersATreeBuiltInCodeUpToTheDepthLimit) {
  auto chain = [](int levels) {
    KroOmxAny value("end");
    for (int i = 0; i < levels; ++i) {
      KroOmxAny outer;
      outer.CreateMap();
      outer.MapSetValue("k", value);
      value = std::move(outer);
    }
    return value;
  };
  KroTestTreeBuilder builder;
  KroUnicodeString text;
  ASSERT_EQ(
      KroMmdODTStreamBuilderTestPeer::StringifyNode(builder, chain(KroOmxJson::kMaxDepth), text),
      KRO_S_OK);
  EXPECT_EQ(text.ToStdString(), NestedObjects(KroOmxJson::kMaxDepth));

  // Fault: the walk recursed once per level with no bound, so a deep enough tree made in code
  // overflowed the stack.
  for (int levels : {KroOmxJson::kMaxDepth + 1, 1000}) {
    SCOPED_TRACE(levels);
    KroSysTraceRecorder recorder;
    KroUnicodeString unchanged("before");
    EXPECT_EQ(KroMmdODTStreamBuilderTestPeer::StringifyNode(builder, chain(levels), unchanged),
              KRO_E_FAIL);
    EXPECT_EQ(unchanged.ToStdString(), "before");
    const Chain expected = {{6969, "KroMmdODTStreamBuilder::_RWriteJSONObject"},
                            {100, "KroMmdODTStreamBuilder::_StringifyMap"},
                            {200, "KroMmdODTStreamBuilder::_StringifyNode"}};
    EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
  }
}

TEST(KroMmdODTStreamBuilder, BoundsTheDepthOfObjectsInsideAList) {
  KroOmxAny value("end");
  for (int i = 0; i < KroOmxJson::kMaxDepth; ++i) {
    KroOmxAny outer;
    outer.CreateMap();
    outer.MapSetValue("k", value);
    value = std::move(outer);
  }
  KroOmxAny list;
  list.CreateList();
  list.Append(value);
  KroTestTreeBuilder builder;
  KroSysTraceRecorder recorder;
  KroUnicodeString text;
  EXPECT_EQ(KroMmdODTStreamBuilderTestPeer::StringifyNode(builder, list, text), KRO_E_FAIL);
  const Chain expected = {{6969, "KroMmdODTStreamBuilder::_RWriteJSONObject"},
                          {100, "KroMmdODTStreamBuilder::_StringifyList"},
                          {300, "KroMmdODTStreamBuilder::_StringifyNode"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}
