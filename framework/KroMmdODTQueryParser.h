// Splits an output-format query ("key key{sub query} key") into its outer keys and the
// sub-query that follows each key. Only the outermost level is parsed; nested builders parse
// their own sub-query when they write their stream.
#ifndef KroMmdODTQueryParser_H
#define KroMmdODTQueryParser_H

#include "KroList.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmdODTQueryParserTest;

class KroMmdODTQueryParser {
 public:
  KroMmdODTQueryParser() = default;
  KroMmdODTQueryParser(const KroMmdODTQueryParser&) = default;
  KroMmdODTQueryParser& operator=(const KroMmdODTQueryParser&) { return *this; }

  // Empties both lists, then fills them in step: keys[i] goes with subQueries[i] (empty when
  // the key has no braces). Stops, successfully, at the end of the query or at a "{" where a
  // key should begin. At each key followed by "{", the braces of the whole remaining text (from
  // that key to the end of the query) are checked: the query fails when their numbers differ or
  // when a "}" comes before the key's "{". Both lists then keep what was appended so far (the
  // last key is present without its sub-query).
  [[nodiscard]] static KroResult Parse(const KroUnicodeString& query,
                                       KroListValKroUnicodeString& keys,
                                       KroListValKroUnicodeString& subQueries);

 private:
  friend class KroMmdODTQueryParserTest;

  // Collapses every run of spaces to one space. Always 0.
  static KroResult _Simplify(const KroUnicodeString& text, KroUnicodeString& simplified);
  // Finds the first key at or after start: begin and end are its first and last positions,
  // -1 when there is none. Always 0.
  static KroResult _FindOuterKeyFrom(const KroUnicodeString& text, int start, int& begin, int& end);
  // Every position where pattern starts in text, ascending. Always 0.
  static KroResult _FindAllOccurences(const KroUnicodeString& text, const KroUnicodeString& pattern,
                                      KroRawCollKroULONG32& positions);
  // From the sorted positions of "{" and "}", the open and close positions of the outermost
  // pairs, left to right (open, close, open, close, ...). Fails when there is no "{" or when
  // the braces do not pair up (different numbers, or a "}" that closes nothing).
  static KroResult _ComputeOuterPairsPositions(const KroRawCollKroULONG32& opens,
                                               const KroRawCollKroULONG32& closes,
                                               KroRawCollKroULONG32& pairs);
};

#endif
