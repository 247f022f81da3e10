// The geometric link stream format: the texts written for each type, the values handed to the
// hooks when reading, versions, tokens, numbers, Compare, the stages of every failure, and the
// ownership of the reading buffer.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <vector>

#include "KroMmdStreamGeomRefForODT.h"
#include "KroSysTraceRecorder.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

using Type = KroMmdStreamGeomRefForODT::MyGeoType;

// A box from (0, 0, 0) to (20, 10, 10) as feature "#1" of a document that lives for the whole
// run. Its top face lies at z = 10 and is written with the point (6.25, 5, 10).
const KroMfPart_var& BoxDocument() {
  static const KroMfPart_var* document =
      new KroMfPart_var(MakeDocument(KroBRepModel::MakeBox(20, 10, 10)));
  return *document;
}
KroBody_var BoxBody() { return BoxDocument()->GetBody(1); }
KroCell_var BoxTopFace() { return CellAt(BoxBody(), 2, KroMathPoint(6.25, 5, 10)); }
KroCell_var BoxOriginVertex() { return CellAt(BoxBody(), 0, KroMathPoint(0, 0, 0)); }

// A stream that reads within the box.
ScriptedGeomLink ReaderOnBox() {
  ScriptedGeomLink link;
  link.bodyToGive = BoxBody();
  return link;
}

// ---- Writing. ----

TEST(KroMmdStreamGeomRefForODT, WritesAFaceAsItsPointAndNormal) {
  ScriptedGeomLink link;
  link.type = KroMmdStreamGeomRefForODT::Face;
  link.subElement = MakeFakeFace(KroMathPoint(10, 0, 5), KroMathDirection(0, 0, 1));
  KroUnicodeString stream;
  ASSERT_EQ(link.StreamGeomLinkForODT(stream), KRO_S_OK);
  EXPECT_EQ(stream, KroUnicodeString(R"(3_3_#42_Face_10_0_5_0_0_1__)"));
}

TEST(KroMmdStreamGeomRefForODT, WritesAWholeFeatureWithoutSubElementFields) {
  ScriptedGeomLink link;
  link.type = KroMmdStreamGeomRefForODT::Feat;
  KroUnicodeString stream;
  ASSERT_EQ(link.StreamGeomLinkForODT(stream), KRO_S_OK);
  EXPECT_EQ(stream, KroUnicodeString(R"(3_3_#42_Feat__)"));
  EXPECT_FALSE(link.Called("GetSubElem"));
}

TEST(KroMmdStreamGeomRefForODT, WritesCoordinatesWithSixSignificantDigits) {
  ScriptedGeomLink link;
  link.type = KroMmdStreamGeomRefForODT::Face;
  link.subElement =
      MakeFakeFace(KroMathPoint(123.456789, -0.0000123456789, 1e20), KroMathDirection(0, -2, 0));
  KroUnicodeString stream;
  ASSERT_EQ(link.StreamGeomLinkForODT(stream), KRO_S_OK);
  EXPECT_EQ(stream, KroUnicodeString(R"(3_3_#42_Face_123.457_-1.23457e-05_1e+20_0_-1_0__)"));
}

TEST(KroMmdStreamGeomRefForODT, WritesEveryVertexWithTheSameFixedDirection) {
  ScriptedGeomLink link;
  link.type = KroMmdStreamGeomRefForODT::Vrtx;
  link.subElement = AsTopology(BoxOriginVertex());
  KroUnicodeString stream;
  ASSERT_EQ(link.StreamGeomLinkForODT(stream), KRO_S_OK);
  EXPECT_EQ(stream, KroUnicodeString(R"(3_3_#42_Vrtx_0_0_0_0.5_0.5_0.707107__)"));
}

TEST(KroMmdStreamGeomRefForODT, WritesTheLengthOfTheIdentifierInBytes) {
  ScriptedGeomLink link;
  link.identifier = "a_b\xC3\xA9";  // five bytes, one of them "_"
  link.specialized = "x_y";
  KroUnicodeString stream;
  ASSERT_EQ(link.StreamGeomLinkForODT(stream), KRO_S_OK);
  EXPECT_EQ(stream, KroUnicodeString("3_5_a_b\xC3\xA9_Feat_x_y_"));
}

