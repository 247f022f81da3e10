// Splitting output-format queries into outer keys and sub-queries.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "KroMmdODTQueryParser.h"
#include "KroSysTraceRecorder.h"

// Reaches the parser's building blocks.
class KroMmdODTQueryParserTest {
 public:
  static KroUnicodeString Simplify(const KroUnicodeString& text) {
    KroUnicodeString simplified;
    EXPECT_EQ(KroMmdODTQueryParser::_Simplify(text, simplified), KRO_S_OK);
    return simplified;
  }
  static std::pair<int, int> FindOuterKeyFrom(const KroUnicodeString& text, int start) {
    int begin = 7;
    int end = 7;
    EXPECT_EQ(KroMmdODTQueryParser::_FindOuterKeyFrom(text, start, begin, end), KRO_S_OK);
    return {begin, end};
  }
  static std::vector<uint32_t> FindAll(const KroUnicodeString& text,
                                       const KroUnicodeString& pattern) {
    KroRawCollKroULONG32 positions;
    positions.Append(99);
    EXPECT_EQ(KroMmdODTQueryParser::_FindAllOccurences(text, pattern, positions), KRO_S_OK);
    return std::vector<uint32_t>(positions.begin(), positions.end());
  }
  static KroResult Pairs(const std::vector<uint32_t>& opens, const std::vector<uint32_t>& closes,
                         std::vector<uint32_t>& pairs) {
    KroRawCollKroULONG32 o;
    KroRawCollKroULONG32 c;
    KroRawCollKroULONG32 p;
    for (uint32_t v : opens) o.Append(v);
    for (uint32_t v : closes) c.Append(v);
    p.Append(99);
    const KroResult rc = KroMmdODTQueryParser::_ComputeOuterPairsPositions(o, c, p);
    pairs.assign(p.begin(), p.end());
    return rc;
  }
};

