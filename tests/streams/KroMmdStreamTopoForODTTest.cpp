// The topology stream: the texts of each kind of cell and of a whole body, their reading back
// within a naming context, the trace chains of its failures, and how cells are located from
// the geometry they are written with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
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

TEST(KroMmdStreamTopoForODT, WritesEachKindWithItsTokenAndReadsItBack) {
  KroBody_var body = BoxBody();
  const struct {
    KroCell_var cell;    // empty for the whole body
    std::string stream;  // a volume's point is any point inside it: only its start is checked
  } cases[] = {
      {nullptr, R"(3_2_#1_Feat__)"},
      {CellAt(body, 0, KroMathPoint(0, 0, 0)), R"(3_2_#1_Vrtx_0_0_0_0.5_0.5_0.707107__)"},
      {CellAt(body, 1, KroMathPoint(0, 0, 5)), R"(3_2_#1_Edge_0_0_5_0_0_1__)"},
      {CellAt(body, 2, KroMathPoint(6.25, 5, 10)), R"(3_2_#1_Face_6.25_5_10_0_0_1__)"},
      {CellsOf(body, 3).front(), R"(3_2_#1_Wire_)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    KroTopology_var topology = AsTopology(c.cell);
    KroMmdStreamTopoForODT stream;
    KroUnicodeString text;
    ASSERT_EQ(stream.GetStreamFromTopo(body, topology, text), KRO_S_OK);
    EXPECT_EQ(c.cell && c.cell->GetDimension() == 3 ? text.SubString(0, 12) : text,
              KroUnicodeString(c.stream));
    // The caller's values are replaced: a whole body gives an empty cell.
    KroBody_var bodyBack;
    KroTopology_var cellBack = AsTopology(CellsOf(body, 1).back());
    ASSERT_EQ(stream.GetTopoFromStream(text, ContextOf(BoxDocument()), bodyBack, cellBack),
              KRO_S_OK);
    EXPECT_TRUE(bodyBack.IsSame(body));
    EXPECT_TRUE(cellBack.IsSame(c.cell));
  }
}

TEST(KroMmdStreamTopoForODT, ReadsAVolumeGivenByTwoFaces) {
  KroMmdStreamTopoForODT stream;
  KroBody_var body;
  KroTopology_var cell;
  ASSERT_EQ(stream.GetTopoFromStream(R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_0_0_0_-1__)",
                                     ContextOf(BoxDocument()), body, cell),
            KRO_S_OK);
  EXPECT_TRUE(cell.IsSame(CellsOf(BoxBody(), 3).front()));
}

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
  const struct {
    const char* stream;
    bool withContext;
    std::vector<std::string> chain;
  } cases[] = {
      {R"(3_2_#1_Feat__)", false, {parseBody + "100", kLinkReader + "500", kTopoReader + "100"}},
      {R"(3_2_x1_Feat__)",
       true,
       {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:3000", parseBody + "200",
        kLinkReader + "500", kTopoReader + "100"}},
      {R"(3_2_#7_Feat__)", true, {parseBody + "300", kLinkReader + "500", kTopoReader + "100"}},
      // The body is found before these fail: the caller still sees its own values.
      {R"(3_2_#1)", true, {kLinkReader + "600", kTopoReader + "100"}},
      {R"(3_2_#1_Feat_abc_)",
       true,
       {"KroMmdStreamTopoForODT::SetSpecializedStream:100", kLinkReader + "1100",
        kTopoReader + "100"}},
      {R"(3_2_#1_Face_50_50_50_0_0_1__)", true, {kLinkReader + "800", kTopoReader + "100"}},
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
    EXPECT_EQ(Chain(recorder), c.chain);
    EXPECT_TRUE(callerBody.IsSame(body));
    EXPECT_TRUE(callerCell.IsSame(face));
  }
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
  ASSERT_EQ(stream.GetTopoFromStream(bodyText, ContextOf(BoxDocument()), readBody, none), KRO_S_OK);
  KroUnicodeString again;
  ASSERT_EQ(copy->GetStreamFromTopo(body, face, again), KRO_S_OK);
  EXPECT_EQ(again, faceText);
  delete copy;
  ASSERT_EQ(assigned.GetTopoFromStream(faceText, ContextOf(BoxDocument()), readBody, readCell),
            KRO_S_OK);
  EXPECT_TRUE(readCell.IsSame(face));
}

// ---- Locating cells from geometry: the tolerance of vertices, the order among near vertices,
// and the tangent of an edge and normal of a face written with their point.

