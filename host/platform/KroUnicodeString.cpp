// Host string: byte-exact UTF-8 storage, locale-independent number conversions.
#include "KroUnicodeString.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <limits>

namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads an unsigned magnitude in the given base starting at text[pos]; fails on no digit or on
// a value above limit.
bool ReadMagnitude(const std::string& text, size_t pos, int base, uint64_t limit,
                   uint64_t* value) {
  uint64_t v = 0;
  size_t start = pos;
  while (pos < text.size()) {
    int d = HexDigit(text[pos]);
    if (d < 0 || d >= base) break;
    if (v > (limit - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base)) return false;
    v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    ++pos;
  }
  if (pos == start) return false;
  *value = v;
  return true;
}

size_t SkipSpaces(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  return pos;
}

}  // namespace

KroUnicodeString::KroUnicodeString(const char* text) : _Text(text ? text : "") {}

KroUnicodeString::KroUnicodeString(const char* text, int length) {
  if (text != nullptr && length > 0) _Text.assign(text, static_cast<size_t>(length));
}

KroUnicodeString::KroUnicodeString(KroUnicodeChar c, int count) {
  if (count > 0) _Text.assign(static_cast<size_t>(count), c.GetChar());
}

KroUnicodeChar KroUnicodeString::operator[](int pos) const {
  if (pos < 0 || static_cast<size_t>(pos) >= _Text.size()) return KroUnicodeChar();
  return KroUnicodeChar(_Text[static_cast<size_t>(pos)]);
}

