// The topology stream: the texts of each kind of cell and of a whole body, their reading back
// within a naming context, and the trace chains of its failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroMmdStreamTopoForODT.h"
#include "KroSysTraceRecorder.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

const std::string kTopoReader = "KroMmdStreamTopoForODT::GetTopoFromStream";
const std::string kLinkReader = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT";

// A box from (0, 0, 0) to (20, 10, 10), feature "#1" of its own document.
KroMfPart_var MakeBoxDocument() { return MakeDocument(KroBRepModel::MakeBox(20, 10, 10)); }

// A body of no document: it can be given but not named.
class LooseBody : public virtual KroBody {
 public:
  unsigned int GetTag() const override { return 1; }
  KroGeoFactory_var GetGeoFactory() const override { return nullptr; }
  KroResult GetAllCells(KroListPtrKroCell& cells, short) const override {
    cells.RemoveAll();
    return KRO_S_OK;
  }
  int GetCellCount(short) const override { return 0; }
  KroUnicodeString GetName() const override { return "Loose"; }
};

struct CellTextCase {
  short dimension;
  KroMathPoint at;
  const char* stream;
};

TEST(KroMmdStreamTopoForODT, WritesEachDimensionWithItsTokenAndReadsItBack) {
  KroMfPart_var box = MakeBoxDocument();
  KroBody_var body = box->GetBody(1);
  const CellTextCase cases[] = {
      {0, KroMathPoint(0, 0, 0), R"(3_2_#1_Vrtx_0_0_0_0.5_0.5_0.707107__)"},
      {1, KroMathPoint(0, 0, 5), R"(3_2_#1_Edge_0_0_5_0_0_1__)"},
      {2, KroMathPoint(6.25, 5, 10), R"(3_2_#1_Face_6.25_5_10_0_0_1__)"},
  };
  for (const CellTextCase& c : cases) {
    SCOPED_TRACE(c.stream);
    KroCell_var cell = CellAt(body, c.dimension, c.at);
    ASSERT_TRUE(!!cell);
    KroTopology_var topology = AsTopology(cell);
    KroMmdStreamTopoForODT stream;
    KroUnicodeString text;
    ASSERT_EQ(stream.GetStreamFromTopo(body, topology, text), KRO_S_OK);
    EXPECT_EQ(text, KroUnicodeString(c.stream));

    KroBody_var bodyBack;
    KroTopology_var cellBack;
    ASSERT_EQ(stream.GetTopoFromStream(text, ContextOf(box), bodyBack, cellBack), KRO_S_OK);
    EXPECT_TRUE(bodyBack.IsSame(body));
    EXPECT_TRUE(cellBack.IsSame(cell));
  }
}

TEST(KroMmdStreamTopoForODT, WritesAVolumeAsWireAndFindsTheVolumeAgain) {
  KroMfPart_var box = MakeBoxDocument();
  KroBody_var body = box->GetBody(1);
  KroCell_var volume = CellsOf(body, 3).front();
  KroTopology_var topology = AsTopology(volume);
  KroMmdStreamTopoForODT stream;
  KroUnicodeString text;
  ASSERT_EQ(stream.GetStreamFromTopo(body, topology, text), KRO_S_OK);
  EXPECT_EQ(text.SubString(0, 12), KroUnicodeString("3_2_#1_Wire_"));
  KroBody_var bodyBack;
  KroTopology_var cellBack;
  ASSERT_EQ(stream.GetTopoFromStream(text, ContextOf(box), bodyBack, cellBack), KRO_S_OK);
  EXPECT_TRUE(cellBack.IsSame(volume));
}

TEST(KroMmdStreamTopoForODT, WritesAWholeBodyAsAFeatureAndReadsItBackWithoutCell) {
  KroMfPart_var box = MakeBoxDocument();
  KroBody_var body = box->GetBody(1);
  KroTopology_var none;
  KroMmdStreamTopoForODT stream;
  KroUnicodeString text;
  ASSERT_EQ(stream.GetStreamFromTopo(body, none, text), KRO_S_OK);
  EXPECT_EQ(text, KroUnicodeString(R"(3_2_#1_Feat__)"));

  KroBody_var bodyBack;
  KroTopology_var cellBack = AsTopology(CellsOf(body, 2).front());
  ASSERT_EQ(stream.GetTopoFromStream(text, ContextOf(box), bodyBack, cellBack), KRO_S_OK);
  EXPECT_TRUE(bodyBack.IsSame(body));
  EXPECT_FALSE(cellBack);
}

