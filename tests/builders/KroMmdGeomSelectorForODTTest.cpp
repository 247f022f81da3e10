// Geometric selector stream: the exact texts of each type, read back to their cells; versions
// other than 0 and 1 refused; the stage of every failure, cut texts included; the scanner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroBrpGraph.h"
#include "KroMfGNServices.h"
#include "KroMmdBuilderTestSupport.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

using Selector = KroMmdGeomSelectorForODT;

const KroMfPart_var& Box() {
  static const KroMfPart_var* box =
      new KroMfPart_var(KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10)));
  return *box;
}

// The first element of the box's construction log: a support without a body.
KroBaseUnknown_var LogElement() {
  KroBrpGraph* graph = KroMfGNServices::GetGraph(Box());
  return KroBaseUnknown_var(graph->GetScope(KroGnIdentifier(1, 1))->GetAssociatedObject());
}

// A selector on the support, within the document when context is set.
void Prepare(Selector& selector, const KroMfPart_var& part, const KroBaseUnknown_var& support,
             bool context = true) {
  if (context) {
    ASSERT_EQ(selector.SetNamingContext(KroINamingContext_var(part)), KRO_S_OK);
  }
  ASSERT_EQ(selector.SetSupport(KroIGnAssociatedObject_var(support)), KRO_S_OK);
}

}  // namespace

