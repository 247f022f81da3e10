// A plain transcription of the output-format query parse, for the parser's tests and its fuzz
// target to compare against: it pairs the braces of the remaining text anew at every key that
// carries a sub-query, where the parser does the same work in one pass over the braces.
#ifndef KroMmdODTQueryParserByTheBook_H
#define KroMmdODTQueryParserByTheBook_H

#include <algorithm>
#include <string>
#include <vector>

#include "KroResult.h"

struct KroTestParsedQuery {
  KroResult result = KRO_S_OK;
  std::vector<std::string> keys;
  std::vector<std::string> subQueries;
};

inline KroTestParsedQuery KroTestParseQueryByTheBook(std::string query) {
  while (query.find("  ") != std::string::npos) query.replace(query.find("  "), 2, " ");
  KroTestParsedQuery out;
  std::string rest = query;
  for (;;) {
    const size_t begin = rest.find_first_not_of(" {");
    if (begin == std::string::npos || rest.find('{') < begin) return out;
    const size_t stop = std::min(rest.find_first_of(" {", begin), rest.size());
    out.keys.push_back(rest.substr(begin, stop - begin));
    size_t end = stop;
    std::string subQuery;
    if (stop < rest.size() && rest[stop] == '{') {
      std::vector<size_t> opens;
      std::vector<size_t> closes;
      for (size_t pos = 0; pos < rest.size(); ++pos) {
        if (rest[pos] == '{') opens.push_back(pos);
        if (rest[pos] == '}') closes.push_back(pos);
      }
      if (opens.size() != closes.size()) return out.result = KRO_E_FAIL, out;
      size_t close = closes[0];
      for (size_t i = 1; i < opens.size() && opens[i] < closes[i - 1]; ++i) close = closes[i];
      if (close < opens[0]) return out.result = KRO_E_FAIL, out;
      subQuery = rest.substr(opens[0] + 1, close - opens[0] - 1);
      end = close + 1;
    }
    out.subQueries.push_back(subQuery);
    rest = rest.substr(end);
  }
}

#endif
