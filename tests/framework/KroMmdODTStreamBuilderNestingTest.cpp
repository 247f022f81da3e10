// Builders nested three deep: sub-queries and the context travel down, nested streams travel
// as nested objects, and a failure at the bottom leaves a trace at every level.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "KroMmdODTStreamBuilder.h"
#include "KroMmdODTStreamBuilderTestBuilders.h"
#include "KroSysTraceRecorder.h"

namespace {

typedef std::vector<std::pair<int, std::string>> Chain;

KroTestOuterBuilder MakeOuter() {
  KroTestOuterBuilder outer("outer");
  outer._Inner._Name = "middle";
  return outer;
}

}  // namespace

TEST(KroMmdODTStreamBuilder, HandsSubQueriesDownToNestedBuilders) {
  struct Row {
    const char* query;
    const char* expected;
  };
  const Row rows[] = {
      {"", R"({"name":"outer"})"},
      {"inner", R"({"inner":{"name":"middle"},"name":"outer"})"},
      {"inner{inner}", R"({"inner":{"inner":{"a":"leaf-a"},"name":"middle"},"name":"outer"})"},
      {"inner{inner{b c}}",
       R"({"inner":{"inner":{"b":"leaf-b","c":"leaf-c"},"name":"middle"},"name":"outer"})"},
      {"name inner{name inner{c}}",
       R"({"name":"outer","inner":{"name":"middle","inner":{"c":"leaf-c","a":"leaf-a"}}})"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.query);
    KroTestOuterBuilder outer = MakeOuter();
    KroUnicodeString stream;
    ASSERT_EQ(outer.GetODTStream(row.query, stream), KRO_S_OK);
    EXPECT_EQ(stream.ToStdString(), row.expected);
  }
}

TEST(KroMmdODTStreamBuilder, ReadsBackTheNestedStreamItWrote) {
  KroTestOuterBuilder writer = MakeOuter();
  writer._Inner._Inner._State = {{"a", "A \"1\""}, {"b", "穴 b"}, {"c", "c\n"}};
  const KroUnicodeString query("inner{inner{b c} name} name");
  KroUnicodeString stream;
  ASSERT_EQ(writer.GetODTStream(query, stream), KRO_S_OK);

  KroTestOuterBuilder reader("unset");
  reader._Inner._Name = "unset";
  reader._Inner._Inner._State = {{"a", ""}, {"b", ""}, {"c", ""}};
  ASSERT_EQ(reader.SetODTStream(stream), KRO_S_OK);
  EXPECT_EQ(reader._Name, "outer");
  EXPECT_EQ(reader._Inner._Name, "middle");
  const std::map<std::string, std::string> leaf = {{"a", ""}, {"b", "穴 b"}, {"c", "c\n"}};
  EXPECT_EQ(reader._Inner._Inner._State, leaf);

  KroUnicodeString again;
  ASSERT_EQ(reader.GetODTStream(query, again), KRO_S_OK);
  EXPECT_EQ(again.ToStdString(), stream.ToStdString());
}

TEST(KroMmdODTStreamBuilder, PassesItsContextToNestedBuildersAndReleasesIt) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    KroBaseUnknown_var context = KroBaseUnknown_var::Adopt(new KroTestContext);
    KroTestOuterBuilder outer = MakeOuter();
    ASSERT_EQ(outer.SetContext(context), KRO_S_OK);
    ASSERT_EQ(outer.SetODTStream(R"({"inner":{"inner":{"b":"x"}}})"), KRO_S_OK);
    EXPECT_TRUE(outer._Inner._Inner.Context().IsSame(context));

    KroTestOuterBuilder copy(outer);
    KroTestOuterBuilder assigned;
    assigned = copy;
    KroUnicodeString stream;
    ASSERT_EQ(assigned.GetODTStream("inner{inner}", stream), KRO_S_OK);
    EXPECT_EQ(stream.ToStdString(),
              R"({"inner":{"inner":{"a":"leaf-a"},"name":"middle"},"name":"outer"})");
    EXPECT_TRUE(assigned._Inner._Inner.Context().IsSame(context));
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}

TEST(KroMmdODTStreamBuilder, TracesAFailedNestedReadAtEveryLevel) {
  KroTestOuterBuilder outer = MakeOuter();
  KroSysTraceRecorder recorder;
  EXPECT_EQ(outer.SetODTStream(R"({"name":"n","inner":{"inner":{"zz":"1"}}})"), KRO_E_FAIL);
  EXPECT_EQ(outer._Name, "n");
  const Chain expected = {
      {6969, "KroTestLeafBuilder::SetValueStream"},  {400, "KroMmdODTStreamBuilder::SetODTStream"},
      {200, "KroTestNestedBuilder::SetValueStream"}, {400, "KroMmdODTStreamBuilder::SetODTStream"},
      {200, "KroTestNestedBuilder::SetValueStream"}, {400, "KroMmdODTStreamBuilder::SetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}

TEST(KroMmdODTStreamBuilder, TracesAFailedNestedWriteAtEveryLevel) {
  KroTestOuterBuilder outer = MakeOuter();
  outer._Inner._Inner._State.erase("a");  // the leaf's mandatory first alternative
  KroSysTraceRecorder recorder;
  KroUnicodeString stream("before");
  EXPECT_EQ(outer.GetODTStream("inner{inner}", stream), KRO_E_FAIL);
  EXPECT_EQ(stream.ToStdString(), "before");
  const Chain expected = {{6969, "KroTestLeafBuilder::GetValueStream"},
                          {100, "KroMmdODTStreamBuilder::_MapGetValueStream"},
                          {700, "KroMmdODTStreamBuilder::_FillNextMandatoryInput"},
                          {400, "KroMmdODTStreamBuilder::_FillNextMandatoryInput"},
                          {300, "KroMmdODTStreamBuilder::_FillMandatoryInputs"},
                          {600, "KroMmdODTStreamBuilder::GetODTStream"},
                          {200, "KroTestNestedBuilder::GetValueStream"},
                          {100, "KroMmdODTStreamBuilder::_MapGetValueStream"},
                          {500, "KroMmdODTStreamBuilder::GetODTStream"},
                          {200, "KroTestNestedBuilder::GetValueStream"},
                          {100, "KroMmdODTStreamBuilder::_MapGetValueStream"},
                          {500, "KroMmdODTStreamBuilder::GetODTStream"}};
  EXPECT_EQ(KroTestChain(recorder.Entries()), expected);
}
