// Reading streams: lists split into items, and the failures of each step. Members in text order,
// repeated ones each time, nested ones as their text: the written-form test compares every read
// with parsing and rendering again.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "KroMmdODTStreamBuilder.h"
#include "KroMmdODTStreamBuilderTestBuilders.h"
#include "KroOmxJson.h"
#include "KroSysTraceRecorder.h"

namespace {

std::vector<std::string> Texts(const KroListValKroUnicodeString& items) {
  std::vector<std::string> texts;
  for (const KroUnicodeString& item : items) texts.push_back(item.ToStdString());
  return texts;
}

}  // namespace

TEST(KroMmdODTStreamBuilder, RefusesStreamsThatAreNoJsonObject) {
  const std::string full = R"({"a":"1","b":{"c":"2"}})";
  std::vector<std::string> streams = {"[]", R"("a")", "12", "null", R"({"a":"1"} x)", R"({a:"1"})",
                                      "{'a':'1'}", R"({"a":[1,]})", "{\"a\":\"\xff\"}",
                                      // One level more than the parser takes.
                                      R"({"a":)" + KroTestNested(KroOmxJson::kMaxDepth) + "}"};
  for (size_t length = 0; length < full.size(); ++length) streams.push_back(full.substr(0, length));
  for (const std::string& stream : streams) {
    SCOPED_TRACE(stream.substr(0, 40));
    KroTestTreeBuilder builder;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(stream), KRO_E_FAIL);
    EXPECT_TRUE(builder._Received.empty());
    EXPECT_EQ(recorder.ToString(), "KroMmdODTStreamBuilder::SetODTStream:100");
  }
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
  const std::pair<const char*, const std::string*> rows[] = {
      {R"({"ok":"1","a":12,"b":"2"})", &number},
      {R"({"ok":"1","a":{"k":["x"]}})", &inObject},
      {R"({"ok":"1","a":["x",["y"]]})", &inList},
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
  EXPECT_EQ(Texts(items), expected);
  // Fault: the list was emptied before the text was read, so an item split into the list that
  // holds it was freed before it was parsed.
  ASSERT_EQ(builder.ParseJSONList(items[4], items), KRO_S_OK);
  EXPECT_EQ(Texts(items), (std::vector<std::string>{"x", R"({"y":"z"})", "long"}));
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
