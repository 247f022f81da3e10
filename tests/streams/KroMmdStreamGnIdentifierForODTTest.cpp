// Text form of generic-naming identifiers: "#<decimal>" and "~<hex>~<hex>", both ways.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

const char* const kRead = "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:";
const char* const kWrite = "KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier:";

std::string Describe(const KroGnIdentifier& id) {
  uint32_t first = 0;
  uint32_t second = 0;
  if (KroSucceeded(id.GetULong32(first))) return "kind 1 (" + std::to_string(first) + ")";
  if (KroSucceeded(id.GetULong32X2(first, second))) {
    return "kind 3 (" + std::to_string(first) + ", " + std::to_string(second) + ")";
  }
  return "kind " + std::to_string(id.GetKind());
}

TEST(KroMmdStreamGnIdentifierForODT, WritesKindsOneAndThreeAndReadsThemBackButRefusesOthers) {
  const std::vector<std::pair<KroGnIdentifier, const char*>> cases = {
      {KroGnIdentifier(0u), "#0"},
      {KroGnIdentifier(4294967295u), "#4294967295"},
      {KroGnIdentifier(0u, 0u), "~0~0"},
      {KroGnIdentifier(255u, 10u), "~FF~A"},
      {KroGnIdentifier(0xFFFFFFFFu, 0xABCDEFu), "~FFFFFFFF~ABCDEF"},
      // Other kinds have no text: refused, with an empty output.
      {KroGnIdentifier(), ""},
      {KroGnIdentifier::OfKind(2, 1u, 2u), ""},
      {KroGnIdentifier::OfKind(-1, 1u, 2u), ""},
  };
  for (const auto& [id, text] : cases) {
    SCOPED_TRACE(Describe(id));
    const bool refused = *text == '\0';
    KroSysTraceRecorder recorder;
    KroUnicodeString written = "left over";
    EXPECT_EQ(KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(id, written),
              refused ? KRO_E_FAIL : KRO_S_OK);
    EXPECT_EQ(written.ToStdString(), text);
    EXPECT_EQ(recorder.ToString(), refused ? std::string(kWrite) + "6969" : "");
    KroGnIdentifier back;
    if (refused) continue;
    ASSERT_EQ(KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(text, back), KRO_S_OK);
    EXPECT_EQ(Describe(back), Describe(id));
  }
}

TEST(KroMmdStreamGnIdentifierForODT, ReadsEveryOtherTextOfTheTable) {
  const KroGnIdentifier untouched(0xDEADu, 0xBEEFu);
  const struct {
    const char* text;
    int stage;  // 0 when the text reads
    KroGnIdentifier expected;
  } cases[] = {
      {"#12abc", 0, KroGnIdentifier(12u)},
      {"~ff~a", 0, KroGnIdentifier(255u, 10u)},
      // With both marks the text is read in the "~" form, wherever the "#" stands.
      {"#7~1~2", 0, KroGnIdentifier(1u, 2u)},
      {"~1~2#7", 0, KroGnIdentifier(1u, 2u)},
      {"~G~5", 1000, untouched},
      {"~100000000~1", 1000, untouched},
      {"~1A", 1500, untouched},
      // The first "~" is not found again as the second one when text stands before it.
      {"x~5", 1500, untouched},
      {"~5~G", 2000, untouched},
      {"~1~100000000", 2000, untouched},
      {"", 3000, untouched},
      {"42", 3000, untouched},
      {"#", 4000, untouched},
      {"#-1", 4000, untouched},
      {"#4294967296", 4000, untouched},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    KroSysTraceRecorder recorder;
    KroGnIdentifier id = untouched;
    const KroResult rc = KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(c.text, id);
    EXPECT_EQ(rc, c.stage == 0 ? KRO_S_OK : KRO_E_FAIL);
    EXPECT_EQ(Describe(id), Describe(c.expected));
    EXPECT_EQ(recorder.ToString(), c.stage == 0 ? "" : kRead + std::to_string(c.stage));
  }
}

}  // namespace
