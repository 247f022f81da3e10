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
  return text + std::string(levels, '}');
}

}  // namespace

// Members go over in text order, unknown keys too; nested objects and arrays as their JSON text,
// which parses back to the member it came from.
TEST(KroMmdODTStreamBuilder, HandsMembersOverInTextOrderNestedOnesAsTheirJsonText) {
  const std::string stream =
      R"({"c":"3","o":{"k":"v","n":{"m":"w","e":{}}},"unknown":"x","l":["s",{"k":"v"},"t"]})";
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream("  { }  "), KRO_S_OK);
  EXPECT_TRUE(builder._Received.empty());
  ASSERT_EQ(builder.SetODTStream(stream), KRO_S_OK);
  const KroTestCalls expected = {{"c", "3"},
                                 {"o", R"({"k":"v","n":{"m":"w","e":{}}})"},
                                 {"unknown", "x"},
                                 {"l", R"(["s",{"k":"v"},"t"])"}};
  EXPECT_EQ(builder._Received, expected);
  const KroOmxAny original = Parse(stream);
  for (size_t i : {1, 3}) {
    SCOPED_TRACE(builder._Received[i].first);
    EXPECT_EQ(Parse(builder._Received[i].second), *original.MapFind(builder._Received[i].first));
  }
}

// Fault: a repeated member was handed over once, with the later value in the earlier place, so
// a member written between the two took effect after it.
TEST(KroMmdODTStreamBuilder, HandsARepeatedMemberOverEachTimeItIsWritten) {
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream(R"({"a":"1","b":"2","a":{"k":"v","k":"w"}})"), KRO_S_OK);
  const KroTestCalls expected = {{"a", "1"}, {"b", "2"}, {"a", R"({"k":"v","k":"w"})"}};
  EXPECT_EQ(builder._Received, expected);
}

TEST(KroMmdODTStreamBuilder, RefusesStreamsThatAreNoJsonObject) {
  const std::string full = R"({"a":"1","b":{"c":"2"}})";
  std::vector<std::string> streams = {"[]", R"("a")", "12", "null", R"({"a":"1"} x)", R"({a:"1"})",
                                      // One level more than the parser takes.
                                      R"({"a":)" + NestedObjects(KroOmxJson::kMaxDepth) + "}"};
  for (size_t length = 0; length < full.size(); ++length) streams.push_back(full.substr(0, length));
  for (const std::string& stream : streams) {
    SCOPED_TRACE(stream.substr(0, 40));
    KroTestTreeBuilder builder;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(stream), KRO_E_FAIL);
    EXPECT_TRUE(builder._Received.empty());
    EXPECT_EQ(recorder.ToString(), "KroMmdODTStreamBuilder::SetODTStream:100");
  }
  // The deepest text the parser takes is rendered back whole.
  const std::string member = NestedObjects(KroOmxJson::kMaxDepth - 1);
  KroTestTreeBuilder builder;
  ASSERT_EQ(builder.SetODTStream(R"({"a":)" + member + "}"), KRO_S_OK);
  const KroTestCalls expected = {{"a", member}};
  EXPECT_EQ(builder._Received, expected);
}