struct WriteFailureCase {
  const char* name;
  void (*script)(ScriptedGeomLink&);
  std::vector<std::string> chain;
};

TEST(KroMmdStreamGeomRefForODT, TracesEachWritingFailureAndLeavesTheOutputAlone) {
  const std::string writer = "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT";
  const std::string subElem = "KroMmdStreamGeomRefForODT::WriteSubElem";
  const std::vector<WriteFailureCase> cases = {
      {"identifier hook fails",
       [](ScriptedGeomLink& l) { l.identifierResult = KRO_E_FAIL; },
       {writer + ":200"}},
      {"empty identifier",
       [](ScriptedGeomLink& l) { l.identifier = ""; },
       {"KroMmdStreamGeomRefForODT::WriteBodyIdentifier:100", writer + ":300"}},
      {"type hook fails",
       [](ScriptedGeomLink& l) { l.typeResult = KRO_E_FAIL; },
       {writer + ":400"}},
      {"type left unset",
       [](ScriptedGeomLink& l) { l.type = KroMmdStreamGeomRefForODT::NoGeoType; },
       {writer + ":400"}},
      {"type outside the table",
       [](ScriptedGeomLink& l) { l.type = static_cast<Type>(7); },
       {writer + ":400"}},
      {"sub-element hook fails",
       [](ScriptedGeomLink& l) {
         l.type = KroMmdStreamGeomRefForODT::Face;
         l.subElementResult = KRO_E_FAIL;
       },
       {subElem + ":100", writer + ":600"}},
      {"sub-element is a body, not a cell",
       [](ScriptedGeomLink& l) {
         l.type = KroMmdStreamGeomRefForODT::Face;
         l.subElement = KroTopology_var(BoxBody());
       },
       {subElem + ":200", writer + ":600"}},
      {"dimension 0 but not a vertex",
       [](ScriptedGeomLink& l) {
         l.type = KroMmdStreamGeomRefForODT::Vrtx;
         l.subElement = Own<KroTopology>(new FakeCell(0, KroMathPoint(), nullptr, true));
       },
       {subElem + ":300", writer + ":600"}},
      {"vertex without geometric point",
       [](ScriptedGeomLink& l) {
         l.type = KroMmdStreamGeomRefForODT::Vrtx;
         l.subElement = Own<KroTopology>(new FakeVertex(KroMathPoint(), false));
       },
       {subElem + ":400", writer + ":600"}},
      // Writing the start point instead would name another cell, or none.
      {"edge without a point",
       [](ScriptedGeomLink& l) {
         l.type = KroMmdStreamGeomRefForODT::Edge;
         l.subElement = Own<KroTopology>(new FakeCell(1, KroMathPoint(), nullptr, false));
       },
       {subElem + ":400", writer + ":600"}},
      {"specialised part hook fails",
       [](ScriptedGeomLink& l) { l.specializedResult = KRO_E_FAIL; },
       {writer + ":700"}},
  };
  for (const WriteFailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedGeomLink link;
    c.script(link);
    KroUnicodeString stream = "untouched";
    KroSysTraceRecorder recorder;
    EXPECT_EQ(link.StreamGeomLinkForODT(stream), KRO_E_FAIL);
    EXPECT_EQ(Chain(recorder), c.chain);
    EXPECT_EQ(stream, KroUnicodeString("untouched"));
  }
}

// ---- Reading. ----

struct RoundTripCase {
  const char* identifier;
  const char* specialized;
};

