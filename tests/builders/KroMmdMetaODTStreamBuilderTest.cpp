// Meta builder: every kind read behind "type", "format" and "value" and written again with the
// stored format; the chains of bad streams; chains of "Meta" as deep as the JSON allows; copies
// and assignments that each own their inner builder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

// A GNAOSpec meta stream under levels of "Meta".
std::string MetaChain(int levels) {
  std::string text = R"({"type":"GNAOSpec","format":"specId","value":{"bodyTag":"1"}})";
  for (int level = 0; level < levels; ++level) text = R"({"type":"Meta","value":)" + text + "}";
  return text;
}

const std::string kEmpty = R"({"type":"","format":"","value":""})";
const std::string kRead = " < ODT::SetODTStream:400";

}  // namespace

// Each kind gets the context the meta builder has when it is made (not a later one); GNAOSpec is
// written again by the copies below. A second stream replaces the inner builder and keeps the
// earlier "format".
TEST(KroMmdMetaODTStreamBuilder, ReadsEveryKindAndWritesItAgainWithTheStoredFormat) {
  const KroMfPart_var part = KroTestSamplePart();
  const std::pair<std::string, std::string> cases[] = {
      {R"({"type":"LogElement","format":"root{gnId} logPath",)"
       R"("value":{"root":{"bodyTag":"1"},"logPath":"Construction.Face.2"}})",
       R"({"root":{"gnId":"#1"},"logPath":"Construction.Face.2"})"},
      {R"({"type":"BRepAccess","value":{"support":{"bodyTag":"1"},"topoTag":"3"},)"
       R"("format":"support{scopeEle} topoId"})",
       R"({"support":{"scopeEle":"*1"},"topoId":"3"})"},
      // A Delegate builder reads its sub-element but never writes a stream.
      {R"({"type":"Delegate","format":"geomSubElem",)"
       R"("value":{"geomSubElem":{"support":{"bodyTag":"1"},"topoTag":"3"}}})",
       "fails"},
  };
  for (const auto& [stream, written] : cases) {
    KroMmdMetaODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    ASSERT_EQ(builder.SetODTStream(stream.c_str()), KRO_S_OK) << stream;
    EXPECT_EQ(Rewritten(builder), written) << stream;
  }
  KroMmdMetaODTStreamBuilder builder;
  ASSERT_EQ(builder.SetODTStream(R"({"type":"GNAOSpec","format":"support{specId} brpEle"})"),
            KRO_S_OK);
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  EXPECT_EQ(builder.SetODTStream(R"({"value":{"bodyTag":"53"}})"), KRO_E_FAIL);  // no context
  ASSERT_EQ(builder.SetODTStream(
                R"({"type":"BRepAccess","value":{"support":{"bodyTag":"1"},"topoTag":"8"}})"),
            KRO_S_OK);
  EXPECT_EQ(Rewritten(builder), R"({"support":{"specId":"#1"},"brpEle":"*7"})");
}

// Bad meta streams fail with their chains; after a "type" that names no builder the earlier
// inner builder is gone, so nothing can be written.
TEST(KroMmdMetaODTStreamBuilder, TracesBadStreamsAndDropsTheInnerBuilderOnABadType) {
  const KroMfPart_var part = KroTestSamplePart();
  const std::pair<std::string, std::string> cases[] = {
      {R"({"type":"gnaospec"})", "Meta::SetValueStream:1111" + kRead},
      {R"({"type":""})", "Meta::SetValueStream:1111" + kRead},
  };
  for (const auto& [stream, chain] : cases) {
    KroMmdMetaODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    EXPECT_EQ(KroTestReadFailure(builder, stream), chain);
  }
  KroMmdMetaODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  KroSysTraceRecorder recorder;
  // Members are read in text order: no builder is there to take the value yet.
  EXPECT_EQ(builder.SetODTStream(R"({"value":{"bodyTag":"1"},"type":"GNAOSpec"})"), KRO_E_FAIL);
  EXPECT_EQ(
      builder.SetODTStream(R"({"type":"GNAOSpec","format":"logElement","value":{"bodyTag":"1"}})"),
      KRO_S_OK);
  EXPECT_EQ(Rewritten(builder), "fails");  // a feature is no log element
  EXPECT_EQ(builder.SetODTStream(R"({"type":"None"})"), KRO_E_FAIL);
  EXPECT_EQ(Rewritten(builder), "fails");
  EXPECT_EQ(KroTestChainOf(recorder),
            "Meta::SetValueStream:300" + kRead + " < Log::SetLogElement:300 < " +
                "GNAO::_GetLogElementStream:200 < GNAO::GetValueStream:600 < " +
                "ODT::_MapGetValueStream:100 < ODT::GetODTStream:500 < " +
                "Meta::GetMetaODTStream:200 < Meta::SetValueStream:1111" + kRead +
                " < Meta::GetMetaODTStream:100");
}

// Each level of a chain of "Meta" is read from within the level above: up to the limit it is
// read, below it the level that is not made fails and every level above says so, and a chain
// deeper than the JSON reader takes fails at once. A meta builder gives no value texts: written
// itself, or as the inner builder of another one, it writes three empty strings.
TEST(KroMmdMetaODTStreamBuilder, ReadsChainsOfMetaUpToItsLimitAndWritesNoneOfItsOwnInputs) {
  const KroMfPart_var part = KroTestSamplePart();
  const int limit = KroMmdMetaODTStreamBuilder::kMaxNesting;
  std::string refused = "Meta::SetValueStream:100" + kRead;
  for (int level = 0; level < limit; ++level) refused += " < Meta::SetValueStream:400" + kRead;
  const std::pair<int, std::string> cases[] = {
      {limit, ""},
      {limit + 1, refused},
      {KroOmxJson::kMaxDepth - 2, refused},
      {KroOmxJson::kMaxDepth - 1, "ODT::SetODTStream:100"}};
  for (const auto& [levels, chain] : cases) {
    KroMmdMetaODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(MetaChain(levels).c_str()),
              chain.empty() ? KRO_S_OK : KRO_E_FAIL);
    EXPECT_EQ(KroTestChainOf(recorder), chain) << levels;
  }
  KroMmdMetaODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(MetaChain(1).c_str()), KRO_S_OK);
  KroUnicodeString stream;
  ASSERT_EQ(builder.GetODTStream("", stream), KRO_S_OK);
  EXPECT_EQ(stream.ToStdString(), kEmpty);
  EXPECT_EQ(Rewritten(builder), kEmpty);
}

