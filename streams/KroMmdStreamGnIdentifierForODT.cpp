// Generic-naming identifier text: "#<decimal>" or "~<hex>~<hex>".
#include "KroMmdStreamGnIdentifierForODT.h"

#include <cstdint>

#include "KroSysBftier.h"

namespace {
const char* const kWriteName = "KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier";
const char* const kReadName = "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream";

KroUnicodeString NumberText(uint32_t number, const char* format) {
  KroUnicodeString text;
  text.BuildFromNum(static_cast<unsigned int>(number), format);
  return text;
}
}  // namespace

KroResult KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(
    const KroGnIdentifier& identifier, KroUnicodeString& stream) {
  stream = "";
  const int kind = identifier.GetKind();
  if (kind == 1) {
    uint32_t number = 0;
    if (KroFailed(identifier.GetULong32(number))) return KroSysFail(100, kWriteName);
    stream = KroUnicodeString("#") + NumberText(number, "%u");
    return KRO_S_OK;
  }
  if (kind == 3) {
    uint32_t first = 0;
    uint32_t second = 0;
    if (KroFailed(identifier.GetULong32X2(first, second))) return KroSysFail(200, kWriteName);
    stream = KroUnicodeString("~") + NumberText(first, "%X") + "~" + NumberText(second, "%X");
    return KRO_S_OK;
  }
  return KroSysFail(6969, kWriteName);
}

KroResult KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(const KroUnicodeString& stream,
                                                                    KroGnIdentifier& identifier) {
  const int length = stream.GetLengthInChar();
  const int firstTilde = stream.SearchSubString("~", 0, 1);
  if (firstTilde >= 0) {
    unsigned int first = 0;
    // The conversion takes the leading hexadecimal digits and stops at the next "~".
    if (!stream.SubString(firstTilde + 1, length).ConvertToNum(&first, "%X"))
      return KroSysFail(1000, kReadName);
    // The second "~" is searched after the first one. In the written form the first "~" opens
    // the text, so this is position 1; text before the first "~" must not make the first "~"
    // count twice.
    const int secondTilde = stream.SearchSubString("~", firstTilde + 1, 1);
    if (secondTilde < 0) return KroSysFail(1500, kReadName);
    unsigned int second = 0;
    if (!stream.SubString(secondTilde + 1, length).ConvertToNum(&second, "%X"))
      return KroSysFail(2000, kReadName);
    identifier = KroGnIdentifier(static_cast<uint32_t>(first), static_cast<uint32_t>(second));
    return KRO_S_OK;
  }

  const int hash = stream.SearchSubString("#", 0, 1);
  if (hash < 0) return KroSysFail(3000, kReadName);
  unsigned int number = 0;
  // "%u" takes no minus sign and nothing above 4294967295: "#-1" and "#4294967296" are no
  // numbers rather than wrapped ones.
  if (!stream.SubString(hash + 1, length).ConvertToNum(&number, "%u"))
    return KroSysFail(4000, kReadName);
  identifier = KroGnIdentifier(static_cast<uint32_t>(number));
  return KRO_S_OK;
}
