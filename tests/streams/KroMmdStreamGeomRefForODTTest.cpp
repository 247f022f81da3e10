// The geometric link stream format: the texts written for each type, the values handed to the
// hooks when reading, versions, tokens, directions, Compare, the stages of every failure, and
// the octet-sequence text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "KroMmdStreamGeomRefForODT.h"
#include "KroSysTraceRecorder.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

using Link = KroMmdStreamGeomRefForODT;

// Fault kept out: the reading half used to check every field but the cell that came back.
TEST(KroMmdStreamGeomRefForODT, WritesTheFieldsOfEachTypeAndHandsThemBackToTheReadingHooks) {
  enum ReadBack { kNotRead, kNoCell, kTopFace, kOrigin };  // what reading on the box gives
  const struct {
    const char* identifier;
    const char* specialized;
    Link::MyGeoType type;
    KroTopology_var subElement;
    const char* text;
    ReadBack cell;
  } cases[] = {
      {"#42", "", Link::Face, MakeFakeFace(KroMathPoint(10, 0, 5), KroMathDirection(0, 0, 1)),
       R"(3_3_#42_Face_10_0_5_0_0_1__)", kNotRead},
      {"#42", "", Link::Face, MakeFakeFace(KroMathPoint(10, 5, 10), KroMathDirection(0, 0, 1)),
       R"(3_3_#42_Face_10_5_10_0_0_1__)", kTopFace},
      {"#42", "", Link::Feat, nullptr, R"(3_3_#42_Feat__)", kNoCell},
      {"#42", "", Link::Face,  // six significant digits
       MakeFakeFace(KroMathPoint(123.456789, -0.0000123456789, 1e20), KroMathDirection(0, -2, 0)),
       R"(3_3_#42_Face_123.457_-1.23457e-05_1e+20_0_-1_0__)", kNotRead},
      {"#42", "", Link::Vrtx, AsTopology(BoxOriginVertex()),  // always the same direction
       R"(3_3_#42_Vrtx_0_0_0_0.5_0.5_0.707107__)", kOrigin},
      // The length of the identifier is in bytes; it may hold "_", as the specialised part.
      {"a_b\xC3\xA9", "x_y", Link::Feat, nullptr, "3_5_a_b\xC3\xA9_Feat_x_y_", kNoCell},
      {"_", "__", Link::Vrtx, AsTopology(BoxOriginVertex()),
       R"(3_1___Vrtx_0_0_0_0.5_0.5_0.707107____)", kOrigin},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ScriptedGeomLink writer;
    writer.identifier = c.identifier;
    writer.specialized = c.specialized;
    writer.type = c.type;
    writer.subElement = c.subElement;
    KroUnicodeString stream;
    ASSERT_EQ(writer.StreamGeomLinkForODT(stream), KRO_S_OK);
    EXPECT_EQ(stream, KroUnicodeString(c.text));
    EXPECT_EQ(writer.Called("GetSubElem"), c.type != Link::Feat);
    if (c.cell == kNotRead) continue;
    ScriptedGeomLink reader(BoxBody());
    ASSERT_EQ(reader.ParseGeomLinkForODT(stream), KRO_S_OK);
    EXPECT_EQ(reader.receivedIdentifier, KroUnicodeString(c.identifier));
    EXPECT_EQ(reader.receivedType, c.type);
    EXPECT_EQ(reader.receivedSpecialized, KroUnicodeString(c.specialized));
    EXPECT_EQ(reader.calls.front() + " " + reader.calls.back(),
              "ParseBodyIdentifier SetSpecializedStream");
    if (c.cell == kNoCell) {
      EXPECT_FALSE(reader.Called("SetSubElem"));
    } else {
      ASSERT_TRUE(!!reader.receivedSubElement);
      EXPECT_EQ(reader.receivedSubElement->GetTag(),
                (c.cell == kTopFace ? BoxTopFace() : BoxOriginVertex())->GetTag());
    }
  }
}