// Reads the stream within the document; the cell that came back, or an empty reference.
KroTopology_var ReadCell(const KroMfPart_var& document, const KroUnicodeString& stream) {
  KroMmdStreamTopoForODT reader;
  KroBody_var body;
  KroTopology_var cell;
  if (reader.GetTopoFromStream(stream, ContextOf(document), body, cell) != KRO_S_OK) return nullptr;
  return cell;
}

TEST(KroMmdStreamGeomRefForODT, TakesAVertexOnlyStrictlyWithinTheTolerance) {
  const KroCell_var origin = CellAt(BoxDocument()->GetBody(1), 0, KroMathPoint(0, 0, 0));
  KroTopology_var near = ReadCell(BoxDocument(), R"(3_2_#1_Vrtx_0.0199_0_0_0.5_0.5_0.707107__)");
  ASSERT_TRUE(!!near);
  EXPECT_EQ(near->GetTag(), origin->GetTag());
  EXPECT_FALSE(ReadCell(BoxDocument(), R"(3_2_#1_Vrtx_0.02_0_0_0.5_0.5_0.707107__)"));
}

TEST(KroMmdStreamGeomRefForODT, TakesTheFirstVertexInBodyOrderAmongNearOnes) {
  // A box 0.01 thick: each vertex at x = 0 has a twin at x = 0.01.
  KroMfPart_var slab = MakeDocument(KroBRepModel::MakeBox(0.01, 10, 10));
  const std::vector<KroCell_var> vertices = CellsOf(slab->GetBody(1), 0);
  for (const double x : {0.001, 0.009}) {
    SCOPED_TRACE(x);
    // The first vertex in body order within the tolerance of the point wins, however near
    // another is.
    KroCell_var first;
    for (const KroCell_var& vertex : vertices) {
      KroMathPoint at;
      ASSERT_EQ(vertex->GetPointOnCell(at), KRO_S_OK);
      const double distance = at.DistanceTo(KroMathPoint(x, 0, 0));
      if (!first && distance < KroMmdGeomCursorForODT::_LocationTolerance) first = vertex;
    }
    ASSERT_TRUE(!!first);
    char stream[64];
    std::snprintf(stream, sizeof stream, "3_2_#1_Vrtx_%g_0_0_0.5_0.5_0.707107__", x);
    KroTopology_var found = ReadCell(slab, stream);
    ASSERT_TRUE(!!found);
    EXPECT_EQ(found->GetTag(), first->GetTag());
  }
}

TEST(KroMmdStreamGeomRefForODT, WritesTheTangentOfAnEdgeAndTheOutwardNormalOfAFace) {
  // A cylinder of radius 5 and height 10 on the z axis: two circles, a seam, a lateral face and
  // two planar caps.
  KroMfPart_var cylinder = MakeDocument(KroBRepModel::MakeCylinder(5, 10));
  KroBody_var body = cylinder->GetBody(1);
  for (short dimension : {1, 2}) {
    for (const KroCell_var& cell : CellsOf(body, dimension)) {
      KroMmdStreamTopoForODT writer;
      KroUnicodeString stream;
      KroTopology_var topology = AsTopology(cell);
      ASSERT_EQ(writer.GetStreamFromTopo(body, topology, stream), KRO_S_OK);
      SCOPED_TRACE(stream.ToStdString());
      const std::vector<double> n = NumbersOf(stream);  // x y z, then the direction
      const double radius = std::hypot(n[0], n[1]);
      EXPECT_NEAR(n[3] * n[3] + n[4] * n[4] + n[5] * n[5], 1.0, 1e-5);
      if (dimension == 1 && std::fabs(n[5]) < 1e-6) {
        EXPECT_NEAR(radius, 5, 1e-4) << "a circle: the tangent is perpendicular to the radius";
        EXPECT_NEAR(n[3] * n[0] + n[4] * n[1], 0.0, 1e-4);
      } else if (dimension == 1) {
        EXPECT_NEAR(std::fabs(n[5]), 1.0, 1e-6) << "the seam: a vertical line";
      } else if (std::fabs(n[2]) < 1e-6 || std::fabs(n[2] - 10) < 1e-6) {
        EXPECT_NEAR(n[5], n[2] < 5 ? -1.0 : 1.0, 1e-6)
            << "a cap: down at the bottom, up at the top";
      } else {
        EXPECT_NEAR(n[3], n[0] / radius, 1e-5) << "the lateral face: outward and radial";
        EXPECT_NEAR(n[4], n[1] / radius, 1e-5);
      }
    }
  }
}

}  // namespace
