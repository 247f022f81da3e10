// Fuzz target of the delegate stream reader: any bytes are read as a delegate stream within a
// small document (a box made by the feature "Box", which the journal calls "Pad.1"), by feature
// name and by the box's body tag. The reader must fail cleanly, with a trace, never crash, hang
// or read past the end of the text; a delegate that it makes is written again, and that text
// reads back to a delegate of the same cell or feature under the same contract.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroBRepModel.h"
#include "KroIBRepAccess.h"
#include "KroIMmiGeometryAccess.h"
#include "KroMfPart.h"
#include "KroMmdStreamDelegateForODT.h"
#include "KroSysTraceRecorder.h"

namespace {
// Made once and kept for the whole run.
const KroMfPart_var& Document() {
  static const KroMfPart_var* document = [] {
    auto* part = new KroMfPart_var();
    if (KroMfPart::CreateFromModel(KroBRepModel::MakeBox(20, 10, 10), {{"Box", "", "Pad.1", "", 0}},
                                   *part) != KRO_S_OK) {
      __builtin_trap();
    }
    return part;
  }();
  return *document;
}

// What a delegate names: its cell, or the feature it stands for; and its contract.
void Named(const KroIMmiDelegateObject_var& delegate, KroBaseUnknown_var& named,
           KroIMmiContract_var& contract) {
  const KroIMmiGeometryAccess_var access(delegate);
  KroBaseUnknown_var linkable;
  KroListValKroBaseUnknown_var topos;
  if (!access || access->GetLinkableObject(linkable) != KRO_S_OK ||
      access->GetTopologicalObjects(topos) != KRO_S_OK ||
      access->GetContract(contract) != KRO_S_OK || topos.Size() < 1) {
    __builtin_trap();
  }
  named = KroIBRepAccess_var(linkable) ? topos[1] : linkable;
}

KroResult Read(const KroUnicodeString& text, int mode, KroIMmiDelegateObject_var& delegate) {
  KroMmdStreamDelegateForODT stream;
  KroUnicodeString given(text);
  KroINamingContext_var context(Document());
  return stream.GetDelegateFromStream(given, context, delegate, nullptr, mode,
                                      Document()->GetBody(1)->GetTag());
}

void Check(const KroUnicodeString& text, int mode) {
  KroIMmiDelegateObject_var delegate;
  {
    KroSysTraceRecorder recorder;
    if (Read(text, mode, delegate) != KRO_S_OK) {
      if (recorder.Entries().empty()) __builtin_trap();  // a failure always says where
      return;
    }
  }
  if (!delegate) return;  // no delegate to be made of what it names, which is no failure
  KroMmdStreamDelegateForODT stream;
  KroUnicodeString written;
  if (stream.GetStreamFromDelegate(delegate, written) != KRO_S_OK) __builtin_trap();
  KroIMmiDelegateObject_var again;
  if (Read(written, KroMmdStreamDelegateForODT::kByFeatureName, again) != KRO_S_OK || !again)
    __builtin_trap();
  KroBaseUnknown_var named, namedAgain;
  KroIMmiContract_var contract, contractAgain;
  Named(delegate, named, contract);
  Named(again, namedAgain, contractAgain);
  if (!named.IsSame(namedAgain) || !contract.IsSame(contractAgain)) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const KroUnicodeString text(std::string(reinterpret_cast<const char*>(data), size));
  Check(text, KroMmdStreamDelegateForODT::kByFeatureName);
  Check(text, KroMmdStreamDelegateForODT::kByBodyTag);
  return 0;
}
