// Fuzz target of the GNAOSpec builder: any bytes are read as its JSON stream with the sample
// part as context. A failed read must be traced by the stream reader. An object read (none for
// an alias or naming reference that matches nothing) is written again in each of the builder's
// forms; a form may fail, traced by the stream writer (a log element has no body tag, a feature
// no path). Every stream written must read back, in a fresh builder, to the same object, and
// that builder must write the same stream.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"

namespace {
// Every key that names the object, the first one being what a write without query gives.
const char* const kQueries[] = {"", "gnId", "scopeEle", "alias", "namingRef", "logElement"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KroFuzzCheckRoundTrips<KroMmdGNAOSpecODTStreamBuilder, KroIGnAssociatedObject_var>(
      KroFuzzBytes(data, size), KroFuzzSamplePart(), kQueries,
      [](KroMmdGNAOSpecODTStreamBuilder& builder, KroIGnAssociatedObject_var& object) {
        builder.GetGNAO(object);
      });
  return 0;
}
