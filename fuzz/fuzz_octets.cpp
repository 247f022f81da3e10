// Fuzz target of the octet-sequence text. The bytes are taken twice: as a sequence, whose text
// must read back to the same octets and be written the same once more; and as a text, which,
// when it reads, must give octets whose own text reads back to them. A text that does not begin
// with "[" must fail and leave the sequence empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "KroFuzzHarness.h"
#include "KroMmdStreamGeomRefForODT.h"

namespace {

using Link = KroMmdStreamGeomRefForODT;

// The text of the octets must read back to them, and the octets read be written the same.
void CheckRoundTrip(const _SEQUENCE_octet& octets, const std::string& about) {
  KroUnicodeString text = "left over";
  KRO_FUZZ_CHECK(Link::GetStringFromSEQ(octets, text) == KRO_S_OK, about);
  _SEQUENCE_octet back(std::vector<uint8_t>{9, 9});
  KRO_FUZZ_CHECK(Link::GetSEQFromString(text, back) == KRO_S_OK, text.ToStdString());
  KRO_FUZZ_CHECK(back == octets, text.ToStdString());
  KroUnicodeString textAgain;
  Link::GetStringFromSEQ(back, textAgain);
  KRO_FUZZ_CHECK(textAgain == text, text.ToStdString());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  CheckRoundTrip(_SEQUENCE_octet(std::vector<uint8_t>(data, data + size)), input);

  _SEQUENCE_octet octets(std::vector<uint8_t>{9, 9});
  if (Link::GetSEQFromString(input, octets) != KRO_S_OK) {
    if (input.empty() || input[0] != '[') KRO_FUZZ_CHECK(octets.length() == 0, input);
    return 0;
  }
  KRO_FUZZ_CHECK(!input.empty() && input[0] == '[' && input.find(']') != std::string::npos, input);
  CheckRoundTrip(octets, input);
  return 0;
}