KroUnicodeString KroUnicodeString::SubString(int start, int length) const {
  if (start < 0 || length <= 0 || static_cast<size_t>(start) >= _Text.size()) return {};
  return KroUnicodeString(_Text.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
}

int KroUnicodeString::SearchSubString(const KroUnicodeString& pattern, int start, int) const {
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) > _Text.size()) return -1;
  size_t pos = _Text.find(pattern._Text, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int KroUnicodeString::FindPosition(const KroUnicodeString& pattern) const {
  return SearchSubString(pattern, 0, 1);
}

int KroUnicodeString::ReplaceAll(const KroUnicodeString& pattern,
                                 const KroUnicodeString& replacement) {
  if (pattern._Text.empty()) return 0;
  std::string out;
  int count = 0;
  size_t pos = 0;
  for (;;) {
    size_t hit = _Text.find(pattern._Text, pos);
    if (hit == std::string::npos) break;
    out.append(_Text, pos, hit - pos);
    out += replacement._Text;
    pos = hit + pattern._Text.size();
    ++count;
  }
  if (count == 0) return 0;
  out.append(_Text, pos, std::string::npos);
  _Text.swap(out);
  return count;
}

int KroUnicodeString::ReplaceSubString(const KroUnicodeString& pattern,
                                       const KroUnicodeString& replacement) {
  if (pattern._Text.empty()) return 0;
  size_t hit = _Text.find(pattern._Text);
  if (hit == std::string::npos) return 0;
  _Text.replace(hit, pattern._Text.size(), replacement._Text);
  return 1;
}

void KroUnicodeString::Strip(int mode, KroUnicodeChar c) {
  const char ch = c.GetChar();
  if (mode == 2 || mode == 3) {
    while (!_Text.empty() && _Text.back() == ch) _Text.pop_back();
  }
  if (mode == 1 || mode == 3) {
    size_t first = 0;
    while (first < _Text.size() && _Text[first] == ch) ++first;
    _Text.erase(0, first);
  }
}

int KroUnicodeString::BuildFromNum(int value, const char* format) {
  if (format == nullptr) return -1;
  if (std::strcmp(format, "%d") == 0 || std::strcmp(format, "%i") == 0) {
    _Text = std::to_string(value);
    return 0;
  }
  return BuildFromNum(static_cast<unsigned int>(value), format);
}

int KroUnicodeString::BuildFromNum(unsigned int value, const char* format) {
  if (format == nullptr) return -1;
  char buf[32];
  if (std::strcmp(format, "%u") == 0) {
    _Text = std::to_string(value);
  } else if (std::strcmp(format, "%d") == 0) {
    _Text = std::to_string(static_cast<int>(value));
  } else if (std::strcmp(format, "%X") == 0 || std::strcmp(format, "%x") == 0) {
    auto res = std::to_chars(buf, buf + sizeof buf, value, 16);
    std::string text(buf, res.ptr);
    if (format[1] == 'X') {
      for (char& ch : text) {
        if (ch >= 'a' && ch <= 'f') ch = static_cast<char>(ch - 'a' + 'A');
      }
    }
    _Text = text;
  } else {
    return -1;
  }
  return 0;
}

int KroUnicodeString::BuildFromNum(double value, const char* format) {
  if (format == nullptr || std::strcmp(format, "%g") != 0) return -1;
  // to_chars with the general format and a precision behaves as printf("%g") in the C locale,
  // whatever locale the host application has set.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
  if (res.ec != std::errc()) return -1;
  _Text.assign(buf, res.ptr);
  return 0;
}

int KroUnicodeString::ConvertToNum(int* target, const char* format) const {
  if (target == nullptr || format == nullptr) return 0;
  if (std::strcmp(format, "%d") != 0 && std::strcmp(format, "%i") != 0) {
    unsigned int u = 0;
    if (!ConvertToNum(&u, format)) return 0;
    *target = static_cast<int>(u);
    return 1;
  }
  size_t pos = SkipSpaces(_Text);
  bool negative = false;
  if (pos < _Text.size() && (_Text[pos] == '+' || _Text[pos] == '-')) {
    negative = _Text[pos] == '-';
    ++pos;
  }
  uint64_t magnitude = 0;
  const uint64_t limit = negative ? static_cast<uint64_t>(INT_MAX) + 1 : INT_MAX;
  if (!ReadMagnitude(_Text, pos, 10, limit, &magnitude)) return 0;
  *target = negative ? static_cast<int>(-static_cast<int64_t>(magnitude))
                     : static_cast<int>(magnitude);
  return 1;
}

int KroUnicodeString::ConvertToNum(unsigned int* target, const char* format) const {
  if (target == nullptr || format == nullptr) return 0;
  int base = 0;
  if (std::strcmp(format, "%u") == 0) base = 10;
  if (std::strcmp(format, "%X") == 0 || std::strcmp(format, "%x") == 0) base = 16;
  if (base == 0) {
    if (std::strcmp(format, "%d") != 0) return 0;
    int v = 0;
    if (!ConvertToNum(&v, "%d")) return 0;
    *target = static_cast<unsigned int>(v);
    return 1;
  }
  size_t pos = SkipSpaces(_Text);
  if (pos < _Text.size() && _Text[pos] == '+') ++pos;
  if (base == 16 && pos + 2 < _Text.size() && _Text[pos] == '0' &&
      (_Text[pos + 1] == 'x' || _Text[pos + 1] == 'X') && HexDigit(_Text[pos + 2]) >= 0) {
    pos += 2;
  }
  // Unsigned identifiers and counts never carry a sign or exceed 32 bits: such text is refused
  // rather than wrapped.
  uint64_t value = 0;
  if (!ReadMagnitude(_Text, pos, base, UINT32_MAX, &value)) return 0;
  *target = static_cast<unsigned int>(value);
  return 1;
}

int KroUnicodeString::ConvertToNum(double* target, const char* format) const {
  if (target == nullptr || format == nullptr) return 0;
  if (std::strcmp(format, "%le") != 0 && std::strcmp(format, "%lf") != 0 &&
      std::strcmp(format, "%lg") != 0 && std::strcmp(format, "%g") != 0 &&
      std::strcmp(format, "%f") != 0 && std::strcmp(format, "%e") != 0) {
    return 0;
  }
  size_t pos = SkipSpaces(_Text);
  if (pos < _Text.size() && _Text[pos] == '+') {
    // from_chars takes no plus sign; a second sign after it is no number.
    if (pos + 1 < _Text.size() && (_Text[pos + 1] == '-' || _Text[pos + 1] == '+')) return 0;
    ++pos;
  }
  if (pos >= _Text.size()) return 0;
  double value = 0.0;
  const char* first = _Text.data() + pos;
  const char* last = _Text.data() + _Text.size();
  auto res = std::from_chars(first, last, value, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr == first) return 0;
  *target = value;
  return 1;
}

KroUnicodeString operator+(const KroUnicodeString& a, const KroUnicodeString& b) {
  KroUnicodeString result(a);
  result += b;
  return result;
}