// Fault: a copy shared the inner builder, and both deleted it. Each copy owns one of its own,
// down the whole chain, also when a builder is assigned from a builder of its own chain.
TEST(KroMmdMetaODTStreamBuilder, CopiesAndAssignmentsEachOwnTheirInnerBuilders) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    const KroMfPart_var part = KroTestSamplePart();
    auto original = std::make_unique<KroMmdMetaODTStreamBuilder>();
    ASSERT_EQ(original->SetContext(part), KRO_S_OK);
    ASSERT_EQ(original->SetODTStream(MetaChain(0).c_str()), KRO_S_OK);
    KroMmdMetaODTStreamBuilder copy(*original), assigned;
    assigned = *original;
    original.reset();
    const KroMmdMetaODTStreamBuilder& itself = assigned;
    assigned = itself;
    ASSERT_EQ(copy.SetODTStream(R"({"type":"GNAOSpec","value":{"bodyTag":"53"}})"), KRO_S_OK);
    EXPECT_EQ(Rewritten(copy), R"({"specId":"#2"})");
    EXPECT_EQ(Rewritten(assigned), R"({"specId":"#1"})");

    KroMmdMetaODTStreamBuilder chain;
    ASSERT_EQ(chain.SetContext(part), KRO_S_OK);
    ASSERT_EQ(chain.SetODTStream(MetaChain(3).c_str()), KRO_S_OK);
    const KroMmdMetaODTStreamBuilder chainCopy(chain);
    // Assigned level by level from the builder under it, which belongs to what it lets go.
    while (auto* next = dynamic_cast<KroMmdMetaODTStreamBuilder*>(chain.GetInnerBuilder()))
      chain = *next;
    EXPECT_EQ(Rewritten(chain), R"({"specId":"#1"})");
    auto* innerCopy = dynamic_cast<KroMmdMetaODTStreamBuilder*>(chainCopy.GetInnerBuilder());
    ASSERT_NE(innerCopy, nullptr);
    EXPECT_EQ(Rewritten(*innerCopy), kEmpty);
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}