namespace {

using Strings = std::vector<std::string>;

Strings ToStrings(const KroListValKroUnicodeString& list) {
  Strings out;
  for (const KroUnicodeString& s : list) out.push_back(s.ToStdString());
  return out;
}

std::string Chain(const KroSysTraceRecorder& recorder) { return recorder.ToString(); }

const char* const kPairsFailed =
    "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200 < KroMmdODTQueryParser::Parse:600";

struct ParseCase {
  const char* query;
  KroResult result;
  Strings keys;
  Strings subQueries;
  const char* chain;  // the trace chain the query leaves, "" for none
};

// Each row: a query, what it gives, and the traces it leaves.
const std::vector<ParseCase>& ParseCases() {
  static const std::vector<ParseCase> cases = {
      {"", KRO_S_OK, {}, {}, ""},
      {"    ", KRO_S_OK, {}, {}, ""},
      {"a b c", KRO_S_OK, {"a", "b", "c"}, {"", "", ""}, ""},
      {"   a   b  c   ", KRO_S_OK, {"a", "b", "c"}, {"", "", ""}, ""},
      {"a{b c}d", KRO_S_OK, {"a", "d"}, {"b c", ""}, ""},
      {"a{b{c} d} e", KRO_S_OK, {"a", "e"}, {"b{c} d", ""}, ""},
      {"a{b   {c}    d}", KRO_S_OK, {"a"}, {"b {c} d"}, ""},
      {"a {b}", KRO_S_OK, {"a"}, {""}, ""},
      {"{b}", KRO_S_OK, {}, {}, ""},
      {"a{}", KRO_S_OK, {"a"}, {""}, ""},
      {"a{b}c{d{e}}", KRO_S_OK, {"a", "c"}, {"b", "d{e}"}, ""},
      {"a{b} {c} d", KRO_S_OK, {"a"}, {"b"}, ""},
      {"a}b", KRO_S_OK, {"a}b"}, {""}, ""},
      {"a}b c{d}", KRO_S_OK, {"a}b", "c"}, {"", "d"}, ""},
      {"tab\tkey{x}", KRO_S_OK, {"tab\tkey"}, {"x"}, ""},
      {"a{b", KRO_E_FAIL, {"a"}, {}, kPairsFailed},
      {"a{b} c{d", KRO_E_FAIL, {"a"}, {}, kPairsFailed},
      {"a b{c}}", KRO_E_FAIL, {"a", "b"}, {""}, kPairsFailed},
      // A "}" before its "{" with equal counts used to give a pair that closes before it opens.
      {"x}{y", KRO_E_FAIL, {"x}"}, {}, kPairsFailed},
      // The braces are checked again from each key that carries a sub-query: a "}" that closes
      // nothing fails at the first such key after it, once the groups before it are read.
      {"a{b}}{c", KRO_E_FAIL, {"a", "}"}, {"b"}, kPairsFailed},
      {"a{}}x{", KRO_E_FAIL, {"a", "}x"}, {""}, kPairsFailed},
      {"a{b}c}d{e", KRO_E_FAIL, {"a", "c}d"}, {"b"}, kPairsFailed},
      // Only the counts of the text after the stop matter: its "{" makes up for the "}" of c}d.
      {"a{b} c}d {", KRO_S_OK, {"a", "c}d"}, {"b", ""}, ""},
  };
  return cases;
}

TEST(KroMmdODTQueryParser, SplitsEveryQueryOfTheTable) {
  for (const ParseCase& c : ParseCases()) {
    SCOPED_TRACE(std::string("query «") + c.query + "»");
    KroSysTraceRecorder recorder;
    KroListValKroUnicodeString keys;
    KroListValKroUnicodeString subQueries;
    EXPECT_EQ(KroMmdODTQueryParser::Parse(c.query, keys, subQueries), c.result);
    EXPECT_EQ(ToStrings(keys), c.keys);
    EXPECT_EQ(ToStrings(subQueries), c.subQueries);
    EXPECT_EQ(Chain(recorder), c.chain);
  }
}

TEST(KroMmdODTQueryParser, EmptiesBothListsFirst) {
  KroListValKroUnicodeString keys;
  KroListValKroUnicodeString subQueries;
  keys.Append("old");
  subQueries.Append("old");
  ASSERT_EQ(KroMmdODTQueryParser::Parse("k", keys, subQueries), KRO_S_OK);
  EXPECT_EQ(ToStrings(keys), Strings{"k"});
  EXPECT_EQ(ToStrings(subQueries), Strings{""});
}

TEST(KroMmdODTQueryParser, KeepsInnerBracesOfASubQuery) {
  KroListValKroUnicodeString keys;
  KroListValKroUnicodeString subQueries;
  ASSERT_EQ(
      KroMmdODTQueryParser::Parse(R"(value{support{bodyTag} topoTag} type)", keys, subQueries),
      KRO_S_OK);
  EXPECT_EQ(ToStrings(keys), (Strings{"value", "type"}));
  EXPECT_EQ(ToStrings(subQueries), (Strings{R"(support{bodyTag} topoTag)", ""}));
  // A sub-query parses in turn into the next level, even into the lists it came from (the
  // query was read after the lists had been emptied under it).
  ASSERT_EQ(KroMmdODTQueryParser::Parse(subQueries[1], keys, subQueries), KRO_S_OK);
  EXPECT_EQ(ToStrings(keys), (Strings{"support", "topoTag"}));
  EXPECT_EQ(ToStrings(subQueries), (Strings{"bodyTag", ""}));
}

TEST(KroMmdODTQueryParser, ParsesALongFlatQueryInOnePass) {
  std::string query;
  for (int i = 0; i < 20000; ++i) query += "k{s} ";
  KroListValKroUnicodeString keys;
  KroListValKroUnicodeString subQueries;
  ASSERT_EQ(KroMmdODTQueryParser::Parse(query, keys, subQueries), KRO_S_OK);
  ASSERT_EQ(keys.Size(), 20000);
  ASSERT_EQ(subQueries.Size(), 20000);
  EXPECT_EQ(subQueries[20000], KroUnicodeString("s"));
}

// Random bytes and random brace soups: the parse ends, keys and sub-queries stay in step
// except after a failure, and every sub-query is a piece of the simplified query.
TEST(KroMmdODTQueryParser, SurvivesRandomText) {
  std::mt19937 random(20240611u);
  const std::string alphabet = "ab {}} {\t";
  for (int round = 0; round < 3000; ++round) {
    std::string query;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
      query += round % 2 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    SCOPED_TRACE("round " + std::to_string(round));
    KroSysTraceRecorder recorder;
    KroListValKroUnicodeString keys;
    KroListValKroUnicodeString subQueries;
    const KroResult rc = KroMmdODTQueryParser::Parse(query, keys, subQueries);
    const std::string simplified = KroMmdODTQueryParserTest::Simplify(query).ToStdString();
    if (rc == KRO_S_OK) {
      EXPECT_EQ(keys.Size(), subQueries.Size());
      EXPECT_TRUE(recorder.Entries().empty());
    } else {
      EXPECT_EQ(rc, KRO_E_FAIL);
      EXPECT_EQ(keys.Size(), subQueries.Size() + 1);
      EXPECT_EQ(Chain(recorder), kPairsFailed);
    }
    for (const KroUnicodeString& s : subQueries) {
      EXPECT_NE(simplified.find(s.ToStdString()), std::string::npos);
    }
  }
}

// A plain transcription of the parse, which pairs the braces of the remaining text anew at every
// key that carries a sub-query. The parser does the same work in one pass over the braces.
struct Outcome {
  KroResult result = KRO_S_OK;
  Strings keys;
  Strings subQueries;
};

Outcome ParseByTheBook(std::string query) {
  while (query.find("  ") != std::string::npos) {
    query.replace(query.find("  "), 2, " ");
  }
  Outcome out;
  std::string rest = query;
  for (;;) {
    int begin = -1;
    int end = -1;
    const int length = static_cast<int>(rest.size());
    for (int pos = 0; pos < length && end == -1; ++pos) {
      if (rest[pos] == '{' || rest[pos] == ' ') {
        if (begin != -1) end = pos - 1;
        if (rest[pos] == '{') break;
      } else if (begin == -1) {
        begin = pos;
      }
    }
    if (begin != -1 && end == -1) end = length - 1;
    if (begin == -1) return out;
    out.keys.push_back(rest.substr(begin, end - begin + 1));
    std::string subQuery;
    if (end + 1 < length && rest[end + 1] == '{') {
      std::vector<int> opens;
      std::vector<int> closes;
      for (int pos = 0; pos < length; ++pos) {
        if (rest[pos] == '{') opens.push_back(pos);
        if (rest[pos] == '}') closes.push_back(pos);
      }
      if (opens.size() != closes.size()) {
        out.result = KRO_E_FAIL;
        return out;
      }
      int close = closes[0];
      for (size_t i = 1; i < opens.size() && opens[i] < closes[i - 1]; ++i) close = closes[i];
      if (close < opens[0]) {
        out.result = KRO_E_FAIL;
        return out;
      }
      subQuery = rest.substr(opens[0] + 1, close - opens[0] - 1);
      end = close;
    }
    out.subQueries.push_back(subQuery);
    rest = rest.substr(end + 1);
  }
}

TEST(KroMmdODTQueryParser, AgreesWithAPairingOfEachRemainingText) {
  std::mt19937 random(7151u);
  const std::string alphabet = "ab {}} {";
  for (int round = 0; round < 20000; ++round) {
    std::string query;
    const int length = static_cast<int>(random() % 16);
    for (int i = 0; i < length; ++i) query += alphabet[random() % alphabet.size()];
    SCOPED_TRACE("query «" + query + "»");
    KroSysTraceRecorder recorder;
    KroListValKroUnicodeString keys;
    KroListValKroUnicodeString subQueries;
    const Outcome expected = ParseByTheBook(query);
    ASSERT_EQ(KroMmdODTQueryParser::Parse(query, keys, subQueries), expected.result);
    ASSERT_EQ(ToStrings(keys), expected.keys);
    ASSERT_EQ(ToStrings(subQueries), expected.subQueries);
    ASSERT_EQ(Chain(recorder), expected.result == KRO_S_OK ? "" : kPairsFailed);
  }
}

TEST(KroMmdODTQueryParser, SimplifiesEveryRunOfSpaces) {
  const std::vector<std::pair<const char*, const char*>> cases = {{"", ""},
                                                                  {"a", "a"},
                                                                  {"  ", " "},
                                                                  {"a     b", "a b"},
                                                                  {" a  b{  c}  ", " a b{ c} "},
                                                                  {"a\t\tb", "a\t\tb"}};
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(std::string("text «") + text + "»");
    EXPECT_EQ(KroMmdODTQueryParserTest::Simplify(text), KroUnicodeString(expected));
  }
}

