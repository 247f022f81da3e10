// Delegate builder: the refusal of every key but its geometric sub-element, with its stage, and a
// write that always fails. Sub-elements that read, on every model: KroOdtMetaSelectionFindTest.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "KroMmdBuilderTestSupport.h"
#include "KroMmdDelegateODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {

// Reads the stream; the cell tag of the sub-element's access, 0 when the read failed.
unsigned int Read(const KroMfPart_var& part, const std::string& stream, std::string& chain) {
  KroSysTraceRecorder recorder;
  KroMmdDelegateODTStreamBuilder builder;
  KroMmdBRepAccessODTStreamBuilder geomSubElem;
  KroIBRepAccess_var access;
  const bool read = builder.SetContext(part) == KRO_S_OK &&
                    builder.SetODTStream(stream.c_str()) == KRO_S_OK &&
                    builder.GetGeomSubElem(geomSubElem) == KRO_S_OK &&
                    geomSubElem.GetBRepAccess(access) == KRO_S_OK;
  chain = KroTestChainOf(recorder);
  return read && access ? access->GetTopology()->GetTag() : 0;
}

}  // namespace

TEST(KroMmdDelegateODTStreamBuilder, RefusesEveryOtherKeyWithItsStage) {
  const KroMfPart_var part = KroTestSamplePart();
  const std::string set = "KroMmdDelegateODTStreamBuilder::SetValueStream:";
  const std::string read = " < ODT::SetODTStream:400";
  const std::pair<const char*, std::string> rows[] = {
      {R"({"delegateId":"1"})", set + "6969" + read},
      {R"({"geomElem":{"bodyTag":"1"}})", set + "100" + read},
      {R"({"contract":"12"})", set + "300" + read},
      // The groups are no members of a stream.
      {R"({"Create":{"What":{"geomSubElem":{"support":{"bodyTag":"1"},"topoTag":"3"}}}})",
       set + "6969" + read},
      // The sub-element's own refusal, traced again by each reader outward.
      {R"({"geomSubElem":{"support":{"bodyTag":"1"},"topoTag":"99999"}})",
       "BRep::_SetTopoTagStream:300 < BRep::SetValueStream:300 < ODT::SetODTStream:400 < "
       "KroMmdDelegateODTStreamBuilder::_SetGeomSubElemStream:200 < " +
           set + "200" + read},
  };
  for (const auto& [stream, expected] : rows) {
    SCOPED_TRACE(stream);
    std::string chain;
    EXPECT_EQ(Read(part, stream, chain), 0u);
    EXPECT_EQ(chain, expected);
  }
}

TEST(KroMmdDelegateODTStreamBuilder, WritesNoStreamWhateverTheQuery) {
  const KroMfPart_var part = KroTestSamplePart();
  KroMmdDelegateODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"geomSubElem":{"support":{"bodyTag":"1"},"topoTag":"3"}})"),
            KRO_S_OK);
  // The builder's own refusal is not traced: the base says where the write stopped, in the
  // fill of "delegateId" (the first leaf of the first group) or at the requested key.
  const std::string value = "ODT::_MapGetValueStream:100 < ";
  const std::pair<const char*, std::string> rows[] = {
      {"", value + "ODT::_FillNextMandatoryInput:700 < ODT::_FillNextMandatoryInput:400 < "
                   "ODT::_FillNextMandatoryInput:400 < ODT::_FillMandatoryInputs:300 < "
                   "ODT::GetODTStream:600"},
      {"geomSubElem", value + "ODT::GetODTStream:500"},
  };
  for (const auto& [query, chain] : rows) {
    SCOPED_TRACE(query);
    EXPECT_EQ(KroTestWriteFailure(builder, query), chain);
  }
}
