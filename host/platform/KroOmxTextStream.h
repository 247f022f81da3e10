// Text sink of the host's JSON writer.
#ifndef KroOmxTextStream_H
#define KroOmxTextStream_H

#include <string>
#include <utility>

#include "KroUnicodeString.h"

class KroOmxTextStream {
 public:
  void Put(char c) { _Text += c; }
  void Put(const std::string& text) { _Text += text; }
  void Put(const char* data, size_t length) { _Text.append(data, length); }
  KroUnicodeString ToString() const { return KroUnicodeString(_Text); }
  // The text, leaving the stream empty.
  KroUnicodeString Take() { return KroUnicodeString(std::move(_Text)); }
  size_t Length() const { return _Text.size(); }

 private:
  std::string _Text;
};

#endif