TEST(KroMmdGeomSelectorForODT, WritesTheTextOfEachTypeAndReadsItBackToTheCell) {
  const KroMfPart_var cylinder = KroTestModelPart(KroBRepModel::MakeCylinder(5, 10));
  const struct {
    const KroMfPart_var& part;
    short dimension;
    int index;
    unsigned char axis;
    const char* text;
  } cases[] = {
      {Box(), 0, 2, 0, "1_Vrtx_0_0_0_0.5_0.5_0.707107_"},
      {Box(), 2, 6, 0, "1_Face_6.25_5_10_0_0_1_"},
      {Box(), 2, 6, 1, "1_Axis_6.25_5_10_0_0_1_"},  // the flag is the caller's
      {Box(), 3, 1, 0, "1_Wire_0.244949_5_5_1_0_0_"},
      {cylinder, 2, 1, 1, "1_Axis_1.91342_4.6194_5_0.382683_0.92388_-0_"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const KroCell_var cell = KroTestCell(c.part, c.dimension, c.index);
    Selector writer;
    Prepare(writer, c.part, c.part->GetFeature(1));
    ASSERT_EQ(writer.SetTopo(cell), KRO_S_OK);
    ASSERT_EQ(writer.SetIsAxis(c.axis), KRO_S_OK);
    KroUnicodeString text;
    ASSERT_EQ(writer.GetGeomSelectorStreamForODT(text), KRO_S_OK);
    EXPECT_EQ(text, KroUnicodeString(c.text));

    Selector reader;
    Prepare(reader, c.part, c.part->GetFeature(1));
    ASSERT_EQ(reader.SetGeomSelectorStreamForODT(text), KRO_S_OK);
    KroTopology_var found;
    unsigned char axis = 9;
    ASSERT_EQ(reader.GetTopo(found), KRO_S_OK);
    ASSERT_EQ(reader.GetIsAxis(axis), KRO_S_OK);
    EXPECT_EQ(found->GetTag(), cell->GetTag());
    EXPECT_EQ(axis, c.axis);
    ASSERT_EQ(reader.GetGeomSelectorStreamForODT(text), KRO_S_OK);  // written again as read
    EXPECT_EQ(text, KroUnicodeString(c.text));
  }
}

TEST(KroMmdGeomSelectorForODT, ReadsVersionsUpToOneAndAVolumeByTwoOfItsFaces) {
  const KroCell_var top = KroTestCell(Box(), 2, 6);
  const struct {
    const char* text;
    const KroCell_var cell;  // empty: refused with 300
  } cases[] = {
      {"0_Face_6.25_5_10_0_0_1_", top},
      {"x_Face_6.25_5_10_0_0_1_", top},  // no number reads as 0
      {"2_Face_6.25_5_10_0_0_1_", nullptr},
      {"3_2_#1_Face_6.25_5_10_0_0_1__", nullptr},  // a link stream
      {"1_Vlme_6.25_5_10_0_0_1_6.25_5_0_0_0_-1_", KroTestCell(Box(), 3, 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Selector reader;
    Prepare(reader, Box(), Box()->GetFeature(1));
    KroSysTraceRecorder recorder;
    ASSERT_EQ(reader.SetGeomSelectorStreamForODT(c.text), c.cell ? KRO_S_OK : KRO_E_FAIL);
    KroTopology_var found;
    ASSERT_EQ(reader.GetTopo(found), KRO_S_OK);
    if (c.cell) {
      EXPECT_EQ(found->GetTag(), c.cell->GetTag());
      // Fault: a volume read by its faces was written "Vlme" with one pair, which reads back
      // as nothing.
      KroUnicodeString again;
      ASSERT_EQ(reader.GetGeomSelectorStreamForODT(again), KRO_S_OK);
      EXPECT_EQ(again, KroUnicodeString(c.cell.IsSame(top) ? "1_Face_6.25_5_10_0_0_1_"
                                                           : "1_Wire_0.244949_5_5_1_0_0_"));
    } else {
      EXPECT_EQ(KroTestChainOf(recorder), "Sel::SetGeomSelectorStreamForODT:300");
    }
  }
}

TEST(KroMmdGeomSelectorForODT, TracesEachFailureWithTheStageOfItsStep) {
  const std::string read = "Sel::SetGeomSelectorStreamForODT:";
  const std::string subElem = "Sel::ReadSubElem:";
  const struct {
    const char* text;
    bool context;
    bool logElement;  // a support without a body
    std::string chain;
  } cases[] = {
      {"", false, false, read + "100"},  // before the text is looked at
      {"", true, false, read + "200"},
      {"1_Face_6.25_5", true, false, subElem + "100 < " + read + "600"},
      {"1_Face_6.25_5_10_0_0", true, false, subElem + "200 < " + read + "600"},
      {"1_Face_500_500_500_0_0_1_", true, false, read + "600"},
      {"1_Vrtx_500_500_500_0_0_1_", true, false, subElem + "900 < " + read + "600"},
      {"1_Face_6.25_5_10_0_0_1_", true, true, read + "500"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Selector reader;
    Prepare(reader, Box(), c.logElement ? LogElement() : KroBaseUnknown_var(Box()->GetFeature(1)),
            c.context);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(reader.SetGeomSelectorStreamForODT(c.text), KRO_E_FAIL);
    EXPECT_EQ(KroTestChainOf(recorder), c.chain);
  }
  // Every cut of a valid text fails in the step that reads its end.
  const std::string whole = "1_Face_6.25_5_10_0_0_1_";
  for (size_t length = 1; length < whole.size(); ++length) {
    SCOPED_TRACE(whole.substr(0, length));
    Selector reader;
    Prepare(reader, Box(), Box()->GetFeature(1));
    KroSysTraceRecorder recorder;
    EXPECT_EQ(reader.SetGeomSelectorStreamForODT(whole.substr(0, length).c_str()), KRO_E_FAIL);
    EXPECT_EQ(recorder.Entries().back().stage, length < 2 ? 300 : length < 7 ? 400 : 600);
  }
  // Writing needs a cell, whatever the axis flag says.
  Selector writer;
  Prepare(writer, Box(), Box()->GetFeature(1));
  ASSERT_EQ(writer.SetIsAxis(1), KRO_S_OK);
  KroUnicodeString text = "untouched";
  KroSysTraceRecorder recorder;
  EXPECT_EQ(writer.GetGeomSelectorStreamForODT(text), KRO_E_FAIL);
  EXPECT_EQ(writer.SetTopo(KroTopology_var(Box()->GetBody(1))), KRO_E_FAIL);
  EXPECT_EQ(KroTestChainOf(recorder), "Sel::GetGeomSelectorStreamForODT:200 < Sel::SetTopo:300");
  EXPECT_EQ(text, KroUnicodeString("untouched"));
}

// The scanners read what the readers read, up to the end of a volume's second pair (which a hand
// copy in the tool used to miss).
TEST(KroMmdGeomSelectorForODT, ScansTheFieldsAsTheReadersReadThem) {
  const struct {
    bool link;
    const char* text;
    bool complete, axis;
    int type, pointAt, endAt;
  } cases[] = {
      {false, "1_Axis_6.25_5_10_0_0_1_", true, true, Selector::Face, 8, 24},
      {false, "1_Vlme_1_2_3_0_0_1_4_5_6_0_0_1_", true, false, Selector::Vlme, 8, 32},
      {false, "1_Face_6.25_5", false, false, Selector::Face, 8, 0},
      {true, "3_2_#1_Vlme_1_2_3_0_0_1_4_5_6_0_0_1__", true, false, KroMmdStreamGeomRefForODT::Vlme,
       13, 37},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    KroMmdGeomCursorForODT::Fields fields;
    if (c.link) {
      KroMmdStreamGeomRefForODT::ScanGeomLinkForODT(c.text, fields);
    } else {
      Selector::ScanGeomSelectorForODT(c.text, fields);
    }
    EXPECT_EQ(fields.complete, c.complete);
    EXPECT_EQ(fields.axis, c.axis);
    EXPECT_EQ(fields.type, c.type);
    EXPECT_EQ(fields.pointAt, c.pointAt);
    EXPECT_EQ(fields.endAt, c.endAt);
  }
}
