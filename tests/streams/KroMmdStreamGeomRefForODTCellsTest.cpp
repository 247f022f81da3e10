// Locating cells from geometry: the tolerance of vertices and the order among near vertices,
// volumes given by two faces, and the tangent of an edge and normal of a face written with
// their point.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "KroMmdStreamGeomRefForODT.h"
#include "KroMmdStreamTopoForODT.h"
#include "KroSysTraceRecorder.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

// Reads the stream within the document; the cell that came back, or an empty reference.
KroTopology_var ReadCell(const KroMfPart_var& document, const KroUnicodeString& stream) {
  KroMmdStreamTopoForODT reader;
  KroBody_var body;
  KroTopology_var cell;
  if (reader.GetTopoFromStream(stream, ContextOf(document), body, cell) != KRO_S_OK) return nullptr;
  return cell;
}

TEST(KroMmdStreamGeomRefForODT, TakesAVertexOnlyStrictlyWithinTheTolerance) {
  KroMfPart_var box = MakeDocument(KroBRepModel::MakeBox(20, 10, 10));
  const KroCell_var origin = CellAt(box->GetBody(1), 0, KroMathPoint(0, 0, 0));

  KroTopology_var near = ReadCell(box, R"(3_2_#1_Vrtx_0.0199_0_0_0.5_0.5_0.707107__)");
  ASSERT_TRUE(!!near);
  EXPECT_EQ(near->GetTag(), origin->GetTag());

  KroSysTraceRecorder recorder;
  EXPECT_FALSE(ReadCell(box, R"(3_2_#1_Vrtx_0.02_0_0_0.5_0.5_0.707107__)"));
  EXPECT_EQ(Chain(recorder),
            (std::vector<std::string>{"KroMmdStreamGeomRefForODT::ReadSubElem:900",
                                      "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT:800",
                                      "KroMmdStreamTopoForODT::GetTopoFromStream:100"}));
}

TEST(KroMmdStreamGeomRefForODT, TakesTheFirstVertexInBodyOrderAmongNearOnes) {
  // A box 0.01 thick: each vertex at x = 0 has a twin at x = 0.01.
  KroMfPart_var slab = MakeDocument(KroBRepModel::MakeBox(0.01, 10, 10));
  const KroBody_var body = slab->GetBody(1);
  const KroCell_var atZero = CellAt(body, 0, KroMathPoint(0, 0, 0));
  const KroCell_var atTwin = CellAt(body, 0, KroMathPoint(0.01, 0, 0));
  ASSERT_TRUE(!!atZero && !!atTwin);
  int zeroIndex = 0, twinIndex = 0, index = 0;
  for (const KroCell_var& vertex : CellsOf(body, 0)) {
    ++index;
    if (vertex->GetTag() == atZero->GetTag()) zeroIndex = index;
    if (vertex->GetTag() == atTwin->GetTag()) twinIndex = index;
  }
  const KroCell_var& first = zeroIndex < twinIndex ? atZero : atTwin;
  const KroCell_var& second = zeroIndex < twinIndex ? atTwin : atZero;
  KroMathPoint secondPoint;
  second->GetPointOnCell(secondPoint);

  // The point is 0.001 from the second vertex and 0.009 from the first: the first still wins.
  KroMathPoint point(secondPoint.GetX() == 0 ? 0.001 : 0.009, 0, 0);
  KroUnicodeString stream = "3_2_#1_Vrtx_";
  KroUnicodeString x;
  x.BuildFromNum(point.GetX(), "%g");
  stream += x;
  stream += "_0_0_0.5_0.5_0.707107__";
  KroTopology_var found = ReadCell(slab, stream);
  ASSERT_TRUE(!!found);
  EXPECT_EQ(found->GetTag(), first->GetTag());
}

TEST(KroMmdStreamGeomRefForODT, FindsTheVolumeBoundedByTwoFaces) {
  KroMfPart_var box = MakeDocument(KroBRepModel::MakeBox(20, 10, 10));
  ScriptedGeomLink reader;
  reader.bodyToGive = box->GetBody(1);
  ASSERT_EQ(reader.ParseGeomLinkForODT(R"(3_2_#1_Vlme_6.25_5_10_0_0_1_6.25_5_0_0_0_-1__)"),
            KRO_S_OK);
  EXPECT_EQ(reader.receivedType, KroMmdStreamGeomRefForODT::Vlme);
  const KroCell_var volume = reader.receivedSubElement;
  ASSERT_TRUE(!!volume);
  EXPECT_EQ(volume->GetDimension(), 3);
  EXPECT_EQ(volume->GetTag(), CellsOf(box->GetBody(1), 3).front()->GetTag());
}

TEST(KroMmdStreamGeomRefForODT, WritesTheTangentOfAnEdgeAndTheOutwardNormalOfAFace) {
  // A cylinder of radius 5 and height 10 on the z axis: circles, a seam, a lateral face and
  // two planar caps.
  KroMfPart_var cylinder = MakeDocument(KroBRepModel::MakeCylinder(5, 10));
  KroBody_var body = cylinder->GetBody(1);
  int edges = 0, faces = 0;
  for (short dimension : {1, 2}) {
    for (const KroCell_var& cell : CellsOf(body, dimension)) {
      KroMmdStreamTopoForODT writer;
      KroTopology_var topology = AsTopology(cell);
      KroUnicodeString stream;
      ASSERT_EQ(writer.GetStreamFromTopo(body, topology, stream), KRO_S_OK);
      SCOPED_TRACE(stream.ToStdString());
      const SubElementFields fields = FieldsOf(stream);
      const double* d = fields.direction;
      EXPECT_NEAR(d[0] * d[0] + d[1] * d[1] + d[2] * d[2], 1.0, 1e-5);
      const double x = fields.point.GetX(), y = fields.point.GetY(), z = fields.point.GetZ();
      const double radius = std::hypot(x, y);
      if (dimension == 1 && std::fabs(d[2]) < 1e-6) {
        // A circle: the tangent is horizontal and perpendicular to the radius.
        ++edges;
        EXPECT_NEAR(radius, 5, 1e-4);
        EXPECT_NEAR(d[0] * x + d[1] * y, 0.0, 1e-4);
      } else if (dimension == 1) {
        // The seam: a vertical line.
        ++edges;
        EXPECT_NEAR(std::fabs(d[2]), 1.0, 1e-6);
      } else if (std::fabs(z) < 1e-6 || std::fabs(z - 10) < 1e-6) {
        // A cap: out of the material is down at the bottom and up at the top.
        ++faces;
        EXPECT_NEAR(d[2], z < 5 ? -1.0 : 1.0, 1e-6);
      } else {
        // The lateral face: the outward radial direction.
        ++faces;
        EXPECT_NEAR(d[0], x / radius, 1e-5);
        EXPECT_NEAR(d[1], y / radius, 1e-5);
        EXPECT_NEAR(d[2], 0.0, 1e-6);
      }
      KroTopology_var back = ReadCell(cylinder, stream);
      ASSERT_TRUE(!!back);
      EXPECT_EQ(back->GetTag(), cell->GetTag());
    }
  }
  EXPECT_EQ(edges, 3);
  EXPECT_EQ(faces, 3);
}

}  // namespace
