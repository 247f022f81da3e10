// Splitting output-format queries into outer keys and sub-queries.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "KroMmdODTQueryParser.h"
#include "KroSysTraceRecorder.h"
#include "framework/KroMmdODTQueryParserByTheBook.h"

namespace {

using Strings = std::vector<std::string>;

Strings ToStrings(const KroListValKroUnicodeString& list) {
  Strings out;
  for (const KroUnicodeString& s : list) out.push_back(s.ToStdString());
  return out;
}

const char* const kPairsFailed =
    "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200 < KroMmdODTQueryParser::Parse:600";

struct ParseCase {
  const char* query;
  KroResult result;
  Strings keys;
  Strings subQueries;
};

TEST(KroMmdODTQueryParser, SplitsEveryQueryOfTheTable) {
  const ParseCase cases[] = {
      {"", KRO_S_OK, {}, {}},
      {"a b c", KRO_S_OK, {"a", "b", "c"}, {"", "", ""}},
      {"a{b c}d", KRO_S_OK, {"a", "d"}, {"b c", ""}},
      {"a{b{c} d} e", KRO_S_OK, {"a", "e"}, {"b{c} d", ""}},
      {"a{b   {c}    d}", KRO_S_OK, {"a"}, {"b {c} d"}},
      {"{b}", KRO_S_OK, {}, {}},
      {"a{}", KRO_S_OK, {"a"}, {""}},
      {"a{b", KRO_E_FAIL, {"a"}, {}},
      // A "}" before its "{" with equal counts used to give a pair that closes before it opens.
      {"x}{y", KRO_E_FAIL, {"x}"}, {}},
      // The braces are checked again from each key that carries a sub-query: a "}" that closes
      // nothing fails at the first such key after it, once the groups before it are read.
      {"a{b}}{c", KRO_E_FAIL, {"a", "}"}, {"b"}},
      // Only the counts of the text after the stop matter: its "{" makes up for the "}" of c}d.
      {"a{b} c}d {", KRO_S_OK, {"a", "c}d"}, {"b", ""}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(std::string("query «") + c.query + "»");
    KroSysTraceRecorder recorder;
    KroListValKroUnicodeString keys;
    KroListValKroUnicodeString subQueries;
    EXPECT_EQ(KroMmdODTQueryParser::Parse(c.query, keys, subQueries), c.result);
    EXPECT_EQ(ToStrings(keys), c.keys);
    EXPECT_EQ(ToStrings(subQueries), c.subQueries);
    EXPECT_EQ(recorder.ToString(), c.result == KRO_S_OK ? "" : kPairsFailed);
  }
}

// Fault: a sub-query parsed into the lists it came from was read after they had been emptied.
TEST(KroMmdODTQueryParser, ParsesASubQueryIntoTheListsItCameFrom) {
  KroListValKroUnicodeString keys;
  KroListValKroUnicodeString subQueries;
  keys.Append("stale");
  ASSERT_EQ(KroMmdODTQueryParser::Parse("value{support{bodyTag} topoTag}", keys, subQueries),
            KRO_S_OK);
  ASSERT_EQ(KroMmdODTQueryParser::Parse(subQueries[1], keys, subQueries), KRO_S_OK);
  EXPECT_EQ(ToStrings(keys), (Strings{"support", "topoTag"}));
  EXPECT_EQ(ToStrings(subQueries), (Strings{"bodyTag", ""}));
}

// Random brace soups, with a stray byte now and then: the parse ends and agrees with the
// transcription, trace chain included.
TEST(KroMmdODTQueryParser, AgreesWithAPairingOfEachRemainingText) {
  std::mt19937 random(7151u);
  const std::string alphabet = "ab {}} {";
  for (int round = 0; round < 20000; ++round) {
    std::string query;
    const int length = static_cast<int>(random() % 16);
    for (int i = 0; i < length; ++i) {
      query += random() % 16 ? alphabet[random() % alphabet.size()]
                             : static_cast<char>(1 + random() % 255);
    }
    SCOPED_TRACE("query «" + query + "»");
    KroSysTraceRecorder recorder;
    KroListValKroUnicodeString keys;
    KroListValKroUnicodeString subQueries;
    const KroTestParsedQuery expected = KroTestParseQueryByTheBook(query);
    ASSERT_EQ(KroMmdODTQueryParser::Parse(query, keys, subQueries), expected.result);
    ASSERT_EQ(ToStrings(keys), expected.keys);
    ASSERT_EQ(ToStrings(subQueries), expected.subQueries);
    ASSERT_EQ(recorder.ToString(), expected.result == KRO_S_OK ? "" : kPairsFailed);
  }
}

}  // namespace
