// Output-format query parser: outer keys and their brace-enclosed sub-queries.
#include "KroMmdODTQueryParser.h"

#include "KroSysBftier.h"

namespace {
const char* const kParseName = "KroMmdODTQueryParser::Parse";
const char* const kPairsName = "KroMmdODTQueryParser::_ComputeOuterPairsPositions";
}  // namespace

KroResult KroMmdODTQueryParser::_Simplify(const KroUnicodeString& text,
                                          KroUnicodeString& simplified) {
  simplified = text;
  // Each pass at least halves every run of spaces, so this ends after a few passes.
  while (simplified.SearchSubString("  ", 0, 1) >= 0) simplified.ReplaceAll("  ", " ");
  return KRO_S_OK;
}

KroResult KroMmdODTQueryParser::_FindOuterKeyFrom(const KroUnicodeString& text, int start,
                                                  int& begin, int& end) {
  begin = -1;
  end = -1;
  const int length = text.GetLengthInChar();
  int pos = start < 0 ? 0 : start;
  for (; pos < length; ++pos) {
    const char c = text[pos].GetChar();
    if (c == '{') {
      if (begin != -1) end = pos - 1;
      return KRO_S_OK;
    }
    if (c == ' ') {
      if (begin != -1) {
        end = pos - 1;
        return KRO_S_OK;
      }
      continue;
    }
    if (begin == -1) begin = pos;
  }
  // Ran off the end: the key, if any, ends with the text.
  end = length - 1;
  return KRO_S_OK;
}

KroResult KroMmdODTQueryParser::_FindAllOccurences(const KroUnicodeString& text,
                                                   const KroUnicodeString& pattern,
                                                   KroRawCollKroULONG32& positions) {
  positions.RemoveAll();
  // An empty pattern would be found at every position without moving on.
  if (pattern.IsEmpty()) return KRO_S_OK;
  int hit = text.SearchSubString(pattern, 0, 1);
  while (hit >= 0) {
    positions.Append(static_cast<uint32_t>(hit));
    hit = text.SearchSubString(pattern, hit + 1, 1);
  }
  return KRO_S_OK;
}

KroResult KroMmdODTQueryParser::_ComputeOuterPairsPositions(const KroRawCollKroULONG32& opens,
                                                            const KroRawCollKroULONG32& closes,
                                                            KroRawCollKroULONG32& pairs) {
  pairs.RemoveAll();
  const int n = opens.Size();
  if (n < 1) {
    KroSysBftier(100, kPairsName, 0);
    return KRO_E_FAIL;
  }
  // Equal counts are not enough: "x}{y" has one of each, yet its "}" closes nothing. The braces
  // pair up only when the i-th "}" comes after the i-th "{" for every i.
  if (closes.Size() != n) {
    KroSysBftier(200, kPairsName, 0);
    return KRO_E_FAIL;
  }
  for (int i = 1; i <= n; ++i) {
    if (closes[i] <= opens[i]) {
      KroSysBftier(200, kPairsName, 0);
      return KRO_E_FAIL;
    }
  }

  uint32_t currentOpen = opens[1];
  uint32_t currentClose = closes[1];
  for (int i = 2; i <= n; ++i) {
    if (opens[i] >= closes[i - 1]) {
      pairs.Append(currentOpen);
      pairs.Append(currentClose);
      currentOpen = opens[i];
    }
    currentClose = closes[i];
  }
  pairs.Append(currentOpen);
  pairs.Append(currentClose);
  return KRO_S_OK;
}

KroResult KroMmdODTQueryParser::Parse(const KroUnicodeString& query,
                                      KroListValKroUnicodeString& keys,
                                      KroListValKroUnicodeString& subQueries) {
  // The query is copied before the lists are emptied: it may be one of their items, as when a
  // sub-query is parsed into the lists it came from.
  KroUnicodeString text;
  _Simplify(query, text);
  keys.RemoveAll();
  subQueries.RemoveAll();
  const int length = text.GetLengthInChar();

  // The braces of the text that remains after the keys read so far are the tails of these two
  // lists, from firstOpen and firstClose on. They are found once and the two indexes only move
  // forward, so the whole parse is linear in the length of the query.
  KroRawCollKroULONG32 opens;
  KroRawCollKroULONG32 closes;
  _FindAllOccurences(text, "{", opens);
  _FindAllOccurences(text, "}", closes);
  int firstOpen = 1;
  int firstClose = 1;

  int start = 0;
  while (start < length) {
    int begin = -1;
    int end = -1;
    _FindOuterKeyFrom(text, start, begin, end);
    if (begin == -1 || end == -1) return KRO_S_OK;
    keys.Append(text.SubString(begin, end - begin + 1));

    KroUnicodeString subQuery;
    if (end + 1 < length && text[end + 1] == '{') {
      while (firstOpen <= opens.Size() && opens[firstOpen] < static_cast<uint32_t>(start)) {
        ++firstOpen;
      }
      while (firstClose <= closes.Size() && closes[firstClose] < static_cast<uint32_t>(start)) {
        ++firstClose;
      }
      // Only the first outer pair of the remaining text is needed here; the pairs after it are
      // checked when their keys are read. The remaining text begins with this key, so its first
      // "{" is the one right after the key. The counts are compared over the whole remaining
      // text; a first "}" before that "{" would make a pair that closes before it opens.
      const int n = opens.Size() - firstOpen + 1;
      if (n != closes.Size() - firstClose + 1 || closes[firstClose] < opens[firstOpen]) {
        KroSysBftier(200, kPairsName, 0);
        KroSysBftier(600, kParseName, 0);
        return KRO_E_FAIL;
      }
      // The first pair closes at the i-th "}" of the remaining text for the first i whose next
      // "{" comes after it: everything before is nested inside the pair.
      int i = 0;
      while (i + 1 < n && opens[firstOpen + i + 1] < closes[firstClose + i]) ++i;
      const int open = static_cast<int>(opens[firstOpen]);
      const int close = static_cast<int>(closes[firstClose + i]);
      subQuery = text.SubString(open + 1, close - open - 1);
      end = close;
    }
    subQueries.Append(subQuery);
    start = end + 1;
  }
  return KRO_S_OK;
}
