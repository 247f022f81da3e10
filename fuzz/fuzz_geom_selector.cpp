// Fuzz target of the geometric selector reader: any bytes are read as a selector stream within a
// small document (a box, whose feature "#1" is the support). The reader must fail cleanly, with
// a trace, never crash, hang or read past the end of the text; a text that it reads is written
// again, and that text reads back to the same cell and axis flag.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroBRepModel.h"
#include "KroMfPart.h"
#include "KroMmdGeomSelectorForODT.h"
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

// Reads the text with a selector on the box's feature; the cell and axis flag it gives.
KroResult Read(const KroUnicodeString& text, KroTopology_var& cell, unsigned char& axis,
               KroUnicodeString* written = nullptr) {
  KroMmdGeomSelectorForODT selector;
  if (selector.SetNamingContext(KroINamingContext_var(Document())) != KRO_S_OK ||
      selector.SetSupport(KroIGnAssociatedObject_var(Document()->GetFeature(1))) != KRO_S_OK) {
    __builtin_trap();
  }
  const KroResult rc = selector.SetGeomSelectorStreamForODT(text);
  if (rc != KRO_S_OK) return rc;
  if (selector.GetTopo(cell) != KRO_S_OK || selector.GetIsAxis(axis) != KRO_S_OK || !cell)
    __builtin_trap();
  if (written != nullptr && selector.GetGeomSelectorStreamForODT(*written) != KRO_S_OK)
    __builtin_trap();
  return rc;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const KroUnicodeString text(std::string(reinterpret_cast<const char*>(data), size));
  KroTopology_var cell;
  unsigned char axis = 0;
  KroUnicodeString written;
  {
    KroSysTraceRecorder recorder;
    if (Read(text, cell, axis, &written) != KRO_S_OK) {
      if (recorder.Entries().empty()) __builtin_trap();  // a failure always says where
      return 0;
    }
  }
  KroTopology_var again;
  unsigned char axisAgain = 0;
  if (Read(written, again, axisAgain) != KRO_S_OK || again->GetTag() != cell->GetTag() ||
      axisAgain != axis) {
    __builtin_trap();
  }
  return 0;
}