TEST(KroMmdStreamGeomRefForODT, HandsTheWrittenValuesBackToTheReadingHooks) {
  const RoundTripCase cases[] = {
      {"#42", ""}, {"a_b_c", "x_y_z"}, {"_", "__"}, {"~FF~10", "part with spaces"}, {"#1_", "_"}};
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.identifier);
    ScriptedGeomLink writer;
    writer.identifier = c.identifier;
    writer.specialized = c.specialized;
    writer.type = KroMmdStreamGeomRefForODT::Face;
    writer.subElement = AsTopology(BoxTopFace());
    KroUnicodeString stream;
    ASSERT_EQ(writer.StreamGeomLinkForODT(stream), KRO_S_OK);

    ScriptedGeomLink reader = ReaderOnBox();
    ASSERT_EQ(reader.ParseGeomLinkForODT(stream), KRO_S_OK);
    EXPECT_EQ(reader.receivedIdentifier, KroUnicodeString(c.identifier));
    EXPECT_EQ(reader.receivedType, KroMmdStreamGeomRefForODT::Face);
    ASSERT_TRUE(!!reader.receivedSubElement);
    EXPECT_EQ(reader.receivedSubElement->GetTag(), BoxTopFace()->GetTag());
    EXPECT_EQ(reader.receivedSpecialized, KroUnicodeString(c.specialized));
    EXPECT_EQ(reader.calls, (std::vector<std::string>{"ParseBodyIdentifier", "SetMyGeoType",
                                                      "SetSubElem", "SetSpecializedStream"}));
  }
}

TEST(KroMmdStreamGeomRefForODT, ReadsAWholeFeatureWithoutLookingForACell) {
  ScriptedGeomLink reader;  // no body at all: nothing may be searched in it
  ASSERT_EQ(reader.ParseGeomLinkForODT(R"(3_3_#42_Feat__)"), KRO_S_OK);
  EXPECT_EQ(reader.receivedType, KroMmdStreamGeomRefForODT::Feat);
  EXPECT_FALSE(reader.Called("SetSubElem"));
  EXPECT_EQ(reader.receivedSpecialized, KroUnicodeString(""));
}

TEST(KroMmdStreamGeomRefForODT, ReadsAnAxisAsAFace) {
  ScriptedGeomLink reader = ReaderOnBox();
  ASSERT_EQ(reader.ParseGeomLinkForODT(R"(3_2_#1_Axis_6.25_5_10_0_0_1__)"), KRO_S_OK);
  EXPECT_EQ(reader.receivedType, KroMmdStreamGeomRefForODT::Face);
  EXPECT_EQ(reader.receivedSubElement->GetTag(), BoxTopFace()->GetTag());
}

TEST(KroMmdStreamGeomRefForODT, ReadsAnUnknownTokenAsAVertex) {
  for (const char* token : {"Zzzz", "face", "Vlm_", "\xC3\xA9\xC3\xA9"}) {
    SCOPED_TRACE(token);
    ScriptedGeomLink reader = ReaderOnBox();
    const std::string stream = std::string("3_2_#1_") + token + "_0_0_0_0_0_1__";
    ASSERT_EQ(reader.ParseGeomLinkForODT(stream), KRO_S_OK);
    EXPECT_EQ(reader.receivedType, KroMmdStreamGeomRefForODT::Vrtx);
    EXPECT_EQ(reader.receivedSubElement->GetTag(), BoxOriginVertex()->GetTag());
  }
}

TEST(KroMmdStreamGeomRefForODT, RefusesAVersionAboveThreeBeforeAnyHook) {
  for (const char* stream : {R"(4_3_#42_Face_0_0_0_0_0_1__)", R"(12_3_#42_Feat__)"}) {
    SCOPED_TRACE(stream);
    ScriptedGeomLink reader;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(reader.ParseGeomLinkForODT(stream), KRO_E_FAIL);
    EXPECT_EQ(Chain(recorder),
              (std::vector<std::string>{"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT:300"}));
    EXPECT_TRUE(reader.calls.empty());
  }
}

TEST(KroMmdStreamGeomRefForODT, ReadsOlderVersionsWithoutTheSpecializedPart) {
  // Versions 1 and below carry no specialised part; what follows the sub-element is ignored.
  const char* streams[] = {R"(1_2_#1_Face_6.25_5_10_0_0_1_)", R"(1_2_#1_Face_6.25_5_10_0_0_1_xyz)",
                           R"(0_2_#1_Feat_)", R"(-3_2_#1_Feat_)", R"(x_2_#1_Feat_)"};
  for (const char* stream : streams) {
    SCOPED_TRACE(stream);
    ScriptedGeomLink reader = ReaderOnBox();
    EXPECT_EQ(reader.ParseGeomLinkForODT(stream), KRO_S_OK);
    EXPECT_FALSE(reader.Called("SetSpecializedStream"));
  }
}

