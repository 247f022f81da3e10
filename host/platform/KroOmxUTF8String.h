// UTF-8 text handed to the JSON parser.
#ifndef KroOmxUTF8String_H
#define KroOmxUTF8String_H

#include <string>

#include "KroUnicodeString.h"

class KroOmxUTF8String {
 public:
  KroOmxUTF8String() = default;
  explicit KroOmxUTF8String(const KroUnicodeString& text) : _Text(text.ToStdString()) {}
  explicit KroOmxUTF8String(const std::string& text) : _Text(text) {}
  const std::string& Text() const { return _Text; }

 private:
  std::string _Text;
};

#endif