TEST(KroMmdODTStreamBuilder, TracesWhyAMemberValueCannotBeRendered) {
  const std::string number =
      "KroMmdODTStreamBuilder::_StringifyNode:6969 < KroMmdODTStreamBuilder::SetODTStream:200";
  const std::string inObject =
      "KroMmdODTStreamBuilder::_RWriteJSONObject:6969 < KroMmdODTStreamBuilder::_StringifyMap:100 "
      "< KroMmdODTStreamBuilder::_StringifyNode:200 < KroMmdODTStreamBuilder::SetODTStream:200";
  const std::string inList =
      "KroMmdODTStreamBuilder::_RWriteJSONList:6969 < KroMmdODTStreamBuilder::_StringifyList:100 "
      "< KroMmdODTStreamBuilder::_StringifyNode:300 < KroMmdODTStreamBuilder::SetODTStream:200";
  const std::string objectInList =
      "KroMmdODTStreamBuilder::_RWriteJSONObject:6969 < KroMmdODTStreamBuilder::_StringifyList:100 "
      "< KroMmdODTStreamBuilder::_StringifyNode:300 < KroMmdODTStreamBuilder::SetODTStream:200";
  const std::pair<const char*, const std::string*> rows[] = {
      {R"({"ok":"1","a":12,"b":"2"})", &number},
      {R"({"ok":"1","a":true})", &number},
      {R"({"ok":"1","a":{"k":["x"]}})", &inObject},
      {R"({"ok":"1","a":{"k":"v","n":3}})", &inObject},
      {R"({"ok":"1","a":["x",["y"]]})", &inList},
      {R"({"ok":"1","a":[{"k":["y"]}]})", &objectInList},
  };
  for (const auto& [stream, chain] : rows) {
    SCOPED_TRACE(stream);
    KroTestTreeBuilder builder;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(stream), KRO_E_FAIL);
    // The member before the faulty one keeps its effect; none after it is read.
    const KroTestCalls received = {{"ok", "1"}};
    EXPECT_EQ(builder._Received, received);
    EXPECT_EQ(recorder.ToString(), *chain);
  }
}

TEST(KroMmdODTStreamBuilder, SplitsAListIntoTheTextsOfItsItems) {
  KroTestTreeBuilder builder;
  KroListValKroUnicodeString items;
  items.Append("stale");
  ASSERT_EQ(builder.ParseJSONList("[ ]", items), KRO_S_OK);
  EXPECT_EQ(items.Size(), 0);
  ASSERT_EQ(
      builder.ParseJSONList(R"(["12",{"k":"v","n":{}},"穴1",["x",{"y":"z"},"long"],""])", items),
      KRO_S_OK);
  const std::vector<std::string> expected = {"12", R"({"k":"v","n":{}})", "穴1",
                                             R"(["x",{"y":"z"},"long"])", ""};
  std::vector<std::string> got;
  for (const KroUnicodeString& item : items) got.push_back(item.ToStdString());
  EXPECT_EQ(got, expected);
  // Fault: the list was emptied before the text was read, so an item split into the list that
  // holds it was freed before it was parsed.
  ASSERT_EQ(builder.ParseJSONList(items[4], items), KRO_S_OK);
  got.clear();
  for (const KroUnicodeString& item : items) got.push_back(item.ToStdString());
  EXPECT_EQ(got, (std::vector<std::string>{"x", R"({"y":"z"})", "long"}));
}

TEST(KroMmdODTStreamBuilder, RefusesListTextThatIsNoJsonArray) {
  // An object used to be split into its member values, a string into nothing.
  const std::string texts[] = {
      "",   "[",  R"(["a",])", R"({"a":"1","b":"2"})",
      "{}", "12", R"(["a"]x)", std::string(300, '[') + std::string(300, ']')};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.substr(0, 40));
    KroTestTreeBuilder builder;
    KroListValKroUnicodeString items;
    items.Append("stale");
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.ParseJSONList(text, items), KRO_E_FAIL);
    EXPECT_EQ(items.Size(), 0);
    EXPECT_EQ(recorder.ToString(), "KroMmdODTStreamBuilder::ParseJSONList:100");
  }
  // An item that cannot be rendered stops the split; the items before it stay.
  KroTestTreeBuilder builder;
  KroListValKroUnicodeString items;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.ParseJSONList(R"(["a",{"k":"v"},3,"d"])", items), KRO_E_FAIL);
  ASSERT_EQ(items.Size(), 2);
  EXPECT_EQ(items[2].ToStdString(), R"({"k":"v"})");
  EXPECT_EQ(
      recorder.ToString(),
      "KroMmdODTStreamBuilder::_StringifyNode:6969 < KroMmdODTStreamBuilder::ParseJSONList:200");
}
