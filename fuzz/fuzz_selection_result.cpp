// Fuzz target of the selection reader: any bytes are read as a selection within a small
// document (a box, whose feature "#1" is the only one). The reader must fail cleanly, with its
// trace last, never crash, hang or read past the end of the text. A selection cannot be
// written, so a selection that is read is named again by the tags of its body and cells, and
// that stream reads back to the same body and cells, in the same order.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdSelectionResultODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {

// The selection of the builder as a stream of tags, or "" when the builder gives no body;
// about is the text the builder read.
std::string TagsOf(KroMmdSelectionResultODTStreamBuilder& builder, const std::string& about) {
  KroMmrToposInBody topos;
  KroBody_var body;
  KroListPtrKroTopology list;
  {
    KroSysTraceRecorder recorder;
    if (builder.GetToposInBody(topos) != KRO_S_OK) {
      KRO_FUZZ_CHECK(
          KroFuzzTracedLast(recorder, "KroMmdSelectionResultODTStreamBuilder::GetToposInBody"),
          about);
      return "";
    }
  }
  if (topos.GetBody(body) != KRO_S_OK || topos.GetTopos(list, 2, nullptr) != KRO_S_OK) return "";
  std::string stream =
      R"({"support":{"bodyTag":")" + std::to_string(body->GetTag()) + R"("},"topoTags":[)";
  for (int i = 1; i <= list.Size(); ++i)
    stream += (i == 1 ? "\"" : ",\"") + std::to_string(list[i]->GetTag()) + "\"";
  return stream + "]}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  const KroMfPart_var& part = KroFuzzBoxPart();
  KroMmdSelectionResultODTStreamBuilder builder;
  KRO_FUZZ_CHECK(builder.SetContext(part) == KRO_S_OK, "the box document as context");
  {
    KroSysTraceRecorder recorder;
    if (builder.SetODTStream(input) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::SetODTStream"), input);
      return 0;
    }
  }
  const std::string tags = TagsOf(builder, input);
  if (tags.empty()) return 0;
  KroMmdSelectionResultODTStreamBuilder again;
  KRO_FUZZ_CHECK(again.SetContext(part) == KRO_S_OK, "the box document as context");
  KRO_FUZZ_CHECK(again.SetODTStream(tags) == KRO_S_OK, tags);
  KRO_FUZZ_CHECK(TagsOf(again, tags) == tags, tags);
  return 0;
}
