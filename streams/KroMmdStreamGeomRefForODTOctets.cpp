// Octet-sequence text of KroMmdStreamGeomRefForODT: "[" items separated by "," "]", where an
// item is a quoted run of displayable octets ('AB', with "'" and the backslash escaped) or the
// decimal value of one other octet.
#include <cstdint>
#include <string>

#include "KroMmdStreamGeomRefForODT.h"

namespace {
// The low eight bits of the leading decimal number of text, read as the C library's atoi
// reads it (leading white space, an optional sign, digits, anything after ignored; no digits
// gives 0). The value is kept modulo 256 while it is read, so a number of any length gives a
// defined result instead of overflowing.
uint8_t LowOctetOfDecimal(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  unsigned int value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = (value * 10u + static_cast<unsigned int>(text[pos] - '0')) & 0xFFu;
  }
  if (negative) value = (256u - value) & 0xFFu;
  return static_cast<uint8_t>(value);
}

void AppendOctet(_SEQUENCE_octet& octets, uint8_t octet) {
  const uint32_t n = octets.length();
  octets.length(n + 1);
  octets[n] = octet;
}

// Ends the pending number item: its octet is stored unless its text is empty ("[1,,2]").
void EndPendingNumber(std::string& pending, _SEQUENCE_octet& octets) {
  if (pending.empty()) return;
  AppendOctet(octets, LowOctetOfDecimal(pending));
  pending.clear();
}
}  // namespace

unsigned char KroMmdStreamGeomRefForODT::IsDisplayableSEQChar(unsigned char octet) {
  if (octet < 0x20 || octet > 0x7E) return 0;
  if (octet == '"' || octet == '[' || octet == ']') return 0;
  return 1;
}

KroUnicodeString KroMmdStreamGeomRefForODT::GetEscapedIfnSEQChar(unsigned char octet) {
  if (!IsDisplayableSEQChar(octet)) {
    KroUnicodeString number;
    number.BuildFromNum(static_cast<int>(octet), "%d");
    return number;
  }
  KroUnicodeString text;
  if (octet == '\'' || octet == '\\') text += KroUnicodeChar('\\');
  text += KroUnicodeChar(static_cast<char>(octet));
  return text;
}

KroResult KroMmdStreamGeomRefForODT::GetStringFromSEQ(const _SEQUENCE_octet& octets,
                                                      KroUnicodeString& text) {
  text = "[";
  bool inQuotes = false;
  const uint32_t n = octets.length();
  for (uint32_t i = 0; i < n; ++i) {
    const unsigned char octet = octets[i];
    if (IsDisplayableSEQChar(octet)) {
      if (!inQuotes) text += KroUnicodeChar('\'');
      text += GetEscapedIfnSEQChar(octet);
      inQuotes = true;
    } else {
      if (inQuotes) text += "',";
      text += GetEscapedIfnSEQChar(octet);
      inQuotes = false;
    }
    if (i + 1 < n) {
      if (!inQuotes) text += KroUnicodeChar(',');
    } else if (inQuotes) {
      text += KroUnicodeChar('\'');
    }
  }
  text += KroUnicodeChar(']');
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::GetSEQFromString(KroUnicodeString text,
                                                      _SEQUENCE_octet& octets) {
  // The characters are read by count, never up to a terminator, so a zero byte inside the text
  // is an ordinary character and nothing past the end is ever read.
  const std::string& chars = text.ToStdString();
  const size_t size = chars.size();
  octets.length(0);
  octets.max(static_cast<uint32_t>(size));
  if (size == 0 || chars[0] != '[') return KRO_E_FAIL;

  std::string pending;
  bool inRun = false;
  for (size_t pos = 1; pos < size; ++pos) {
    const char c = chars[pos];
    // The first "]" ends the text, even inside a run or right after a backslash: the written
    // form never has "]" inside a run.
    if (c == ']') {
      EndPendingNumber(pending, octets);
      return KRO_S_OK;
    }
    if (!inRun) {
      if (c == '\'') {
        EndPendingNumber(pending, octets);
        inRun = true;
      } else if (c == ',') {
        EndPendingNumber(pending, octets);
      } else {
        pending += c;
      }
      continue;
    }
    if (c == '\\') {
      // The next character is stored as it is, unless the text ends or "]" closes it there.
      if (pos + 1 < size && chars[pos + 1] != ']') {
        ++pos;
        AppendOctet(octets, static_cast<uint8_t>(chars[pos]));
      }
      continue;
    }
    if (c == '\'') {
      const char next = pos + 1 < size ? chars[pos + 1] : ']';
      // A quote before "," or "]" closes the run; any other quote is dropped.
      if (next == ',' || next == ']') inRun = false;
      continue;
    }
    AppendOctet(octets, static_cast<uint8_t>(c));
  }
  // No closing "]": the text was cut short. The octets read so far stay; an unfinished number
  // item is dropped, since its digits may be incomplete.
  return KRO_E_FAIL;
}
