// Hostile texts for the geometric link stream reader: every cut of a valid stream, lengths that
// point outside the text, broken tokens, non-ASCII bytes and random damage. Each fails with the
// stage of the step that was reading and never reads past the end of the text (the sanitizer
// build checks the last part).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "KroMmdStreamGeomRefForODT.h"
#include "KroMmdStreamTopoForODT.h"
#include "KroSysTraceRecorder.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

const std::string kReader = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT";

const KroMfPart_var& BoxDocument() {
  static const KroMfPart_var* document =
      new KroMfPart_var(MakeDocument(KroBRepModel::MakeBox(20, 10, 10)));
  return *document;
}

// The stage of the reader's step that reads the last character of a cut of kFaceStream.
const std::string kFaceStream = R"(3_2_#1_Face_6.25_5_10_0_0_1__)";
int StageOfCut(size_t length) {
  if (length < 2) return 300;   // "3_": version
  if (length < 6) return 400;   // "2_#1": length-prefixed identifier
  if (length < 12) return 600;  // "_Face_": type token and its separator
  if (length < 28) return 800;  // "6.25_5_10_0_0_1_": sub-element
  return 1100;                  // "_": specialised part
}

TEST(KroMmdStreamGeomRefForODT, FailsAtEveryCutOfAValidStream) {
  for (size_t length = 1; length < kFaceStream.size(); ++length) {
    const std::string cut = kFaceStream.substr(0, length);
    SCOPED_TRACE(cut);
    ScriptedGeomLink reader;
    reader.bodyToGive = BoxDocument()->GetBody(1);
    KroSysTraceRecorder recorder;
    ASSERT_EQ(reader.ParseGeomLinkForODT(cut), KRO_E_FAIL);
    ASSERT_FALSE(recorder.Entries().empty());
    EXPECT_EQ(recorder.Entries().back().name, kReader);
    EXPECT_EQ(recorder.Entries().back().stage, StageOfCut(length));
  }
}

struct HostileCase {
  const char* name;
  std::string text;
  int stage;  // stage of the reader's trace
};

TEST(KroMmdStreamGeomRefForODT, RefusesHostileTextsWithTheStageOfTheStepReadingThem) {
  const std::vector<HostileCase> cases = {
      {"length larger than the text", "3_999999_#1_Face_6.25_5_10_0_0_1__", 400},
      {"largest length", "3_2147483647_#1_Feat__", 400},
      {"negative length", "3_-2_#1_Feat__", 400},
      {"length one past the end", "3_9_#1_Feat_", 400},
      {"length without separator", "3_2", 400},
      {"length too large for any text", "3_99999999999999999999_#1_Feat__", 400},
      {"length that is no number", "3_x_#1_Feat__", 500},
      {"type token cut short", "3_2_#1_Fe", 600},
      {"type token without its separator", "3_2_#1_Feat", 600},
      {"identifier runs to the end", "3_2_#1", 600},
      {"point field without separator", "3_2_#1_Face_6.25_5_10", 800},
      {"direction cut short", "3_2_#1_Face_6.25_5_10_0_0", 800},
      {"volume without its second pair", "3_2_#1_Vlme_6.25_5_10_0_0_1_", 800},
      {"version 3 ending after the type token", "3_2_#1_Feat_", 1100},
      {"version 2 ending after the sub-element", "2_2_#1_Face_6.25_5_10_0_0_1_", 1100},
      {"specialised part without closing separator", "3_2_#1_Feat_x", 1100},
      {"non-empty specialised part", "3_2_#1_Feat_abc_", 1100},
      {"only separators", "________", 500},
      {"version alone", "3", 300},
      {"version and separator", "3_", 400},
      {"non-ASCII identifier", "3_2_\xC3\xA9_Feat__", 500},
      {"non-ASCII everywhere", "\xFF\xFE\xFD_\x80_\xC3\xA9", 500},
      {"zero bytes", std::string("3_2_#1_Fe\0t__", 13), 800},
      {"zero byte in a number", std::string("3_2_#1_Face_6\0.25_5_99_0_0_1__", 30), 800},
      {"identifier of nothing", "3_3_#99_Feat__", 500},
      {"huge text of separators", std::string(100000, '_'), 500},
      {"huge number field", "3_2_#1_Face_" + std::string(100000, '9') + "_50_50_0_0_1__", 800},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    KroMmdStreamTopoForODT stream;
    KroBody_var body;
    KroTopology_var cell;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(stream.GetTopoFromStream(c.text, ContextOf(BoxDocument()), body, cell), KRO_E_FAIL);
    const std::vector<KroSysTraceEntry>& entries = recorder.Entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries.back().name, "KroMmdStreamTopoForODT::GetTopoFromStream");
    EXPECT_EQ(entries[entries.size() - 2].name, kReader);
    EXPECT_EQ(entries[entries.size() - 2].stage, c.stage);
  }
}

TEST(KroMmdStreamGeomRefForODT, SurvivesRandomDamageToValidStreams) {
  const std::string valid[] = {R"(3_2_#1_Face_6.25_5_10_0_0_1__)",
                               R"(3_2_#1_Vrtx_0_0_0_0.5_0.5_0.707107__)",
                               R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_0_0_0_-1__)",
                               R"(3_2_#1_Feat__)", R"(1_2_#1_Edge_0_0_5_0_0_1_)"};
  std::mt19937 random(20240611);
  const char alphabet[] = "_0123456789-.e#~FVWAx\xC3\xFF";
  for (const std::string& text : valid) {
    for (int round = 0; round < 400; ++round) {
      std::string damaged = text;
      const int edits = 1 + static_cast<int>(random() % 4);
      for (int edit = 0; edit < edits && !damaged.empty(); ++edit) {
        const size_t at = random() % damaged.size();
        switch (random() % 3) {
          case 0:
            damaged.erase(at, 1 + random() % 3);
            break;
          case 1:
            damaged.insert(at, 1, alphabet[random() % (sizeof alphabet - 1)]);
            break;
          default:
            damaged[at] = alphabet[random() % (sizeof alphabet - 1)];
            break;
        }
      }
      SCOPED_TRACE(damaged);
      KroMmdStreamTopoForODT stream;
      KroBody_var body;
      KroTopology_var cell;
      if (stream.GetTopoFromStream(damaged, ContextOf(BoxDocument()), body, cell) == KRO_S_OK) {
        // Whatever was read names something real of the box.
        ASSERT_TRUE(!!body);
      }
    }
  }
}

}  // namespace
