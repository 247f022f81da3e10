// Fuzz target of the GNAOSpec builder: any bytes are read as its JSON stream with the sample
// part as context. A failed read must be traced by the stream reader. An object read is written
// again in each of the builder's forms; every stream written must read back, in a fresh builder,
// to the same object, and that builder must write the same stream.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {
// Every key that names the object, the first one being what a write without query gives.
const char* const kQueries[] = {"", "gnId", "scopeEle", "alias", "namingRef", "logElement"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  const KroMfPart_var& part = KroFuzzSamplePart();
  KroMmdGNAOSpecODTStreamBuilder builder;
  builder.SetContext(part);
  {
    KroSysTraceRecorder recorder;
    if (builder.SetODTStream(input) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::SetODTStream"), input);
      return 0;
    }
  }
  KroIGnAssociatedObject_var object;
  builder.GetGNAO(object);
  if (!object) return 0;  // an alias or naming reference that matches nothing

  for (const char* query : kQueries) {
    KroUnicodeString stream;
    {
      KroSysTraceRecorder recorder;
      if (builder.GetODTStream(query, stream) != KRO_S_OK) {
        // Not every object has every form (a log element has no body tag, a feature no path).
        KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::GetODTStream"), input);
        continue;
      }
    }
    KroMmdGNAOSpecODTStreamBuilder again;
    again.SetContext(part);
    KRO_FUZZ_CHECK(again.SetODTStream(stream) == KRO_S_OK, stream.ToStdString());
    KroIGnAssociatedObject_var objectAgain;
    again.GetGNAO(objectAgain);
    KRO_FUZZ_CHECK(objectAgain.IsSame(object), stream.ToStdString());
    KroUnicodeString streamAgain;
    KRO_FUZZ_CHECK(again.GetODTStream(query, streamAgain) == KRO_S_OK, stream.ToStdString());
    KRO_FUZZ_CHECK(streamAgain == stream, stream.ToStdString());
  }
  return 0;
}