TEST(KroMmdStreamGeomRefForODT, TracesEachWritingFailureAndLeavesTheOutputAlone) {
  const std::string writer = "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT:";
  const std::string subElem = "KroMmdStreamGeomRefForODT::WriteSubElem:";
  const std::string identifier = "KroMmdStreamGeomRefForODT::WriteBodyIdentifier:";
  // A cell of dimension 0 that is no vertex, an edge and a vertex without a point (writing the
  // edge's start point instead would name another cell, or none).
  const KroTopology_var notAVertex = Own<KroTopology>(new FakeCell(0, {}, nullptr, true));
  const KroTopology_var noPoint = Own<KroTopology>(new FakeCell(1, {}, nullptr, false));
  const KroTopology_var noPointVertex = Own<KroTopology>(new FakeVertex());
  const struct {
    const char* failingHook;
    const char* identifier;
    Link::MyGeoType type;
    KroTopology_var subElement;
    std::vector<std::string> chain;
  } cases[] = {
      {"GetBodyIdentifier", "#42", Link::Feat, nullptr, {writer + "200"}},
      {"", "", Link::Feat, nullptr, {identifier + "100", writer + "300"}},
      {"GetMyGeoType", "#42", Link::Feat, nullptr, {writer + "400"}},
      {"", "#42", Link::NoGeoType, nullptr, {writer + "400"}},
      {"", "#42", static_cast<Link::MyGeoType>(7), nullptr, {writer + "400"}},
      {"GetSubElem", "#42", Link::Face, nullptr, {subElem + "100", writer + "600"}},
      {"", "#42", Link::Face, KroTopology_var(BoxBody()), {subElem + "200", writer + "600"}},
      {"", "#42", Link::Vrtx, notAVertex, {subElem + "300", writer + "600"}},
      {"", "#42", Link::Vrtx, noPointVertex, {subElem + "400", writer + "600"}},
      {"", "#42", Link::Edge, noPoint, {subElem + "400", writer + "600"}},
      {"GetSpecializedStream", "#42", Link::Feat, nullptr, {writer + "700"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chain.front());
    ScriptedGeomLink link;
    link.results[c.failingHook] = KRO_E_FAIL;
    link.identifier = c.identifier;
    link.type = c.type;
    link.subElement = c.subElement;
    KroUnicodeString stream = "untouched";
    KroSysTraceRecorder recorder;
    EXPECT_EQ(link.StreamGeomLinkForODT(stream), KRO_E_FAIL);
    EXPECT_EQ(Chain(recorder), c.chain);
    EXPECT_EQ(stream, KroUnicodeString("untouched"));
  }
}

TEST(KroMmdStreamGeomRefForODT, ReadsTokensAndVersions) {
  enum Cell { kNoCell, kTopFace, kOrigin, kVolume };
  const struct {
    std::string stream;
    Link::MyGeoType type;
    Cell cell;
    bool specialized;  // whether the specialised part is handed over
  } cases[] = {
      {R"(3_3_#42_Feat__)", Link::Feat, kNoCell, true},
      {R"(3_2_#1_Axis_6.25_5_10_0_0_1__)", Link::Face, kTopFace, true},
      // An unknown token is read as a vertex.
      {R"(3_2_#1_Zzzz_0_0_0_0_0_1__)", Link::Vrtx, kOrigin, true},
      {"3_2_#1_\xC3\xA9\xC3\xA9_0_0_0_0_0_1__", Link::Vrtx, kOrigin, true},
      // A volume by two of its faces.
      {R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_0_0_0_-1__)", Link::Vlme, kVolume, true},
      // Versions 1 and below carry no specialised part; what follows the sub-element is ignored.
      {R"(1_2_#1_Face_6.25_5_10_0_0_1_)", Link::Face, kTopFace, false},
      {R"(1_2_#1_Face_6.25_5_10_0_0_1_xyz)", Link::Face, kTopFace, false},
      {R"(-3_2_#1_Feat_)", Link::Feat, kNoCell, false},
      {R"(x_2_#1_Feat_)", Link::Feat, kNoCell, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    ScriptedGeomLink reader(BoxBody());
    ASSERT_EQ(reader.ParseGeomLinkForODT(c.stream), KRO_S_OK);
    EXPECT_EQ(reader.receivedType, c.type);
    EXPECT_EQ(reader.Called("SetSubElem"), c.cell != kNoCell);
    if (c.cell != kNoCell) {
      ASSERT_TRUE(!!reader.receivedSubElement);
      const KroCell_var cell = c.cell == kTopFace  ? BoxTopFace()
                               : c.cell == kOrigin ? BoxOriginVertex()
                                                   : CellsOf(BoxBody(), 3).front();
      EXPECT_EQ(reader.receivedSubElement->GetTag(), cell->GetTag());
    }
    EXPECT_EQ(reader.Called("SetSpecializedStream"), c.specialized);
  }
}

TEST(KroMmdStreamGeomRefForODT, TracesEachReadingFailureWithTheStageOfItsStep) {
  const std::string reader = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT:";
  const std::string subElem = "KroMmdStreamGeomRefForODT::ReadSubElem:";
  const struct {
    const char* stream;
    const char* failingHook;  // "body" for a reader without a body to search in
    std::vector<std::string> chain;
  } cases[] = {
      {"", "", {reader + "200"}},
      {R"(4_3_#42_Face_0_0_0_0_0_1__)", "", {reader + "300"}},
      {R"(12_3_#42_Feat__)", "", {reader + "300"}},
      // Fault: a version too large for an int read as version 0 and was accepted.
      {R"(99999999999_2_#1_Feat__)", "", {reader + "300"}},
      {R"(-99999999999_2_#1_Feat__)", "", {reader + "300"}},
      {R"(3_2_#1_Feat__)", "ParseBodyIdentifier", {reader + "500"}},
      {R"(3_2_#1_Feat__)", "SetMyGeoType", {reader + "700"}},
      {R"(3_2_#1_Face_6.25_5_10_0_0_1__)", "SetSubElem", {reader + "900"}},
      {R"(3_2_#1_Feat_abc_)", "SetSpecializedStream", {reader + "1100"}},
      {R"(3_2_#1_Face_50_50_50_0_0_1__)", "", {reader + "800"}},
      {R"(3_2_#1_Vrtx_50_50_50_0_0_1__)", "", {subElem + "900", reader + "800"}},
      // A volume whose first face is not found, then one whose faces share no volume.
      {R"(3_2_#1_Vlme_50_50_50_0_0_1_6.25_5_0_0_0_-1__)", "", {reader + "800"}},
      {R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_10_0_0_1__)", "", {subElem + "700", reader + "800"}},
      {R"(3_2_#1_Edge_0_0_5_0_0_1__)", "body", {subElem + "800", reader + "800"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    ScriptedGeomLink link(BoxBody());
    link.results[c.failingHook] = KRO_E_FAIL;
    if (std::string(c.failingHook) == "body") link.bodyToGive = nullptr;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(link.ParseGeomLinkForODT(c.stream), KRO_E_FAIL);
    EXPECT_EQ(Chain(recorder), c.chain);
    // The text and the version are checked before any hook is called.
    EXPECT_EQ(link.calls.empty(),
              c.chain.back() == reader + "200" || c.chain.back() == reader + "300");
  }
}

TEST(KroMmdStreamGeomRefForODT, NormalisesDirectionsWhenReading) {
  const struct {
    const char* fields;
    double x, y, z;
  } cases[] = {
      {"0_0_0_", 1, 0, 0},         {"0_0_2_", 0, 0, 1},      {"3_4_0_", 0.6, 0.8, 0},
      {"0.6_0.8_0_", 0.6, 0.8, 0},  // a unit direction is kept bit for bit
      {"0_-5_0_", 0, -1, 0},       {"x_y_z_", 1, 0, 0},      {"__-7_", 0, 0, -1},
      {"nan_inf_1_", 0, 0, 1},     {"1e-200_0_0_", 1, 0, 0}, {"0_0_-1e200_", 0, 0, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    KroMathDirection direction(0, 1, 0);
    ASSERT_EQ(GeomCursorProbe::ReadDirection(c.fields, direction), KRO_S_OK);
    EXPECT_EQ(direction.GetX(), c.x);
    EXPECT_EQ(direction.GetY(), c.y);
    EXPECT_EQ(direction.GetZ(), c.z);
  }
}

TEST(KroMmdStreamGeomRefForODT, ComparesEverythingButTheVersion) {
  const struct {
    const char* first;
    const char* second;
    KroResult result;
  } cases[] = {
      {"3_3_#42_Face_10_0_5_0_0_1__", "2_3_#42_Face_10_0_5_0_0_1__", KRO_S_OK},
      {"3_3_#42_Face_10_0_5_0_0_1__", "3_3_#42_Face_10_0_6_0_0_1__", KRO_E_FAIL},
      {"3_3_#42_Face_10_0_5_0_0_1__", "3_3_#42_Face_10_0_5_0_0_1_", KRO_E_FAIL},
      {"3_3_#42_Feat__", "3_3_#43_Feat__", KRO_E_FAIL},
      {"", "", KRO_E_FAIL},        // no stream at all
      {"abc", "abc", KRO_E_FAIL},  // no separator: no stream either
      {"_", "3_", KRO_S_OK},
  };
  ScriptedGeomLink link;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " vs " + c.second);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(link.Compare(c.first, c.second), c.result);
    EXPECT_TRUE(recorder.Entries().empty());
  }
}

// ---- Every cut of a valid stream fails with the stage of the step that was reading. Other
// hostile texts are seeds of the fuzz corpus (fuzz/corpus/geom_link), which the sanitized build
// replays.

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
    ScriptedGeomLink reader(BoxBody());
    KroSysTraceRecorder recorder;
    ASSERT_EQ(reader.ParseGeomLinkForODT(cut), KRO_E_FAIL);
    ASSERT_FALSE(recorder.Entries().empty());
    EXPECT_EQ(recorder.Entries().back().name, "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT");
    EXPECT_EQ(recorder.Entries().back().stage, StageOfCut(length));
  }
}

// ---- Octet-sequence text: "[" items "]", quoted runs of displayable octets and decimal
// numbers.

using Octets = std::vector<uint8_t>;

std::string Text(const Octets& octets) {
  KroUnicodeString text = "left over";
  EXPECT_EQ(KroMmdStreamGeomRefForODT::GetStringFromSEQ(_SEQUENCE_octet(octets), text), KRO_S_OK);
  return text.ToStdString();
}

std::string Show(const Octets& octets) {
  std::string out;
  for (uint8_t o : octets) out += (out.empty() ? "" : " ") + std::to_string(o);
  return "{" + out + "}";
}

Octets Bytes(const std::string& text) { return Octets(text.begin(), text.end()); }

// Reads the text into a sequence that held other octets; neither operation traces.
KroResult Read(const std::string& text, Octets& octets) {
  KroSysTraceRecorder recorder;
  _SEQUENCE_octet sequence(Octets{9, 9, 9});
  const KroResult result = KroMmdStreamGeomRefForODT::GetSEQFromString(text, sequence);
  octets = sequence.bytes();
  EXPECT_EQ(recorder.ToString(), "");
  return result;
}

TEST(KroMmdStreamGeomRefForODT, WritesAndReadsBackEveryOctetSequence) {
  const std::vector<std::pair<Octets, const char*>> cases = {
      {{}, R"([])"},
      {Bytes("abc"), R"(['abc'])"},
      {{0x41, 0x42, 0x00, 0x43}, R"(['AB',0,'C'])"},
      {{0x61, 0x27}, R"(['a\''])"},
      {Bytes("\\"), R"(['\\'])"},
      {Bytes(",a"), R"([',a'])"},
      {Bytes("[]\""), R"([91,93,34])"},
      {Bytes("a[b"), R"(['a',91,'b'])"},
      {{'a', 0, 'b', 1}, R"(['a',0,'b',1])"},
      {{0x1F, 0x20, 0x7E, 0x7F}, R"([31,' ~',127])"},
      {{0x80, 0xC3, 0xA9, 0xFF}, R"([128,195,169,255])"},
  };
  for (const auto& [octets, text] : cases) {
    SCOPED_TRACE(Show(octets));
    EXPECT_EQ(Text(octets), text);
    Octets back;
    EXPECT_EQ(Read(text, back), KRO_S_OK);
    EXPECT_EQ(Show(back), Show(octets));
  }
  // Every octet value, alone and all together in both orders.
  Octets all;
  for (int value = 0; value < 256; ++value) all.push_back(static_cast<uint8_t>(value));
  std::vector<Octets> sequences = {all, Octets(all.rbegin(), all.rend())};
  for (uint8_t value : all) sequences.push_back({value});
  for (const Octets& original : sequences) {
    SCOPED_TRACE(Show(original));
    const std::string text = Text(original);
    Octets back;
    ASSERT_EQ(Read(text, back), KRO_S_OK) << text;
    EXPECT_EQ(Show(back), Show(original)) << text;
  }
}

TEST(KroMmdStreamGeomRefForODT, ReadsEveryOtherOctetTextOfTheTable) {
  const struct {
    std::string text;
    KroResult result;
    Octets octets;  // what the sequence holds afterwards
  } cases[] = {
      {R"([-1])", KRO_S_OK, {255}},
      {R"([-256,513])", KRO_S_OK, {0, 1}},
      // A number too long for an int keeps the low eight bits of its value: 10^20 - 1 is 255
      // modulo 256.
      {R"([99999999999999999999])", KRO_S_OK, {255}},
      {R"([1,,2])", KRO_S_OK, {1, 2}},
      {R"([,])", KRO_S_OK, {}},
      {R"([ 7 ,8])", KRO_S_OK, {7, 8}},
      // A number item is read as atoi reads it: no digits gives 0, and it stops at the first
      // character that is no digit.
      {R"([x])", KRO_S_OK, {0}},
      {R"([12x3])", KRO_S_OK, {12}},
      // Inside a run, a quote that is not followed by "," or "]" is dropped.
      {R"(['a'b'])", KRO_S_OK, Bytes("ab")},
      // The first "]" ends the text, inside a run and after a backslash too.
      {R"(['a])", KRO_S_OK, Bytes("a")},
      {R"(['a\])", KRO_S_OK, Bytes("a")},
      {R"([1]['b'])", KRO_S_OK, {1}},
      {std::string("['a\0b']", 7), KRO_S_OK, {'a', 0, 'b'}},
      // No closing "]": a failure, with the octets stored up to the end of the text; an
      // unfinished number is not stored.
      {R"([)", KRO_E_FAIL, {}},
      {R"([1,2)", KRO_E_FAIL, {1}},
      {R"(['ab)", KRO_E_FAIL, Bytes("ab")},
      {R"(['a\)", KRO_E_FAIL, Bytes("a")},
      {R"(['a')", KRO_E_FAIL, Bytes("a")},
      // No "[" first: a failure with an empty sequence.
      {R"()", KRO_E_FAIL, {}},
      {R"(abc)", KRO_E_FAIL, {}},
      {R"( [1])", KRO_E_FAIL, {}},
      {R"(1,2])", KRO_E_FAIL, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("text " + c.text);
    Octets octets;
    EXPECT_EQ(Read(c.text, octets), c.result);
    EXPECT_EQ(Show(octets), Show(c.octets));
  }
}

}  // namespace
