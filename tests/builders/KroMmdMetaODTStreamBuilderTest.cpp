// Meta builder: every kind read behind "type", "format" and "value" and written again with the
// stored format; the chains of bad streams; chains of "Meta" as deep as the JSON allows; copies
// and assignments that each own their inner builder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdBuilderTestSupport.h"
#include "KroMmdMetaODTStreamBuilder.h"
#include "KroOmxJson.h"
#include "KroSysTraceRecorder.h"

namespace {

// The inner stream written again, or "fails".
std::string Rewritten(KroMmdMetaODTStreamBuilder& builder) {
  KroUnicodeString stream;
  return builder.GetMetaODTStream(stream) == KRO_S_OK ? stream.ToStdString() : "fails";
}

// A meta stream of type "GNAOSpec" under levels of "Meta".
std::string MetaChain(int levels) {
  std::string text = R"({"type":"GNAOSpec","format":"specId","value":{"bodyTag":"1"}})";
  for (int level = 0; level < levels; ++level) text = R"({"type":"Meta","value":)" + text + "}";
  return text;
}

}  // namespace

// Each kind is made from "type", gets the meta builder's context, reads "value", and is written
// again with "format".
TEST(KroMmdMetaODTStreamBuilder, ReadsEveryKindAndWritesItAgainWithTheStoredFormat) {
  const KroMfPart_var part = KroTestSamplePart();
  const struct {
    std::string stream;
    std::string written;
  } cases[] = {
      {R"({"type":"GNAOSpec","format":"specId alias","value":{"bodyTag":"112"}})",
       R"({"specId":"#3","alias":"BossFoot"})"},
      {R"({"type":"LogElement","format":"root{gnId} logPath",)"
       R"("value":{"root":{"bodyTag":"1"},"logPath":"Construction.Face.2"}})",
       R"({"root":{"gnId":"#1"},"logPath":"Construction.Face.2"})"},
      {R"({"type":"BRepAccess","format":"support{scopeEle} topoId",)"
       R"("value":{"support":{"bodyTag":"1"},"topoTag":"3"}})",
       R"({"support":{"scopeEle":"*1"},"topoId":"3"})"},
      // The format may come last; the value is read when it comes.
      {R"({"type":"GNAOSpec","value":{"gnId":"#2"},"format":"bodyId"})", R"({"bodyId":"53"})"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    KroMmdMetaODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    ASSERT_EQ(builder.SetODTStream(c.stream.c_str()), KRO_S_OK);
    EXPECT_EQ(Rewritten(builder), c.written);
  }
}

// The inner builder takes the context it is made with; a later context does not reach it. A
// second stream replaces the inner builder but keeps the earlier "format".
TEST(KroMmdMetaODTStreamBuilder, KeepsTheContextOfTheInnerBuilderAndTheEarlierFormat) {
  const KroMfPart_var part = KroTestSamplePart();
  KroMmdMetaODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"type":"GNAOSpec","format":"support{specId} brpEle"})"),
            KRO_S_OK);
  ASSERT_EQ(builder.SetContext(nullptr), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"value":{"bodyTag":"53"}})"), KRO_S_OK);

  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(
                R"({"type":"BRepAccess","value":{"support":{"bodyTag":"1"},"topoTag":"8"}})"),
            KRO_S_OK);
  EXPECT_NE(dynamic_cast<KroMmdBRepAccessODTStreamBuilder*>(builder.GetInnerBuilder()), nullptr);
  EXPECT_EQ(Rewritten(builder), R"({"support":{"specId":"#1"},"brpEle":"*7"})");

  KroMmdMetaODTStreamBuilder late;
  ASSERT_EQ(late.SetODTStream(R"({"type":"GNAOSpec"})"), KRO_S_OK);
  ASSERT_EQ(late.SetContext(part), KRO_S_OK);
  KroSysTraceRecorder recorder;
  EXPECT_EQ(late.SetODTStream(R"({"value":{"bodyTag":"53"}})"), KRO_E_FAIL);
  EXPECT_EQ(KroTestChainOf(recorder),
            "GNAO::_SetBodyTagStream:200 < GNAO::SetValueStream:200 < ODT::SetODTStream:400 < "
            "Meta::SetValueStream:400 < ODT::SetODTStream:400");
}

