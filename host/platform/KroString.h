// The host's 8-bit string, as the older host services take and give text (report selectors,
// for one): a copy of narrow text, byte for byte.
#ifndef KroString_H
#define KroString_H

#include <string>

class KroString {
 public:
  KroString() = default;
  explicit KroString(const char* text) : _Text(text != nullptr ? text : "") {}
  explicit KroString(const std::string& text) : _Text(text) {}

  const char* CastToCharPtr() const { return _Text.c_str(); }
  int GetLengthInByte() const { return static_cast<int>(_Text.size()); }
  const std::string& ToStdString() const { return _Text; }

 private:
  std::string _Text;
};

#endif
