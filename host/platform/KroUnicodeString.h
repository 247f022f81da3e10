// The host string used for every stream, key, value and name. It holds UTF-8 text; positions
// and lengths count bytes, which for the ASCII text of streams are characters. Non-ASCII text
// (names, aliases) is kept byte for byte.
#ifndef KroUnicodeString_H
#define KroUnicodeString_H

#include <cstdint>
#include <string>

#include "KroUnicodeChar.h"

class KroUnicodeString {
 public:
  KroUnicodeString() = default;
  KroUnicodeString(const char* text);  // NOLINT: implicit, as host strings are built from text
  KroUnicodeString(const char* text, int length);
  KroUnicodeString(const std::string& text) : _Text(text) {}  // NOLINT
  KroUnicodeString(std::string&& text) : _Text(std::move(text)) {}  // NOLINT
  KroUnicodeString(KroUnicodeChar c, int count);

  KroUnicodeString& operator+=(const KroUnicodeString& other) {
    _Text += other._Text;
    return *this;
  }
  KroUnicodeString& operator+=(KroUnicodeChar c) {
    _Text += c.GetChar();
    return *this;
  }
  KroUnicodeString& operator+=(const char* text) {
    _Text += text ? text : "";
    return *this;
  }
  bool operator==(const KroUnicodeString& other) const { return _Text == other._Text; }
  bool operator!=(const KroUnicodeString& other) const { return _Text != other._Text; }
  bool operator<(const KroUnicodeString& other) const { return _Text < other._Text; }

  int GetLengthInChar() const { return static_cast<int>(_Text.size()); }
  bool IsEmpty() const { return _Text.empty(); }
  // The character at pos, or the zero character when pos is outside the string.
  KroUnicodeChar operator[](int pos) const;

  // The characters from start, at most length of them; empty when start is outside.
  KroUnicodeString SubString(int start, int length) const;
  // First occurrence of pattern at or after start (mode 1 searches forward), or -1.
  int SearchSubString(const KroUnicodeString& pattern, int start = 0, int mode = 1) const;
  // First occurrence of pattern, or a negative value when absent.
  int FindPosition(const KroUnicodeString& pattern) const;
  // Replaces every occurrence, left to right, without rescanning replaced text; returns the
  // number of replacements.
  int ReplaceAll(const KroUnicodeString& pattern, const KroUnicodeString& replacement);
  // Replaces the first occurrence; returns 1 when one was replaced, 0 otherwise.
  int ReplaceSubString(const KroUnicodeString& pattern, const KroUnicodeString& replacement);
  // Mode 1 strips leading, 2 trailing, 3 both occurrences of c.
  void Strip(int mode = 3, KroUnicodeChar c = ' ');

  // printf-style number text, always as in the C locale: "%d", "%u", "%X", "%x", "%g".
  // Returns 0, or a negative value for a format it does not know (content then unchanged).
  int BuildFromNum(int value, const char* format = "%d");
  int BuildFromNum(unsigned int value, const char* format = "%u");
  int BuildFromNum(double value, const char* format = "%g");

  // scanf-style leading number, independent of the locale: "%d", "%u", "%X" / "%x", "%le" /
  // "%lf" / "%g". Returns non-zero on success; the target is untouched on failure.
  int ConvertToNum(int* target, const char* format = "%d") const;
  int ConvertToNum(unsigned int* target, const char* format = "%u") const;
  int ConvertToNum(double* target, const char* format = "%le") const;

  // Narrow text, valid while the string lives and is not changed.
  const char* CastToCharPtr() const { return _Text.c_str(); }
  const char* ConvertToChar() const { return _Text.c_str(); }
  const std::string& ToStdString() const { return _Text; }

 private:
  std::string _Text;
};

KroUnicodeString operator+(const KroUnicodeString& a, const KroUnicodeString& b);

#endif
