// The topology stream: a whole body and its reading back within a naming context, the trace
// chains of its failures, and how cells are located from the geometry they are written with.
// The texts of every cell are fixed by tests/data/streams/sample-cells.txt.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "KroMmdStreamTopoForODT.h"
#include "KroSysTraceRecorder.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

const std::string kTopoReader = "KroMmdStreamTopoForODT::GetTopoFromStream:";
const std::string kLinkReader = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT:";

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

TEST(KroMmdStreamTopoForODT, RefusesToWriteABodyItCannotName) {
  KroMmdStreamTopoForODT stream;
  KroTopology_var cell;
  for (KroBody_var body : {KroBody_var(), Own<KroBody>(new LooseBody())}) {
    KroUnicodeString text = "untouched";
    KroSysTraceRecorder recorder;
    EXPECT_EQ(stream.GetStreamFromTopo(body, cell, text), KRO_E_FAIL);
    EXPECT_EQ(text, KroUnicodeString("untouched"));
    EXPECT_EQ(recorder.ToString(), body ? "KroMmdStreamTopoForODT::GetBodyIdentifier:100 < "
                                          "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT:200 < "
                                          "KroMmdStreamTopoForODT::GetStreamFromTopo:200"
                                        : "KroMmdStreamTopoForODT::GetStreamFromTopo:100");
  }
}

TEST(KroMmdStreamTopoForODT, TracesEachReadingFailureAndLeavesTheCallersValuesAlone) {
  const std::string parseBody = "KroMmdStreamTopoForODT::ParseBodyIdentifier:";
  const std::string link = " < " + kLinkReader + "500 < " + kTopoReader + "100";
  const struct {
    const char* stream;
    bool withContext;
    std::string chain;
  } cases[] = {
      {R"(3_2_#1_Feat__)", false, parseBody + "100" + link},
      {R"(3_2_x1_Feat__)", true,
       "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:3000 < " + parseBody + "200" +
           link},
      {R"(3_2_#7_Feat__)", true, parseBody + "300" + link},
      // The body is found before this fails: the caller still sees its own values.
      {R"(3_2_#1_Feat_abc_)", true,
       "KroMmdStreamTopoForODT::SetSpecializedStream:100 < " + kLinkReader + "1100 < " +
           kTopoReader + "100"},
  };
  const KroBody_var body = BoxBody();
  const KroCell_var face = CellsOf(body, 2).front();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    KroMmdStreamTopoForODT stream;
    KroBody_var callerBody = body;
    KroTopology_var callerCell = AsTopology(face);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(stream.GetTopoFromStream(c.stream, c.withContext ? ContextOf(BoxDocument()) : nullptr,
                                       callerBody, callerCell),
              KRO_E_FAIL);
    EXPECT_EQ(recorder.ToString(), c.chain);
    EXPECT_TRUE(callerBody.IsSame(body));
    EXPECT_TRUE(callerCell.IsSame(face));
  }
}

// A log element is a node of the naming graph without a body: its stream reads, to no body.
TEST(KroMmdStreamTopoForODT, ReadsANamingNodeWithoutABodyAsNoBody) {
  KroMmdStreamTopoForODT stream;
  KroBody_var body = BoxBody();
  KroTopology_var cell = AsTopology(BoxTopFace());
  ASSERT_EQ(stream.GetTopoFromStream(R"(3_4_~1~2_Feat__)", ContextOf(BoxDocument()), body, cell),
            KRO_S_OK);
  EXPECT_FALSE(body);
  EXPECT_FALSE(cell);
}

TEST(KroMmdStreamTopoForODT, StartsEachConversionAfresh) {
  KroBody_var body = BoxBody();
  KroTopology_var face = AsTopology(CellAt(body, 2, KroMathPoint(6.25, 5, 10)));
  KroMmdStreamTopoForODT stream;
  KroUnicodeString faceText, bodyText;
  KroBody_var readBody;
  KroTopology_var readCell, none;
  ASSERT_EQ(stream.GetStreamFromTopo(body, face, faceText), KRO_S_OK);
  ASSERT_EQ(stream.GetStreamFromTopo(body, none, bodyText), KRO_S_OK);
  EXPECT_EQ(bodyText, KroUnicodeString(R"(3_2_#1_Feat__)")) << "nothing of the face remains";
  // Copies made after a read have their own buffer: each frees only its own, and they read on
  // after the original is reused.
  ASSERT_EQ(stream.GetTopoFromStream(faceText, ContextOf(BoxDocument()), readBody, readCell),
            KRO_S_OK);
  auto* copy = new KroMmdStreamTopoForODT(stream);
  KroMmdStreamTopoForODT assigned;
  assigned = stream;
  assigned = assigned;
  // A whole body reads back to the body and an empty cell, whatever cell the caller held.
  ASSERT_EQ(stream.GetTopoFromStream(bodyText, ContextOf(BoxDocument()), readBody, readCell),
            KRO_S_OK);
  EXPECT_TRUE(readBody.IsSame(body) && !readCell);
  KroUnicodeString again;
  ASSERT_EQ(copy->GetStreamFromTopo(body, face, again), KRO_S_OK);
  EXPECT_EQ(again, faceText);
  delete copy;
  ASSERT_EQ(assigned.GetTopoFromStream(faceText, ContextOf(BoxDocument()), readBody, readCell),
            KRO_S_OK);
  EXPECT_TRUE(readCell.IsSame(face));
}

// ---- Locating cells from geometry: the direction that tells apart the cells through one point.

// Fault kept out: a reader that left the direction out of the search took the first cell
// through the point, whatever the stream's direction said.
TEST(KroMmdStreamGeomRefForODT, TellsCellsThroughTheSamePointApartByTheirDirection) {
  const KroBody_var body = BoxBody();
  const std::pair<const char*, KroCell_var> rows[] = {
      // The top face (normal +z) and the front face (normal -y) meet at the point.
      {R"(3_2_#1_Face_5_0_10_0_0_1__)", BoxTopFace()},
      {R"(3_2_#1_Face_5_0_10_0_-1_0__)", CellAt(body, 2, KroMathPoint(6.25, 0, 5))},
      // Three edges meet at the origin; the tangent names one, either way along it.
      {R"(3_2_#1_Edge_0_0_0_1_0_0__)", CellAt(body, 1, KroMathPoint(10, 0, 0))},
      {R"(3_2_#1_Edge_0_0_0_0_-1_0__)", CellAt(body, 1, KroMathPoint(0, 5, 0))},
      // Directions are normalised; a field that is no finite number reads as 0, and no
      // direction at all as (1, 0, 0).
      {R"(3_2_#1_Face_5_0_10_nan_inf_3__)", BoxTopFace()},
      {R"(3_2_#1_Face_5_0_10_0_-1e200_0__)", CellAt(body, 2, KroMathPoint(6.25, 0, 5))},
      {R"(3_2_#1_Edge_0_0_0_x_0_0__)", CellAt(body, 1, KroMathPoint(10, 0, 0))},
  };
  for (const auto& [stream, expected] : rows) {
    SCOPED_TRACE(stream);
    ASSERT_TRUE(!!expected);
    KroMmdStreamTopoForODT reader;
    KroBody_var found;
    KroTopology_var cell;
    ASSERT_EQ(reader.GetTopoFromStream(stream, ContextOf(BoxDocument()), found, cell), KRO_S_OK);
    EXPECT_TRUE(cell.IsSame(expected));
  }
}

}  // namespace
