// Fuzz target of the geometric selector reader: any bytes are read as a selector stream within a
// small document (a box, whose feature "#1" is the support). The reader must fail cleanly, with
// its own trace last, never crash, hang or read past the end of the text; a text that it reads
// is written again, and that text reads back to the same cell and axis flag.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

const char* const kReader = "KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT";

// Reads the text with a selector on the box's feature; the cell and axis flag it gives, and,
// when written is not null, the stream it writes again.
KroResult Read(const std::string& text, KroTopology_var& cell, unsigned char& axis,
               KroUnicodeString* written = nullptr) {
  const KroMfPart_var& part = KroFuzzBoxPart();
  KroMmdGeomSelectorForODT selector;
  KRO_FUZZ_CHECK(
      selector.SetNamingContext(KroFuzzContextOf(part)) == KRO_S_OK &&
          selector.SetSupport(KroIGnAssociatedObject_var(part->GetFeature(1))) == KRO_S_OK,
      "the box's feature as support");
  const KroResult rc = selector.SetGeomSelectorStreamForODT(text);
  if (rc != KRO_S_OK) return rc;
  KRO_FUZZ_CHECK(
      selector.GetTopo(cell) == KRO_S_OK && selector.GetIsAxis(axis) == KRO_S_OK && !!cell, text);
  if (written != nullptr)
    KRO_FUZZ_CHECK(selector.GetGeomSelectorStreamForODT(*written) == KRO_S_OK, text);
  return rc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  KroTopology_var cell;
  unsigned char axis = 0;
  KroUnicodeString written;
  {
    KroSysTraceRecorder recorder;
    if (Read(input, cell, axis, &written) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, kReader), input);
      return 0;
    }
  }
  const std::string text = written.ToStdString();
  KroTopology_var again;
  unsigned char axisAgain = 0;
  KRO_FUZZ_CHECK(Read(text, again, axisAgain) == KRO_S_OK, text);
  KRO_FUZZ_CHECK(again->GetTag() == cell->GetTag() && axisAgain == axis, text);
  return 0;
}
