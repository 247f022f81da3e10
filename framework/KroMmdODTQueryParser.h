// Splits an output-format query ("key key{sub query} key") into its outer keys and the
// sub-query that follows each key. Only the outermost level is parsed; nested builders parse
// their own sub-query when they write their stream.
#ifndef KroMmdODTQueryParser_H
#define KroMmdODTQueryParser_H

#include "KroList.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

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
  // Collapses every run of spaces to one space. Always 0.
  static KroResult _Simplify(const KroUnicodeString& text, KroUnicodeString& simplified);
  // Finds the first key at or after start: begin and end are its first and last positions,
  // -1 when there is none. Always 0.
  static KroResult _FindOuterKeyFrom(const KroUnicodeString& text, int start, int& begin, int& end);
  // Every position where pattern starts in text, ascending. Always 0.
  static KroResult _FindAllOccurences(const KroUnicodeString& text, const KroUnicodeString& pattern,
                                      KroRawCollKroULONG32& positions);
  // From the sorted positions of "{" and "}" of a text, read from the indexes firstOpen and
  // firstClose on (the braces of the text that remains after the keys read so far), the open and
  // close positions of the outermost pairs, left to right (open, close, open, close, ...), at
  // most wanted pairs (0: all). Fails with stage 100 when there is no "{", with stage 200 when
  // the numbers of "{" and "}" differ or a pair it gives would close before it opens.
  static KroResult _ComputeOuterPairsPositions(const KroRawCollKroULONG32& opens,
                                               const KroRawCollKroULONG32& closes,
                                               KroRawCollKroULONG32& pairs, int firstOpen = 1,
                                               int firstClose = 1, int wanted = 0);
};

#endif
