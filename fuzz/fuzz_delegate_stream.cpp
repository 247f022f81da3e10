// Fuzz target of the delegate stream reader: any bytes are read as a delegate stream within a
// small document (a box made by the feature "Box", which the journal calls "Pad.1"), by feature
// name and by the box's body tag. The reader must fail cleanly, with its trace last, never
// crash, hang or read past the end of the text; a delegate that it makes is written again, and
// that text reads back to a delegate of the same cell or feature under the same contract.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroIBRepAccess.h"
#include "KroIMmiGeometryAccess.h"
#include "KroMmdStreamDelegateForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

const char* const kReader = "KroMmdStreamDelegateForODT::GetDelegateFromStream";

// What a delegate names: its cell, or the feature it stands for; and its contract. about is the
// text it was read from.
void Named(const KroIMmiDelegateObject_var& delegate, const std::string& about,
           KroBaseUnknown_var& named, KroIMmiContract_var& contract) {
  const KroIMmiGeometryAccess_var access(delegate);
  KroBaseUnknown_var linkable;
  KroListValKroBaseUnknown_var topos;
  KRO_FUZZ_CHECK(!!access && access->GetLinkableObject(linkable) == KRO_S_OK &&
                     access->GetTopologicalObjects(topos) == KRO_S_OK &&
                     access->GetContract(contract) == KRO_S_OK && topos.Size() >= 1,
                 about);
  named = KroIBRepAccess_var(linkable) ? topos[1] : linkable;
}

KroResult Read(const std::string& text, int mode, KroIMmiDelegateObject_var& delegate) {
  const KroMfPart_var& part = KroFuzzNamedBoxPart();
  KroMmdStreamDelegateForODT stream;
  KroUnicodeString given(text);
  KroINamingContext_var context = KroFuzzContextOf(part);
  return stream.GetDelegateFromStream(given, context, delegate, nullptr, mode,
                                      part->GetBody(1)->GetTag());
}

void Check(const std::string& input, int mode) {
  KroIMmiDelegateObject_var delegate;
  {
    KroSysTraceRecorder recorder;
    if (Read(input, mode, delegate) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, kReader), input);
      return;
    }
  }
  if (!delegate) return;  // no delegate to be made of what it names, which is no failure
  KroMmdStreamDelegateForODT stream;
  KroUnicodeString written;
  KRO_FUZZ_CHECK(stream.GetStreamFromDelegate(delegate, written) == KRO_S_OK, input);
  const std::string text = written.ToStdString();
  KroIMmiDelegateObject_var again;
  KRO_FUZZ_CHECK(
      Read(text, KroMmdStreamDelegateForODT::kByFeatureName, again) == KRO_S_OK && !!again, text);
  KroBaseUnknown_var named, namedAgain;
  KroIMmiContract_var contract, contractAgain;
  Named(delegate, input, named, contract);
  Named(again, text, namedAgain, contractAgain);
  KRO_FUZZ_CHECK(named.IsSame(namedAgain) && contract.IsSame(contractAgain), text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  Check(input, KroMmdStreamDelegateForODT::kByFeatureName);
  Check(input, KroMmdStreamDelegateForODT::kByBodyTag);
  return 0;
}
