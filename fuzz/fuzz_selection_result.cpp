// Fuzz target of the selection reader: any bytes are read as a selection within a small
// document (a box, whose feature "#1" is the only one). The reader must fail cleanly, with a
// trace, never crash, hang or read past the end of the text. A selection cannot be written, so
// a selection that is read is named again by the tags of its body and cells, and that stream
// reads back to the same body and cells, in the same order.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroBRepModel.h"
#include "KroMfPart.h"
#include "KroMmdSelectionResultODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {
// Made once and kept for the whole run.
const KroMfPart_var& Document() {
  static const KroMfPart_var* document = [] {
    auto* part = new KroMfPart_var();
    if (KroMfPart::CreateFromModel(KroBRepModel::MakeBox(20, 10, 10), *part) != KRO_S_OK) {
      __builtin_trap();
    }
    return part;
  }();
  return *document;
}

// The selection of the builder as a stream of tags, or "" when the builder gives no body.
std::string TagsOf(KroMmdSelectionResultODTStreamBuilder& builder) {
  KroMmrToposInBody topos;
  KroBody_var body;
  KroListPtrKroTopology list;
  {
    KroSysTraceRecorder recorder;
    if (builder.GetToposInBody(topos) != KRO_S_OK) {
      if (recorder.Entries().empty()) __builtin_trap();
      return "";
    }
  }
  if (topos.GetBody(body) != KRO_S_OK || topos.GetTopos(list, 2, nullptr) != KRO_S_OK) return "";
  std::string stream = R"({"support":{"bodyTag":")" + std::to_string(body->GetTag()) +
                       R"("},"topoTags":[)";
  for (int i = 1; i <= list.Size(); ++i)
    stream += (i == 1 ? "\"" : ",\"") + std::to_string(list[i]->GetTag()) + "\"";
  return stream + "]}";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const KroUnicodeString text(std::string(reinterpret_cast<const char*>(data), size));
  KroMmdSelectionResultODTStreamBuilder builder;
  if (builder.SetContext(Document()) != KRO_S_OK) __builtin_trap();
  {
    KroSysTraceRecorder recorder;
    if (builder.SetODTStream(text) != KRO_S_OK) {
      if (recorder.Entries().empty()) __builtin_trap();  // a failure always says where
      return 0;
    }
  }
  const std::string tags = TagsOf(builder);
  if (tags.empty()) return 0;
  KroMmdSelectionResultODTStreamBuilder again;
  if (again.SetContext(Document()) != KRO_S_OK ||
      again.SetODTStream(KroUnicodeString(tags)) != KRO_S_OK || TagsOf(again) != tags) {
    __builtin_trap();
  }
  return 0;
}