// Bad meta streams fail with their chains; after a "type" that names no builder the earlier
// inner builder is gone, so nothing can be written.
TEST(KroMmdMetaODTStreamBuilder, TracesEachBadStreamAndDropsTheInnerBuilderOnABadType) {
  const KroMfPart_var part = KroTestSamplePart();
  const std::string read = " < ODT::SetODTStream:400";
  const struct {
    std::string stream;
    std::string chain;
    bool inner;  // an inner builder is left
  } cases[] = {
      {R"({"type":"gnaospec"})", "Meta::SetValueStream:1111" + read, false},
      {R"({"type":"GNAOSpec "})", "Meta::SetValueStream:1111" + read, false},
      {R"({"type":""})", "Meta::SetValueStream:1111" + read, false},
      {R"({"type":"SelectionResult"})", "Meta::SetValueStream:1111" + read, false},
      {R"({"type":"GNAOSpec","value":{"bodyTag":"2"}})",
       "GNAO::_SetBodyTagStream:400 < GNAO::SetValueStream:200" + read +
           " < Meta::SetValueStream:400" + read,
       true},
      {R"({"type":"Meta","value":{"type":"BRep"}})",
       "Meta::SetValueStream:1111" + read + " < Meta::SetValueStream:400" + read, true},
      {R"({"type":"GNAOSpec","value":"1"})",
       "ODT::SetODTStream:100 < Meta::SetValueStream:400" + read, true},
      {R"({"Type":"GNAOSpec"})", "Meta::SetValueStream:6969" + read, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    KroMmdMetaODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    ASSERT_EQ(builder.SetODTStream(R"({"type":"GNAOSpec","value":{"bodyTag":"1"}})"), KRO_S_OK);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(c.stream.c_str()), KRO_E_FAIL);
    EXPECT_EQ(KroTestChainOf(recorder), c.chain);
    EXPECT_EQ(builder.GetInnerBuilder() != nullptr, c.inner);
  }

  KroMmdMetaODTStreamBuilder fresh, builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(fresh.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"type":"GNAOSpec","value":{"bodyTag":"1"}})"), KRO_S_OK);
  KroUnicodeString stream = "untouched";
  KroSysTraceRecorder recorder;
  // Members are read in text order: no builder is there to take the value yet.
  EXPECT_EQ(fresh.SetODTStream(R"({"value":{"bodyTag":"1"},"type":"GNAOSpec"})"), KRO_E_FAIL);
  EXPECT_EQ(builder.SetODTStream(R"({"format":"logElement"})"), KRO_S_OK);
  EXPECT_EQ(builder.GetMetaODTStream(stream), KRO_E_FAIL);  // a feature is no log element
  EXPECT_EQ(builder.SetODTStream(R"({"type":"None"})"), KRO_E_FAIL);
  EXPECT_EQ(builder.GetMetaODTStream(stream), KRO_E_FAIL);
  EXPECT_EQ(stream, KroUnicodeString("untouched"));
  EXPECT_EQ(KroTestChainOf(recorder),
            "Meta::SetValueStream:300 < ODT::SetODTStream:400 < Log::SetLogElement:300 < "
            "GNAO::_GetLogElementStream:200 < GNAO::GetValueStream:600 < "
            "ODT::_MapGetValueStream:100 < ODT::GetODTStream:500 < Meta::GetMetaODTStream:200 < "
            "Meta::SetValueStream:1111 < ODT::SetODTStream:400 < Meta::GetMetaODTStream:100");
}

// The meta builder gives no value texts: written itself, or as the inner builder of another
// meta builder, it has three empty strings.
TEST(KroMmdMetaODTStreamBuilder, WritesItsOwnInputsAsThreeEmptyStrings) {
  const KroMfPart_var part = KroTestSamplePart();
  KroMmdMetaODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(MetaChain(1).c_str()), KRO_S_OK);
  const std::string empty = R"({"type":"","format":"","value":""})";
  KroUnicodeString stream;
  ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
  EXPECT_EQ(stream.ToStdString(), empty);
  EXPECT_EQ(Rewritten(builder), empty);
  ASSERT_EQ(builder.GetODTStream("value format", stream), KRO_S_OK);
  EXPECT_EQ(stream.ToStdString(), R"({"value":"","format":"","type":""})");
}

