// The host's JSON parser: text to a KroOmxAny tree (object to map in text order, array to
// list, string to string, numbers, booleans and null to their kinds). A map keeps every member
// as written, a repeated name too; a lookup by name gives the last of them.
#ifndef KroOmxJson_H
#define KroOmxJson_H

#include "KroOmxAny.h"
#include "KroOmxUTF8String.h"

class KroOmxJson {
 public:
  // Objects and arrays nested deeper than this are refused, so that no reader or writer of the
  // tree can exhaust the stack.
  static constexpr int kMaxDepth = 256;

  // 0 on success. Negative when the text is not JSON (syntax, invalid UTF-8, trailing text) or
  // nests deeper than kMaxDepth; out is then unchanged.
  static int ParseString(const KroOmxUTF8String& text, KroOmxAny& out);

 private:
  friend class KroOmxJsonSax;
  static void AppendMember(KroOmxAny& map, const KroOmxKeyString& key, KroOmxAny&& value);
  static void AppendItem(KroOmxAny& list, KroOmxAny&& value);
};

#endif