TEST(KroMmdStreamGeomRefForODT, RefusesAnEmptyTextBeforeAnyHook) {
  ScriptedGeomLink reader;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(reader.ParseGeomLinkForODT(""), KRO_E_FAIL);
  EXPECT_EQ(Chain(recorder),
            (std::vector<std::string>{"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT:200"}));
  EXPECT_TRUE(reader.calls.empty());
}

struct ReadFailureCase {
  const char* name;
  const char* stream;
  void (*script)(ScriptedGeomLink&);
  std::vector<std::string> chain;
};

TEST(KroMmdStreamGeomRefForODT, TracesEachReadingFailureWithTheStageOfItsStep) {
  const std::string reader = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT";
  const std::string subElem = "KroMmdStreamGeomRefForODT::ReadSubElem";
  auto nothing = [](ScriptedGeomLink&) {};
  const std::vector<ReadFailureCase> cases = {
      {"body not found",
       R"(3_2_#1_Feat__)",
       [](ScriptedGeomLink& l) { l.parseBodyResult = KRO_E_FAIL; },
       {reader + ":500"}},
      {"type refused",
       R"(3_2_#1_Feat__)",
       [](ScriptedGeomLink& l) { l.setTypeResult = KRO_E_FAIL; },
       {reader + ":700"}},
      {"cell refused",
       R"(3_2_#1_Face_6.25_5_10_0_0_1__)",
       [](ScriptedGeomLink& l) { l.setSubElementResult = KRO_E_FAIL; },
       {reader + ":900"}},
      {"specialised part refused",
       R"(3_2_#1_Feat_abc_)",
       [](ScriptedGeomLink& l) { l.setSpecializedResult = KRO_E_FAIL; },
       {reader + ":1100"}},
      {"no face at the point", R"(3_2_#1_Face_50_50_50_0_0_1__)", nothing, {reader + ":800"}},
      {"no vertex at the point",
       R"(3_2_#1_Vrtx_50_50_50_0_0_1__)",
       nothing,
       {subElem + ":900", reader + ":800"}},
      {"first face of a volume not found",
       R"(3_2_#1_Vlme_50_50_50_0_0_1_6.25_5_0_0_0_-1__)",
       nothing,
       {reader + ":800"}},
      {"faces of no common volume",
       R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_10_0_0_1__)",
       nothing,
       {subElem + ":700", reader + ":800"}},
      {"no body to search in",
       R"(3_2_#1_Edge_0_0_5_0_0_1__)",
       [](ScriptedGeomLink& l) { l.bodyToGive = nullptr; },
       {subElem + ":800", reader + ":800"}},
  };
  for (const ReadFailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedGeomLink link = ReaderOnBox();
    c.script(link);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(link.ParseGeomLinkForODT(c.stream), KRO_E_FAIL);
    EXPECT_EQ(Chain(recorder), c.chain);
  }
}

TEST(KroMmdStreamGeomRefForODT, KeepsWhatHooksReceivedBeforeAFailure) {
  ScriptedGeomLink link = ReaderOnBox();
  link.setSubElementResult = KRO_E_FAIL;
  EXPECT_EQ(link.ParseGeomLinkForODT(R"(3_4_a_b__Face_6.25_5_10_0_0_1__)"), KRO_E_FAIL);
  EXPECT_EQ(link.receivedIdentifier, KroUnicodeString("a_b_"));
  EXPECT_EQ(link.receivedType, KroMmdStreamGeomRefForODT::Face);
  EXPECT_FALSE(link.Called("SetSpecializedStream"));
}

// ---- Fields. ----

struct DirectionCase {
  const char* fields;
  double x, y, z;
};

