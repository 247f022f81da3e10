// Text sink of the host's JSON writer.
#ifndef KroOmxTextStream_H
#define KroOmxTextStream_H

#include <string>

#include "KroUnicodeString.h"

class KroOmxTextStream {
 public:
  void Put(char c) { _Text += c; }
  void Put(const std::string& text) { _Text += text; }
  KroUnicodeString ToString() const { return KroUnicodeString(_Text); }
  size_t Length() const { return _Text.size(); }

 private:
  std::string _Text;
};

#endif
