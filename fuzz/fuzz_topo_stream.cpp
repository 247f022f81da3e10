// Fuzz target of the topology stream: any bytes are read as a topology stream in the sample
// part. A failed read must be traced and leave the caller's body and cell alone. A successful
// read gives a body and a cell of that body, or, for a naming node without a body (a log
// element: "3_4_~1~2_Feat__"), no body and no cell. A body and cell read are written again, and
// that stream must read back to the same body and cell and be written the same once more.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroCell.h"
#include "KroFuzzHarness.h"
#include "KroMmdStreamTopoForODT.h"
#include "KroSysTraceRecorder.h"

namespace {
const char* const kReader = "KroMmdStreamTopoForODT::GetTopoFromStream";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  const KroMfPart_var& part = KroFuzzSamplePart();
  const KroINamingContext_var context = KroFuzzContextOf(part);

  // What the caller held before: a failed read must leave it there.
  const KroBody_var before = part->GetBody(2);
  KroBody_var body = before;
  KroTopology_var cell(before);
  KroMmdStreamTopoForODT stream;
  {
    KroSysTraceRecorder recorder;
    if (stream.GetTopoFromStream(input, context, body, cell) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, kReader, 100), input);
      KRO_FUZZ_CHECK(body.IsSame(before) && cell.IsSame(before), input);
      return 0;
    }
  }
  if (!body) {
    KRO_FUZZ_CHECK(!cell, input);
    return 0;
  }
  if (cell) {
    const KroCell_var asCell(cell);
    KRO_FUZZ_CHECK(!!asCell && asCell->GetBody().IsSame(body), input);
  }

  KroUnicodeString text;
  KRO_FUZZ_CHECK(stream.GetStreamFromTopo(body, cell, text) == KRO_S_OK, input);
  KroBody_var bodyAgain;
  KroTopology_var cellAgain;
  KRO_FUZZ_CHECK(stream.GetTopoFromStream(text, context, bodyAgain, cellAgain) == KRO_S_OK,
                 text.ToStdString());
  KRO_FUZZ_CHECK(bodyAgain.IsSame(body) && cellAgain.IsSame(cell), text.ToStdString());
  KroUnicodeString textAgain;
  KRO_FUZZ_CHECK(stream.GetStreamFromTopo(bodyAgain, cellAgain, textAgain) == KRO_S_OK,
                 text.ToStdString());
  KRO_FUZZ_CHECK(textAgain == text, text.ToStdString());
  return 0;
}