TEST(KroMmdStreamGeomRefForODT, NormalisesDirectionsWhenReading) {
  const DirectionCase cases[] = {
      {"0_0_0_", 1, 0, 0}, {"0_0_2_", 0, 0, 1}, {"3_4_0_", 0.6, 0.8, 0}, {"0_-5_0_", 0, -1, 0},
      {"x_y_z_", 1, 0, 0}, {"__-7_", 0, 0, -1}, {"nan_inf_1_", 0, 0, 1}, {"1e-200_0_0_", 1, 0, 0},
  };
  for (const DirectionCase& c : cases) {
    SCOPED_TRACE(c.fields);
    ScriptedGeomLink link;
    KroMmdStreamGeomRefForODTTestAccess::Load(link, c.fields);
    KroMathDirection direction(0, 1, 0);
    ASSERT_EQ(KroMmdStreamGeomRefForODTTestAccess::ReadDirection(link, direction), KRO_S_OK);
    EXPECT_DOUBLE_EQ(direction.GetX(), c.x);
    EXPECT_DOUBLE_EQ(direction.GetY(), c.y);
    EXPECT_DOUBLE_EQ(direction.GetZ(), c.z);
  }
}

TEST(KroMmdStreamGeomRefForODT, KeepsAUnitDirectionBitForBit) {
  ScriptedGeomLink link;
  KroMmdStreamGeomRefForODTTestAccess::Load(link, "0.6_0.8_0_");
  KroMathDirection direction;
  ASSERT_EQ(KroMmdStreamGeomRefForODTTestAccess::ReadDirection(link, direction), KRO_S_OK);
  EXPECT_EQ(direction.GetX(), 0.6);
  EXPECT_EQ(direction.GetY(), 0.8);
}

TEST(KroMmdStreamGeomRefForODT, ReadsCoordinatesThatAreNoNumberAsZero) {
  ScriptedGeomLink link;
  KroMmdStreamGeomRefForODTTestAccess::Load(link, "abc__7.5e1_rest");
  KroMathPoint point(9, 9, 9);
  ASSERT_EQ(KroMmdStreamGeomRefForODTTestAccess::ReadPoint(link, point), KRO_S_OK);
  EXPECT_EQ(point, KroMathPoint(0, 0, 75));
  EXPECT_EQ(KroMmdStreamGeomRefForODTTestAccess::Cursor(link), 11);
}

TEST(KroMmdStreamGeomRefForODT, StopsAFieldAtTheEndOfTheText) {
  ScriptedGeomLink link;
  KroMmdStreamGeomRefForODTTestAccess::Load(link, "1_2_3");
  KroMathPoint point;
  EXPECT_EQ(KroMmdStreamGeomRefForODTTestAccess::ReadPoint(link, point), KRO_E_FAIL);
  EXPECT_EQ(KroMmdStreamGeomRefForODTTestAccess::Cursor(link), 5);
  // At the end GetChar gives 0 and stays.
  EXPECT_EQ(KroMmdStreamGeomRefForODTTestAccess::GetChar(link), '\0');
  EXPECT_EQ(KroMmdStreamGeomRefForODTTestAccess::Cursor(link), 5);
}

struct SpecNameCase {
  const char* text;
  KroResult result;
  const char* name;  // expected name on success
  int cursor;        // cursor afterwards
};

TEST(KroMmdStreamGeomRefForODT, ReadsALengthPrefixedNameOnlyWithinTheText) {
  const SpecNameCase cases[] = {
      {"3_a_b_", KRO_S_OK, "a_b", 5},     {"0_abc", KRO_S_OK, "unset", 2},
      {"x_abc", KRO_S_OK, "unset", 2},    {"3_ab", KRO_E_FAIL, "unset", 2},
      {"-1_abc", KRO_E_FAIL, "unset", 3}, {"2147483647_ab", KRO_E_FAIL, "unset", 11},
      {"3", KRO_E_FAIL, "unset", 1},      {"2_ab", KRO_S_OK, "ab", 4},
  };
  for (const SpecNameCase& c : cases) {
    SCOPED_TRACE(c.text);
    ScriptedGeomLink link;
    KroMmdStreamGeomRefForODTTestAccess::Load(link, c.text);
    KroUnicodeString name = "unset";
    EXPECT_EQ(KroMmdStreamGeomRefForODTTestAccess::ReadSpecName(link, name), c.result);
    EXPECT_EQ(name, KroUnicodeString(c.name));
    EXPECT_EQ(KroMmdStreamGeomRefForODTTestAccess::Cursor(link), c.cursor);
  }
}

