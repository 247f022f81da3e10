// Fuzz target of the geometric link stream reader: any bytes are read as a topology stream
// within a small document (a box, feature "#1"). The reader must fail cleanly, never crash,
// hang or read past the end of the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroBRepModel.h"
#include "KroMfPart.h"
#include "KroMmdStreamTopoForODT.h"

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
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const KroUnicodeString text(std::string(reinterpret_cast<const char*>(data), size));
  KroINamingContext_var context(static_cast<KroBaseUnknown*>(Document().get()));
  KroMmdStreamTopoForODT stream;
  KroBody_var body;
  KroTopology_var cell;
  if (stream.GetTopoFromStream(text, context, body, cell) == KRO_S_OK && !body) __builtin_trap();
  return 0;
}
