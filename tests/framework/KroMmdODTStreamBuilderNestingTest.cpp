// Builders nested three deep: sub-queries travel down, nested streams travel as nested objects,
// and a failure at the bottom leaves a trace at every level. A nested builder's context and its
// copies are shown by the Meta builder's tests, whose copies own their inner builders.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "KroMmdODTStreamBuilder.h"
#include "KroMmdODTStreamBuilderTestBuilders.h"
#include "KroSysTraceRecorder.h"

namespace {

// An outer builder holding a middle one ("name" mandatory, "inner" optional at both levels)
// holding a leaf with the alternatives "a" and "b" and the optional "c".
struct Levels {
  KroTestTreeBuilder leaf{{{"", "a", 0, 0}, {"", "b", 0, 0}, {"", "c", 1, 1}},
                          {{"a", "leaf-a"}, {"b", "leaf-b"}, {"c", "leaf-c"}}};
  KroTestTreeBuilder middle{{{"", "name", 1, 0}, {"", "inner", 1, 1}}, {{"name", "middle"}}};
  KroTestTreeBuilder outer{{{"", "name", 1, 0}, {"", "inner", 1, 1}}, {{"name", "outer"}}};
  Levels() {
    middle._Inner = &leaf;
    outer._Inner = &middle;
  }
};

}  // namespace

TEST(KroMmdODTStreamBuilder, HandsSubQueriesDownToNestedBuilders) {
  const std::pair<const char*, const char*> rows[] = {
      {"", R"({"name":"outer"})"},
      {"inner{inner{b c}}",
       R"({"inner":{"inner":{"b":"leaf-b","c":"leaf-c"},"name":"middle"},"name":"outer"})"},
      {"name inner{name inner{c}}",
       R"({"name":"outer","inner":{"name":"middle","inner":{"c":"leaf-c","a":"leaf-a"}}})"},
  };
  for (const auto& [query, expected] : rows) {
    SCOPED_TRACE(query);
    Levels levels;
    KroUnicodeString stream;
    ASSERT_EQ(levels.outer.GetODTStream(query, stream), KRO_S_OK);
    EXPECT_EQ(stream.ToStdString(), expected);
  }
}

TEST(KroMmdODTStreamBuilder, TracesAFailedNestedReadAtEveryLevel) {
  Levels levels;
  levels.leaf._Refused = {"zz"};
  KroSysTraceRecorder recorder;
  EXPECT_EQ(levels.outer.SetODTStream(R"({"name":"n","inner":{"inner":{"zz":"1"}},"after":"x"})"),
            KRO_E_FAIL);
  // Members before the failure keep their effect; the member after it is not read.
  EXPECT_EQ(levels.outer._Values["name"], "n");
  EXPECT_EQ(levels.outer._Received.back().first, "inner");
  EXPECT_EQ(recorder.ToString(),
            "KroTestTreeBuilder::SetValueStream:6969 < KroMmdODTStreamBuilder::SetODTStream:400 < "
            "KroTestTreeBuilder::SetValueStream:200 < KroMmdODTStreamBuilder::SetODTStream:400 < "
            "KroTestTreeBuilder::SetValueStream:200 < KroMmdODTStreamBuilder::SetODTStream:400");
}
