// Fuzz target of the LogElement builder: any bytes are read as its JSON stream with the sample
// part as context. A failed read must be traced by the stream reader. An element read (none for
// a stream without "logPath") is written again, with its root in each of the forms that name a
// log root; a form may fail, traced by the stream writer (a root without an alias, say, or an
// element that the root's table does not list once). Every stream written must read back, in a
// fresh builder, to the same element, and that builder must write the same stream.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdLogElementODTStreamBuilder.h"

namespace {
const char* const kQueries[] = {"", "root{gnId} logPath", "root{scopeEle} logPath",
                                "root{alias} logPath", "root{namingRef} logPath"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KroFuzzCheckRoundTrips<KroMmdLogElementODTStreamBuilder, KroIMmiLogElement_var>(
      KroFuzzBytes(data, size), KroFuzzSamplePart(), kQueries,
      [](KroMmdLogElementODTStreamBuilder& builder, KroIMmiLogElement_var& element) {
        builder.GetLogElement(element);
      });
  return 0;
}
