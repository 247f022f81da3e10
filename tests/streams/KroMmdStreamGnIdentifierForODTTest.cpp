// Text form of generic-naming identifiers: "#<decimal>" and "~<hex>~<hex>", both ways.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

const char* const kRead = "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:";
const char* const kWrite = "KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier:";

TEST(KroMmdStreamGnIdentifierForODT, WritesKindsOneAndThreeAndReadsThemBackButRefusesOthers) {
  const std::vector<std::pair<KroGnIdentifier, const char*>> cases = {
      {KroGnIdentifier(4294967295u), "#4294967295"},
      {KroGnIdentifier(0xFFFFFFFFu, 0xABCDEFu), "~FFFFFFFF~ABCDEF"},
      // Other kinds have no text: refused, with an empty output.
      {KroGnIdentifier(), ""},
      {KroGnIdentifier::OfKind(2, 1u, 2u), ""},
  };
  for (const auto& [id, text] : cases) {
    SCOPED_TRACE("kind " + std::to_string(id.GetKind()) + " written " + text);
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
    EXPECT_TRUE(back == id);
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
      // With both marks the text is read in the "~" form.
      {"#7~1~2", 0, KroGnIdentifier(1u, 2u)},
      {"~G~5", 1000, untouched},
      {"~100000000~1", 1000, untouched},
      // The first "~" is not found again as the second one when text stands before it.
      {"x~5", 1500, untouched},
      {"~5~G", 2000, untouched},
      {"42", 3000, untouched},
      {"#", 4000, untouched},
      {"#4294967296", 4000, untouched},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    KroSysTraceRecorder recorder;
    KroGnIdentifier id = untouched;
    const KroResult rc = KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(c.text, id);
    EXPECT_EQ(rc, c.stage == 0 ? KRO_S_OK : KRO_E_FAIL);
    EXPECT_TRUE(id == c.expected);
    EXPECT_EQ(recorder.ToString(), c.stage == 0 ? "" : kRead + std::to_string(c.stage));
  }
}

}  // namespace
