// The geometric link stream format: the texts written for each type, the values handed to the
// hooks when reading, versions, tokens, Compare, the stages of every failure, and the
// octet-sequence text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "KroMmdStreamGeomRefForODT.h"
#include "KroSysTraceRecorder.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

using Link = KroMmdStreamGeomRefForODT;

// Fault kept out: the reading half used to check every field but the cell that came back. The
// texts of faces, edges and volumes are fixed by the committed lists in tests/data/streams.
TEST(KroMmdStreamGeomRefForODT, WritesTheFieldsOfEachTypeAndHandsThemBackToTheReadingHooks) {
  const struct {
    const char* identifier;
    const char* specialized;
    Link::MyGeoType type;
    const char* text;
  } cases[] = {
      {"#42", "", Link::Feat, R"(3_3_#42_Feat__)"},
      // A vertex is always written with the same direction.
      {"#42", "", Link::Vrtx, R"(3_3_#42_Vrtx_0_0_0_0.5_0.5_0.707107__)"},
      // The length of the identifier is in bytes; it may hold "_", as the specialised part.
      {"a_b\xC3\xA9", "x_y", Link::Feat, "3_5_a_b\xC3\xA9_Feat_x_y_"},
  };
  const KroTopology_var origin = AsTopology(BoxOriginVertex());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const bool vertex = c.type == Link::Vrtx;
    ScriptedGeomLink writer;
    writer.identifier = c.identifier;
    writer.specialized = c.specialized;
    writer.type = c.type;
    writer.subElement = vertex ? origin : nullptr;
    KroUnicodeString stream;
    ASSERT_EQ(writer.StreamGeomLinkForODT(stream), KRO_S_OK);
    EXPECT_EQ(stream, KroUnicodeString(c.text));
    EXPECT_EQ(writer.Called("GetSubElem"), vertex);
    ScriptedGeomLink reader(BoxBody());
    ASSERT_EQ(reader.ParseGeomLinkForODT(stream), KRO_S_OK);
    EXPECT_EQ(reader.receivedIdentifier, KroUnicodeString(c.identifier));
    EXPECT_EQ(reader.receivedType, c.type);
    EXPECT_EQ(reader.receivedSpecialized, KroUnicodeString(c.specialized));
    EXPECT_EQ(reader.calls.front() + " " + reader.calls.back(),
              "ParseBodyIdentifier SetSpecializedStream");
    EXPECT_EQ(reader.Called("SetSubElem"), vertex);
    EXPECT_TRUE(reader.receivedSubElement.IsSame(vertex ? origin : nullptr));
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
      {"", "#42", Link::NoGeoType, nullptr, {writer + "400"}},
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
  const struct {
    std::string stream;
    Link::MyGeoType type;
    KroCell_var cell;
    bool specialized;  // whether the specialised part is handed over
  } cases[] = {
      {R"(3_2_#1_Axis_6.25_5_10_0_0_1__)", Link::Face, BoxTopFace(), true},
      // An unknown token is read as a vertex.
      {R"(3_2_#1_Zzzz_0_0_0_0_0_1__)", Link::Vrtx, BoxOriginVertex(), true},
      // A volume by two of its faces.
      {R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_0_0_0_-1__)", Link::Vlme, CellsOf(BoxBody(), 3)[0],
       true},
      // Versions 1 and below carry no specialised part; what follows the sub-element is ignored.
      {R"(1_2_#1_Face_6.25_5_10_0_0_1_xyz)", Link::Face, BoxTopFace(), false},
      {R"(-3_2_#1_Feat_)", Link::Feat, nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    ScriptedGeomLink reader(BoxBody());
    ASSERT_EQ(reader.ParseGeomLinkForODT(c.stream), KRO_S_OK);
    EXPECT_EQ(reader.receivedType, c.type);
    EXPECT_EQ(reader.Called("SetSubElem"), !!c.cell);
    EXPECT_TRUE(reader.receivedSubElement.IsSame(c.cell));
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
      // Fault: a version too large for an int read as version 0 and was accepted.
      {R"(99999999999_2_#1_Feat__)", "", {reader + "300"}},
      // A text cut in the identifier, then in the type token.
      {R"(3_2_#)", "", {reader + "400"}},
      {R"(3_2_#1_Fa)", "", {reader + "600"}},
      {R"(3_2_#1_Feat__)", "ParseBodyIdentifier", {reader + "500"}},
      {R"(3_2_#1_Feat__)", "SetMyGeoType", {reader + "700"}},
      {R"(3_2_#1_Face_6.25_5_10_0_0_1__)", "SetSubElem", {reader + "900"}},
      {R"(3_2_#1_Feat_abc_)", "SetSpecializedStream", {reader + "1100"}},
      {R"(3_2_#1_Face_50_50_50_0_0_1__)", "", {reader + "800"}},
      {R"(3_2_#1_Vrtx_50_50_50_0_0_1__)", "", {subElem + "900", reader + "800"}},
      // A volume whose faces share no volume.
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
    // The text, the version and the identifier are read before any hook is called.
    ASSERT_FALSE(recorder.Entries().empty());
    EXPECT_EQ(link.calls.empty(), recorder.Entries().back().stage < 500);
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
      {"abc", "abc", KRO_E_FAIL},  // no separator: no stream
  };
  ScriptedGeomLink link;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " vs " + c.second);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(link.Compare(c.first, c.second), c.result);
    EXPECT_TRUE(recorder.Entries().empty());
  }
}

