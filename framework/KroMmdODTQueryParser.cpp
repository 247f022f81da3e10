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
                                                            KroRawCollKroULONG32& pairs,
                                                            int firstOpen, int firstClose,
                                                            int wanted) {
  pairs.RemoveAll();
  // The i-th "{" and "}" of the remaining text, from 1.
  const auto open = [&](int i) { return opens[firstOpen + i - 1]; };
  const auto close = [&](int i) { return closes[firstClose + i - 1]; };
  const int n = opens.Size() - firstOpen + 1;
  if (n < 1) return KroSysFail(100, kPairsName);
  if (closes.Size() - firstClose + 1 != n) return KroSysFail(200, kPairsName);

  // A pair ends at the i-th "}" when the next "{" comes after it: every "{" before is nested
  // inside. Only the pairs asked for are walked, so a caller that takes one pair per key walks
  // each brace once in all.
  uint32_t currentOpen = open(1);
  uint32_t currentClose = close(1);
  for (int i = 2; i <= n + 1; ++i) {
    if (i <= n && open(i) < close(i - 1)) {
      currentClose = close(i);
      continue;
    }
    // "x}{y" has one brace of each, yet its "}" closes nothing.
    if (currentClose < currentOpen) return KroSysFail(200, kPairsName);
    pairs.Append(currentOpen);
    pairs.Append(currentClose);
    if (i > n || pairs.Size() == 2 * wanted) break;
    currentOpen = open(i);
    currentClose = close(i);
  }
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
  KroRawCollKroULONG32 pair;

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
      // The numbers of "{" and "}" are compared over the whole remaining text; only its first
      // outer pair, which opens right after the key, is taken. The pairs after it are checked
      // when their keys are read.
      if (KroFailed(_ComputeOuterPairsPositions(opens, closes, pair, firstOpen, firstClose, 1)) ||
          pair.Size() < 2) {
        return KroSysFail(600, kParseName);
      }
      const int open = static_cast<int>(pair[1]);
      const int close = static_cast<int>(pair[2]);
      subQuery = text.SubString(open + 1, close - open - 1);
      end = close;
    }
    subQueries.Append(subQuery);
    start = end + 1;
  }
  return KRO_S_OK;
}
