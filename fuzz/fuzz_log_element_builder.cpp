// Fuzz target of the LogElement builder: any bytes are read as its JSON stream with the sample
// part as context. A failed read must be traced by the stream reader. An element read is written
// again, with its root in each of the forms that name a log root; every stream written must read
// back, in a fresh builder, to the same element, and that builder must write the same stream.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {
const char* const kQueries[] = {"", "root{gnId} logPath", "root{scopeEle} logPath",
                                "root{alias} logPath", "root{namingRef} logPath"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  const KroMfPart_var& part = KroFuzzSamplePart();
  KroMmdLogElementODTStreamBuilder builder;
  builder.SetContext(part);
  {
    KroSysTraceRecorder recorder;
    if (builder.SetODTStream(input) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::SetODTStream"), input);
      return 0;
    }
  }
  KroIMmiLogElement_var element;
  builder.GetLogElement(element);
  if (!element) return 0;  // a stream without "logPath"

  for (const char* query : kQueries) {
    KroUnicodeString stream;
    {
      KroSysTraceRecorder recorder;
      if (builder.GetODTStream(query, stream) != KRO_S_OK) {
        // A root without an alias, say, or an element that the root's table does not list once.
        KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::GetODTStream"), input);
        continue;
      }
    }
    KroMmdLogElementODTStreamBuilder again;
    again.SetContext(part);
    KRO_FUZZ_CHECK(again.SetODTStream(stream) == KRO_S_OK, stream.ToStdString());
    KroIMmiLogElement_var elementAgain;
    again.GetLogElement(elementAgain);
    KRO_FUZZ_CHECK(elementAgain.IsSame(element), stream.ToStdString());
    KroUnicodeString streamAgain;
    KRO_FUZZ_CHECK(again.GetODTStream(query, streamAgain) == KRO_S_OK, stream.ToStdString());
    KRO_FUZZ_CHECK(streamAgain == stream, stream.ToStdString());
  }
  return 0;
}