// Each level of a chain of "Meta" is read from within the level above. Levels up to the limit
// are read; below it the read fails at the level that is not made, and every level above says
// so; a chain deeper than the JSON reader takes fails at once.
TEST(KroMmdMetaODTStreamBuilder, ReadsChainsOfMetaUpToItsLimitAndRefusesDeeperOnes) {
  const KroMfPart_var part = KroTestSamplePart();
  const int limit = KroMmdMetaODTStreamBuilder::kMaxNesting;
  const int deepest = KroOmxJson::kMaxDepth - 2;  // the innermost meta stream and its value
  std::string below;
  for (int level = 0; level < limit; ++level)
    below += " < Meta::SetValueStream:400 < ODT::SetODTStream:400";
  const struct {
    int levels;
    KroResult rc;
    std::string chain;
  } cases[] = {
      {limit, KRO_S_OK, ""},
      {limit + 1, KRO_E_FAIL, "Meta::SetValueStream:100 < ODT::SetODTStream:400" + below},
      {deepest, KRO_E_FAIL, "Meta::SetValueStream:100 < ODT::SetODTStream:400" + below},
      {deepest + 1, KRO_E_FAIL, "ODT::SetODTStream:100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.levels);
    KroMmdMetaODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(MetaChain(c.levels).c_str()), c.rc);
    EXPECT_EQ(KroTestChainOf(recorder), c.chain);
  }
  // The innermost builder of the longest chain is the one that was read.
  KroMmdMetaODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(MetaChain(limit).c_str()), KRO_S_OK);
  KroMmdMetaODTStreamBuilder* innermost = &builder;
  for (int level = 0; level < limit; ++level)
    innermost = dynamic_cast<KroMmdMetaODTStreamBuilder*>(innermost->GetInnerBuilder());
  ASSERT_NE(innermost, nullptr);
  EXPECT_EQ(Rewritten(*innermost), R"({"specId":"#1"})");
}

// Fault: a copy shared the inner builder, and both deleted it. Each copy owns one of its own,
// down the whole chain, also when a builder is assigned from a builder of its own chain.
TEST(KroMmdMetaODTStreamBuilder, CopiesAndAssignmentsEachOwnTheirInnerBuilders) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    const KroMfPart_var part = KroTestSamplePart();
    const std::string access =
        R"({"type":"BRepAccess","format":"support{specId} topoTag",)"
        R"("value":{"support":{"bodyTag":"1"},"topoTag":"8"}})";
    const std::string written = R"({"support":{"specId":"#1"},"topoTag":"8"})";
    auto original = std::make_unique<KroMmdMetaODTStreamBuilder>();
    ASSERT_EQ(original->SetContext(part), KRO_S_OK);
    ASSERT_EQ(original->SetODTStream(access.c_str()), KRO_S_OK);
    KroMmdMetaODTStreamBuilder copy(*original);
    KroMmdMetaODTStreamBuilder assigned;
    assigned = *original;
    EXPECT_NE(copy.GetInnerBuilder(), original->GetInnerBuilder());
    EXPECT_NE(assigned.GetInnerBuilder(), original->GetInnerBuilder());
    original.reset();
    EXPECT_EQ(Rewritten(copy), written);
    const KroMmdMetaODTStreamBuilder& itself = assigned;
    assigned = itself;
    EXPECT_EQ(Rewritten(assigned), written);
    // The copy reads on its own; the assigned builder keeps what it had.
    ASSERT_EQ(copy.SetODTStream(R"({"type":"GNAOSpec","value":{"bodyTag":"53"}})"), KRO_S_OK);
    EXPECT_EQ(Rewritten(assigned), written);

    KroMmdMetaODTStreamBuilder chain;
    ASSERT_EQ(chain.SetContext(part), KRO_S_OK);
    ASSERT_EQ(chain.SetODTStream(MetaChain(3).c_str()), KRO_S_OK);
    KroMmdMetaODTStreamBuilder chainCopy(chain);
    auto* inner = dynamic_cast<KroMmdMetaODTStreamBuilder*>(chain.GetInnerBuilder());
    auto* innerCopy = dynamic_cast<KroMmdMetaODTStreamBuilder*>(chainCopy.GetInnerBuilder());
    ASSERT_NE(innerCopy, nullptr);
    EXPECT_NE(innerCopy->GetInnerBuilder(), inner->GetInnerBuilder());
    // Assigned level by level from the builder under it, which belongs to what it lets go.
    while (auto* next = dynamic_cast<KroMmdMetaODTStreamBuilder*>(chain.GetInnerBuilder()))
      chain = *next;
    EXPECT_EQ(Rewritten(chain), R"({"specId":"#1"})");
    EXPECT_EQ(Rewritten(chainCopy), R"({"type":"","format":"","value":""})");
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}
