// Fuzz target of the generic-naming identifier text: any bytes are read as an identifier. A
// failed read must be traced with one of the reader's stages and leave the identifier alone. An
// identifier read is written again; that text must read back to the same identifier and be
// written the same once more.
#include <cstddef>
#include <cstdint>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

const char* const kReader = "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream";

bool IsReaderStage(int stage) {
  return stage == 1000 || stage == 1500 || stage == 2000 || stage == 3000 || stage == 4000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  const KroGnIdentifier before = KroGnIdentifier::OfKind(7, 7, 7);
  KroGnIdentifier identifier = before;
  {
    KroSysTraceRecorder recorder;
    if (KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(input, identifier) != KRO_S_OK) {
      KRO_FUZZ_CHECK(recorder.Entries().size() == 1 && KroFuzzTracedLast(recorder, kReader) &&
                         IsReaderStage(recorder.Entries().back().stage),
                     input);
      KRO_FUZZ_CHECK(identifier == before && identifier.GetKind() == 7, input);
      return 0;
    }
  }
  KRO_FUZZ_CHECK(identifier.GetKind() == 1 || identifier.GetKind() == 3, input);
  // The "~" form wins over the "#" form.
  KRO_FUZZ_CHECK((identifier.GetKind() == 3) == (input.find('~') != std::string::npos), input);

  KroUnicodeString text;
  KRO_FUZZ_CHECK(
      KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(identifier, text) == KRO_S_OK,
      input);
  KroGnIdentifier again;
  KRO_FUZZ_CHECK(KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(text, again) == KRO_S_OK,
                 text.ToStdString());
  KRO_FUZZ_CHECK(again == identifier, text.ToStdString());
  KroUnicodeString textAgain;
  KRO_FUZZ_CHECK(
      KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(again, textAgain) == KRO_S_OK,
      text.ToStdString());
  KRO_FUZZ_CHECK(textAgain == text, text.ToStdString());
  return 0;
}