TEST(KroMmdStreamTopoForODT, NamesEachBodyByTheIdentifierOfItsFeature) {
  KroMfPart_var sample;
  ASSERT_EQ(KroMfPart::CreateSamplePart(sample), KRO_S_OK);
  ASSERT_GE(sample->GetBodyCount(), 2);
  for (int index = 1; index <= sample->GetBodyCount(); ++index) {
    SCOPED_TRACE(index);
    KroBody_var body = sample->GetBody(index);
    KroTopology_var none;
    KroMmdStreamTopoForODT stream;
    KroUnicodeString text;
    ASSERT_EQ(stream.GetStreamFromTopo(body, none, text), KRO_S_OK);
    const std::string identifier = "#" + std::to_string(index);
    EXPECT_EQ(text.ToStdString(),
              "3_" + std::to_string(identifier.size()) + "_" + identifier + "_Feat__");
    KroBody_var bodyBack;
    KroTopology_var cellBack;
    ASSERT_EQ(stream.GetTopoFromStream(text, ContextOf(sample), bodyBack, cellBack), KRO_S_OK);
    EXPECT_TRUE(bodyBack.IsSame(body));
  }
}

TEST(KroMmdStreamTopoForODT, ReadsAVolumeGivenByTwoFaces) {
  KroMfPart_var box = MakeBoxDocument();
  KroMmdStreamTopoForODT stream;
  KroBody_var body;
  KroTopology_var cell;
  ASSERT_EQ(stream.GetTopoFromStream(R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_0_0_0_-1__)",
                                     ContextOf(box), body, cell),
            KRO_S_OK);
  EXPECT_TRUE(cell.IsSame(CellsOf(box->GetBody(1), 3).front()));
}

// ---- Failures. ----

TEST(KroMmdStreamTopoForODT, RefusesAnEmptyBodyBeforeWriting) {
  KroBody_var none;
  KroTopology_var cell;
  KroUnicodeString text = "untouched";
  KroMmdStreamTopoForODT stream;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(stream.GetStreamFromTopo(none, cell, text), KRO_E_FAIL);
  EXPECT_EQ(Chain(recorder),
            (std::vector<std::string>{"KroMmdStreamTopoForODT::GetStreamFromTopo:100"}));
  EXPECT_EQ(text, KroUnicodeString("untouched"));
}

TEST(KroMmdStreamTopoForODT, RefusesABodyOutsideAnyDocument) {
  KroBody_var loose = Own<KroBody>(new LooseBody());
  KroTopology_var cell;
  KroUnicodeString text = "untouched";
  KroMmdStreamTopoForODT stream;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(stream.GetStreamFromTopo(loose, cell, text), KRO_E_FAIL);
  EXPECT_EQ(Chain(recorder),
            (std::vector<std::string>{"KroMmdStreamTopoForODT::GetBodyIdentifier:100",
                                      "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT:200",
                                      "KroMmdStreamTopoForODT::GetStreamFromTopo:200"}));
  EXPECT_EQ(text, KroUnicodeString("untouched"));
}

struct ReadFailureCase {
  const char* name;
  const char* stream;
  bool withContext;
  std::vector<std::string> chain;
};