TEST(KroMmdStreamGeomRefForODT, WritesAndReadsNumbersWhateverTheProcessLocale) {
  const char* const locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "de_DE",       "fr_FR",      "ru_RU.UTF-8", "nl_NL.UTF-8"};
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* chosen = nullptr;
  for (const char* name : locales) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  ScriptedGeomLink writer;
  writer.type = KroMmdStreamGeomRefForODT::Face;
  writer.subElement = MakeFakeFace(KroMathPoint(6.25, 5, 10), KroMathDirection(0, 0, 1));
  KroUnicodeString stream;
  const KroResult written = writer.StreamGeomLinkForODT(stream);
  ScriptedGeomLink reader = ReaderOnBox();
  const KroResult read = reader.ParseGeomLinkForODT(stream);
  std::setlocale(LC_ALL, previous.c_str());
  ASSERT_EQ(written, KRO_S_OK);
  EXPECT_EQ(stream, KroUnicodeString(R"(3_3_#42_Face_6.25_5_10_0_0_1__)")) << chosen;
  ASSERT_EQ(read, KRO_S_OK);
  EXPECT_EQ(reader.receivedSubElement->GetTag(), BoxTopFace()->GetTag());
}

// ---- Compare. ----

struct CompareCase {
  const char* first;
  const char* second;
  KroResult result;
};

TEST(KroMmdStreamGeomRefForODT, ComparesEverythingButTheVersion) {
  const CompareCase cases[] = {
      {"3_3_#42_Face_10_0_5_0_0_1__", "2_3_#42_Face_10_0_5_0_0_1__", KRO_S_OK},
      {"3_3_#42_Face_10_0_5_0_0_1__", "3_3_#42_Face_10_0_5_0_0_1__", KRO_S_OK},
      {"3_3_#42_Face_10_0_5_0_0_1__", "3_3_#42_Face_10_0_6_0_0_1__", KRO_E_FAIL},
      {"3_3_#42_Face_10_0_5_0_0_1__", "3_3_#42_Face_10_0_5_0_0_1_", KRO_E_FAIL},
      {"3_3_#42_Feat__", "3_3_#43_Feat__", KRO_E_FAIL},
      {"", "", KRO_E_FAIL},        // no stream at all
      {"abc", "abc", KRO_E_FAIL},  // no separator: no stream either
      {"_", "3_", KRO_S_OK},
  };
  ScriptedGeomLink link;
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " vs " + c.second);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(link.Compare(c.first, c.second), c.result);
    EXPECT_TRUE(recorder.Entries().empty());
  }
}

// ---- Buffer ownership. ----

TEST(KroMmdStreamGeomRefForODT, CopiesOwnTheirBuffer) {
  ScriptedGeomLink original = ReaderOnBox();
  ASSERT_EQ(original.ParseGeomLinkForODT(R"(3_2_#1_Feat__)"), KRO_S_OK);
  ASSERT_TRUE(KroMmdStreamGeomRefForODTTestAccess::HasBuffer(original));

  auto* copy = new ScriptedGeomLink(original);
  ScriptedGeomLink assigned;
  assigned = original;
  EXPECT_NE(KroMmdStreamGeomRefForODTTestAccess::Buffer(*copy),
            KroMmdStreamGeomRefForODTTestAccess::Buffer(original));
  EXPECT_NE(KroMmdStreamGeomRefForODTTestAccess::Buffer(assigned),
            KroMmdStreamGeomRefForODTTestAccess::Buffer(original));
  // Each object frees only its own buffer, and a copy reads on after the original is reused.
  ASSERT_EQ(original.ParseGeomLinkForODT(R"(3_2_#1_Edge_0_0_5_0_0_1__)"), KRO_S_OK);
  delete copy;
  assigned = assigned;
  EXPECT_EQ(assigned.ParseGeomLinkForODT(R"(3_2_#1_Feat__)"), KRO_S_OK);
  ScriptedGeomLink empty;
  assigned = empty;
  EXPECT_FALSE(KroMmdStreamGeomRefForODTTestAccess::HasBuffer(assigned));
}

}  // namespace
