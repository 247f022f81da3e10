// Fuzz target of the meta builder's reader: any bytes are read as a meta stream within a small
// document (a box, whose feature "#1" is the only one). The reader must fail cleanly, with its
// trace last, never crash, hang or exhaust the stack (chains of "Meta" included). Writing the
// inner stream again with the stored format succeeds or fails with the writer's trace last.
// Below any "Meta" levels, the innermost builder's stream, written with the empty query, reads
// back into a fresh meta builder of the same type and is written the same again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroMmdMetaODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {

// The "type" of a builder that is not a meta builder, or nullptr.
const char* TypeOf(KroMmdODTStreamBuilder* builder) {
  if (dynamic_cast<KroMmdGNAOSpecODTStreamBuilder*>(builder) != nullptr) return "GNAOSpec";
  if (dynamic_cast<KroMmdLogElementODTStreamBuilder*>(builder) != nullptr) return "LogElement";
  if (dynamic_cast<KroMmdBRepAccessODTStreamBuilder*>(builder) != nullptr) return "BRepAccess";
  return nullptr;
}

// The innermost builder under the meta builder's chain of meta builders, or nullptr.
KroMmdODTStreamBuilder* Innermost(KroMmdMetaODTStreamBuilder& meta) {
  KroMmdODTStreamBuilder* inner = meta.GetInnerBuilder();
  while (auto* next = dynamic_cast<KroMmdMetaODTStreamBuilder*>(inner))
    inner = next->GetInnerBuilder();
  return inner;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  const KroMfPart_var& part = KroFuzzBoxPart();
  KroMmdMetaODTStreamBuilder meta;
  KRO_FUZZ_CHECK(meta.SetContext(part) == KRO_S_OK, "the box document as context");
  {
    KroSysTraceRecorder recorder;
    if (meta.SetODTStream(input) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::SetODTStream"), input);
      return 0;
    }
  }
  {
    KroSysTraceRecorder recorder;
    KroUnicodeString rewritten;
    if (meta.GetMetaODTStream(rewritten) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdMetaODTStreamBuilder::GetMetaODTStream"),
                     input);
    }
  }
  // A copy owns an inner builder of its own: both go at the end of this call.
  KroMmdMetaODTStreamBuilder copy(meta);

  KroMmdODTStreamBuilder* inner = Innermost(meta);
  const char* type = TypeOf(inner);
  KroUnicodeString written;
  if (type == nullptr || inner->GetODTStream("", written) != KRO_S_OK) return 0;
  const std::string wrapped =
      std::string(R"({"type":")") + type + R"(","value":)" + written.ToStdString() + "}";
  KroMmdMetaODTStreamBuilder again;
  KRO_FUZZ_CHECK(again.SetContext(part) == KRO_S_OK, "the box document as context");
  KRO_FUZZ_CHECK(again.SetODTStream(wrapped) == KRO_S_OK, wrapped);
  KroUnicodeString writtenAgain;
  KRO_FUZZ_CHECK(again.GetMetaODTStream(writtenAgain) == KRO_S_OK, wrapped);
  KRO_FUZZ_CHECK(writtenAgain == written, wrapped);
  return 0;
}