// ---- Octet-sequence text: "[" items "]", quoted runs of displayable octets and decimal
// numbers. That the text of any sequence reads back to it is checked by the fuzz target
// fuzz_octets over its corpus.

using Octets = std::vector<uint8_t>;

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

TEST(KroMmdStreamGeomRefForODT, WritesOctetSequencesAsTextsThatReadBack) {
  const std::vector<std::pair<Octets, const char*>> cases = {
      {{}, R"([])"},
      {{0x41, 0x42, 0x00, 0x43}, R"(['AB',0,'C'])"},
      {Bytes("a'\\,b"), R"(['a\'\\,b'])"},
      {Bytes("[]\""), R"([91,93,34])"},
      {{0x1F, 0x20, 0x7E, 0x7F}, R"([31,' ~',127])"},
      {{0x80, 0xC3, 0xA9, 0xFF}, R"([128,195,169,255])"},
  };
  for (const auto& [octets, text] : cases) {
    SCOPED_TRACE(Show(octets));
    KroUnicodeString written = "left over";
    EXPECT_EQ(KroMmdStreamGeomRefForODT::GetStringFromSEQ(_SEQUENCE_octet(octets), written),
              KRO_S_OK);
    EXPECT_EQ(written.ToStdString(), text);
    Octets back;
    EXPECT_EQ(Read(text, back), KRO_S_OK);
    EXPECT_EQ(Show(back), Show(octets));
  }
}

TEST(KroMmdStreamGeomRefForODT, ReadsEveryOtherOctetTextOfTheTable) {
  const struct {
    std::string text;
    KroResult result;
    Octets octets;  // what the sequence holds afterwards
  } cases[] = {
      // A number keeps the low eight bits of its value, also when too long for an int: 10^20 - 1
      // is 255 modulo 256.
      {R"([-256,513])", KRO_S_OK, {0, 1}},
      {R"([99999999999999999999])", KRO_S_OK, {255}},
      {R"([1,, 7 ,8])", KRO_S_OK, {1, 7, 8}},
      // A number item is read as atoi reads it: it stops at the first character that is no digit.
      {R"([12x3])", KRO_S_OK, {12}},
      // Inside a run, a quote that is not followed by "," or "]" is dropped.
      {R"(['a'b'])", KRO_S_OK, Bytes("ab")},
      // The first "]" ends the text, after a backslash too.
      {R"(['a\])", KRO_S_OK, Bytes("a")},
      {std::string("['a\0b']", 7), KRO_S_OK, {'a', 0, 'b'}},
      // No closing "]": a failure, with the octets stored up to the end of the text; an
      // unfinished number is not stored.
      {R"([1,2)", KRO_E_FAIL, {1}},
      {R"(['ab)", KRO_E_FAIL, Bytes("ab")},
      // No "[" first: a failure with an empty sequence.
      {R"( [1])", KRO_E_FAIL, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("text " + c.text);
    Octets octets;
    EXPECT_EQ(Read(c.text, octets), c.result);
    EXPECT_EQ(Show(octets), Show(c.octets));
  }
}

}  // namespace
