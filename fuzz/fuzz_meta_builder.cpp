// Fuzz target of the meta builder's reader: any bytes are read as a meta stream within a small
// document (a box, whose feature "#1" is the only one). The reader must fail cleanly, with a
// trace, never crash, hang or exhaust the stack (chains of "Meta" included). Writing the inner
// stream again with the stored format succeeds or fails with a trace. Below any "Meta" levels,
// the innermost builder's stream, written with the empty query, reads back into a fresh meta
// builder of the same type and is written the same again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroBRepModel.h"
#include "KroMfPart.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroMmdMetaODTStreamBuilder.h"
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
  const KroUnicodeString text(std::string(reinterpret_cast<const char*>(data), size));
  KroMmdMetaODTStreamBuilder meta;
  if (meta.SetContext(Document()) != KRO_S_OK) __builtin_trap();
  {
    KroSysTraceRecorder recorder;
    if (meta.SetODTStream(text) != KRO_S_OK) {
      if (recorder.Entries().empty()) __builtin_trap();  // a failure always says where
      return 0;
    }
  }
  {
    KroSysTraceRecorder recorder;
    KroUnicodeString rewritten;
    if (meta.GetMetaODTStream(rewritten) != KRO_S_OK && recorder.Entries().empty())
      __builtin_trap();
  }
  // A copy owns an inner builder of its own: both go at the end of this call.
  KroMmdMetaODTStreamBuilder copy(meta);

  KroMmdODTStreamBuilder* inner = Innermost(meta);
  const char* type = TypeOf(inner);
  KroUnicodeString written;
  if (type == nullptr || inner->GetODTStream("", written) != KRO_S_OK) return 0;
  KroMmdMetaODTStreamBuilder again;
  KroUnicodeString writtenAgain;
  if (again.SetContext(Document()) != KRO_S_OK ||
      again.SetODTStream(KroUnicodeString(std::string(R"({"type":")") + type +
                                          R"(","value":)" + written.ToStdString() + "}")) !=
          KRO_S_OK ||
      again.GetMetaODTStream(writtenAgain) != KRO_S_OK || writtenAgain != written) {
    __builtin_trap();
  }
  return 0;
}