TEST(KroMmdODTQueryParser, FindsTheOuterKeyFromAPosition) {
  struct Case {
    const char* text;
    int start;
    int begin;
    int end;
  };
  const std::vector<Case> cases = {
      {"abc def", 0, 0, 2}, {"abc def", 3, 4, 6}, {"abc def", 5, 5, 6},
      {"ab{c}", 0, 0, 1},   {" {a}", 0, -1, -1},  {"   ", 0, -1, 2},
      {"", 0, -1, -1},      {"ab", 9, -1, 1},     {"a}b c", 0, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("text «") + c.text + "» from " + std::to_string(c.start));
    EXPECT_EQ(KroMmdODTQueryParserTest::FindOuterKeyFrom(c.text, c.start),
              std::make_pair(c.begin, c.end));
  }
}

TEST(KroMmdODTQueryParser, FindsAllOccurrencesIncludingOverlappingOnes) {
  EXPECT_EQ(KroMmdODTQueryParserTest::FindAll("a{b{c}}{", "{"), (std::vector<uint32_t>{1, 3, 7}));
  EXPECT_EQ(KroMmdODTQueryParserTest::FindAll("aaaa", "aa"), (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_TRUE(KroMmdODTQueryParserTest::FindAll("abc", "{").empty());
  EXPECT_TRUE(KroMmdODTQueryParserTest::FindAll("abc", "").empty());
}

TEST(KroMmdODTQueryParser, PairsOnlyTheOutermostBraces) {
  std::vector<uint32_t> pairs;
  // a{b{c}d}e{f}: opens 1 3 9, closes 5 7 11.
  ASSERT_EQ(KroMmdODTQueryParserTest::Pairs({1, 3, 9}, {5, 7, 11}, pairs), KRO_S_OK);
  EXPECT_EQ(pairs, (std::vector<uint32_t>{1, 7, 9, 11}));
  ASSERT_EQ(KroMmdODTQueryParserTest::Pairs({0}, {1}, pairs), KRO_S_OK);
  EXPECT_EQ(pairs, (std::vector<uint32_t>{0, 1}));
}

TEST(KroMmdODTQueryParser, RefusesBracesThatDoNotPairUp) {
  struct Case {
    std::vector<uint32_t> opens;
    std::vector<uint32_t> closes;
    const char* chain;
  };
  const std::vector<Case> cases = {
      {{}, {}, "KroMmdODTQueryParser::_ComputeOuterPairsPositions:100"},
      {{}, {3}, "KroMmdODTQueryParser::_ComputeOuterPairsPositions:100"},
      {{1}, {}, "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200"},
      {{1, 2}, {3}, "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200"},
      // "x}{y": the only "}" comes before the only "{".
      {{2}, {1}, "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200"},
      // "{}}{": the second "}" closes nothing.
      {{0, 3}, {1, 2}, "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200"},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    KroSysTraceRecorder recorder;
    std::vector<uint32_t> pairs;
    EXPECT_EQ(KroMmdODTQueryParserTest::Pairs(cases[i].opens, cases[i].closes, pairs), KRO_E_FAIL);
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(Chain(recorder), cases[i].chain);
  }
}

}  // namespace