TEST(KroMmdStreamTopoForODT, TracesEachReadingFailureFromTheInnermostStep) {
  const std::string parseBody = "KroMmdStreamTopoForODT::ParseBodyIdentifier";
  const std::vector<ReadFailureCase> cases = {
      {"empty naming context",
       R"(3_2_#1_Feat__)",
       false,
       {parseBody + ":100", kLinkReader + ":500", kTopoReader + ":100"}},
      {"identifier of no form",
       R"(3_2_x1_Feat__)",
       true,
       {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:3000", parseBody + ":200",
        kLinkReader + ":500", kTopoReader + ":100"}},
      {"identifier of no feature",
       R"(3_2_#7_Feat__)",
       true,
       {parseBody + ":300", kLinkReader + ":500", kTopoReader + ":100"}},
      {"type token cut short", R"(3_2_#1_Fa)", true, {kLinkReader + ":600", kTopoReader + ":100"}},
      {"non-empty specialised part",
       R"(3_2_#1_Feat_abc_)",
       true,
       {"KroMmdStreamTopoForODT::SetSpecializedStream:100", kLinkReader + ":1100",
        kTopoReader + ":100"}},
      {"no cell at the point",
       R"(3_2_#1_Edge_50_50_50_0_0_1__)",
       true,
       {kLinkReader + ":800", kTopoReader + ":100"}},
      {"version above three",
       R"(4_2_#1_Feat__)",
       true,
       {kLinkReader + ":300", kTopoReader + ":100"}},
  };
  KroMfPart_var box = MakeBoxDocument();
  for (const ReadFailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    KroMmdStreamTopoForODT stream;
    KroBody_var body;
    KroTopology_var cell;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(
        stream.GetTopoFromStream(c.stream, c.withContext ? ContextOf(box) : nullptr, body, cell),
        KRO_E_FAIL);
    EXPECT_EQ(Chain(recorder), c.chain);
  }
}

TEST(KroMmdStreamTopoForODT, LeavesTheCallersBodyAndCellAloneWhenReadingFails) {
  KroMfPart_var box = MakeBoxDocument();
  const KroBody_var body = box->GetBody(1);
  const KroCell_var face = CellsOf(body, 2).front();
  // The body is found before the cell is missed: the caller still sees its own values.
  for (const char* text : {R"(3_2_#1_Face_50_50_50_0_0_1__)", R"(3_2_#1_Feat_x_)", R"(3_2_#1)"}) {
    SCOPED_TRACE(text);
    KroBody_var callerBody = body;
    KroTopology_var callerCell = AsTopology(face);
    KroMmdStreamTopoForODT stream;
    EXPECT_EQ(stream.GetTopoFromStream(text, ContextOf(box), callerBody, callerCell), KRO_E_FAIL);
    EXPECT_TRUE(callerBody.IsSame(body));
    EXPECT_TRUE(callerCell.IsSame(face));
  }
}

TEST(KroMmdStreamTopoForODT, StartsEachConversionAfresh) {
  KroMfPart_var box = MakeBoxDocument();
  KroBody_var body = box->GetBody(1);
  KroTopology_var face = AsTopology(CellAt(body, 2, KroMathPoint(6.25, 5, 10)));
  KroMmdStreamTopoForODT stream;
  KroUnicodeString faceText;
  ASSERT_EQ(stream.GetStreamFromTopo(body, face, faceText), KRO_S_OK);
  // A failed read, then a whole-body write: nothing of the failed read or of the face remains.
  KroBody_var ignoredBody;
  KroTopology_var ignoredCell;
  EXPECT_EQ(stream.GetTopoFromStream("3_2_#1_Edge_50_50_50_0_0_1__", ContextOf(box), ignoredBody,
                                     ignoredCell),
            KRO_E_FAIL);
  KroTopology_var none;
  KroUnicodeString bodyText;
  ASSERT_EQ(stream.GetStreamFromTopo(body, none, bodyText), KRO_S_OK);
  EXPECT_EQ(bodyText, KroUnicodeString(R"(3_2_#1_Feat__)"));
  // A copy made after a read gives the same results as the original.
  KroBody_var readBody;
  KroTopology_var readCell;
  ASSERT_EQ(stream.GetTopoFromStream(faceText, ContextOf(box), readBody, readCell), KRO_S_OK);
  KroMmdStreamTopoForODT copy(stream);
  KroUnicodeString again;
  ASSERT_EQ(copy.GetStreamFromTopo(readBody, readCell, again), KRO_S_OK);
  EXPECT_EQ(again, faceText);
}

}  // namespace
