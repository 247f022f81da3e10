// Fuzz target of the output-format query parser: any bytes are parsed as a query. The keys,
// sub-queries, result and trace must be those of a plain transcription of the parse; a
// sub-query parsed into the very lists it came from must give what a copy of it gives.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "KroFuzzHarness.h"
#include "KroMmdODTQueryParser.h"
#include "KroSysTraceRecorder.h"
#include "framework/KroMmdODTQueryParserByTheBook.h"

namespace {

const char* const kPairsFailed =
    "KroMmdODTQueryParser::_ComputeOuterPairsPositions:200 < KroMmdODTQueryParser::Parse:600";

std::vector<std::string> ToStrings(const KroListValKroUnicodeString& list) {
  std::vector<std::string> out;
  for (const KroUnicodeString& s : list) out.push_back(s.ToStdString());
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  const KroTestParsedQuery expected = KroTestParseQueryByTheBook(input);

  KroListValKroUnicodeString keys;
  KroListValKroUnicodeString subQueries;
  KroSysTraceRecorder recorder;
  const KroResult rc = KroMmdODTQueryParser::Parse(input, keys, subQueries);
  KRO_FUZZ_CHECK(rc == expected.result, input);
  KRO_FUZZ_CHECK(ToStrings(keys) == expected.keys, input);
  KRO_FUZZ_CHECK(ToStrings(subQueries) == expected.subQueries, input);
  KRO_FUZZ_CHECK(recorder.ToString() == (rc == KRO_S_OK ? "" : kPairsFailed), input);
  if (rc != KRO_S_OK) return 0;

  // The first sub-query that has one, parsed again as a nested builder parses it.
  for (int i = 1; i <= subQueries.Size(); ++i) {
    if (subQueries[i].IsEmpty()) continue;
    const KroUnicodeString subQuery = subQueries[i];
    KroListValKroUnicodeString copyKeys;
    KroListValKroUnicodeString copySubQueries;
    const KroResult copyRc = KroMmdODTQueryParser::Parse(subQuery, copyKeys, copySubQueries);
    const KroResult ownRc = KroMmdODTQueryParser::Parse(subQueries[i], keys, subQueries);
    KRO_FUZZ_CHECK(ownRc == copyRc, subQuery.ToStdString());
    KRO_FUZZ_CHECK(ToStrings(keys) == ToStrings(copyKeys), subQuery.ToStdString());
    KRO_FUZZ_CHECK(ToStrings(subQueries) == ToStrings(copySubQueries), subQuery.ToStdString());
    break;
  }
  return 0;
}
