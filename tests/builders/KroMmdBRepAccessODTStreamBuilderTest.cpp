// BRepAccess builder: every way of naming a cell written and read back on the sample part and a
// STEP model, in the same document and in a fresh load; the texts that are fixed; axes; the trace
// chains of reading without context, support or body; topos in a body.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroBRepDecode.h"
#include "KroBrpGraph.h"
#include "KroIBRepAccessPriv.h"
#include "KroMfGNServices.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdBuilderTestSupport.h"
#include "KroSysTraceRecorder.h"

namespace {

// The access of a cell, supported by the feature of its body.
KroIBRepAccess_var AccessOf(const KroMfPart_var& part, const KroCell_var& cell, bool axis = false) {
  KroBrpScope* scope = KroMfGNServices::GetGraph(part)->GetScope(cell->GetBody().get());
  const KroIGeometricalElement_var feature(scope->GetAssociatedObject());
  return axis ? KroBRepDecodeAxis(cell, feature) : KroBRepDecode(cell, feature);
}

std::string Write(const KroMfPart_var& part, const KroIBRepAccess_var& access, const char* query) {
  KroMmdBRepAccessODTStreamBuilder builder;
  KroUnicodeString stream;
  if (builder.SetContext(part) != KRO_S_OK || builder.SetBRepAccess(access) != KRO_S_OK ||
      builder.GetODTStream(query, stream) != KRO_S_OK)
    return "";
  return stream.ToStdString();
}

KroIBRepAccess_var Read(const KroMfPart_var& part, const std::string& stream) {
  KroMmdBRepAccessODTStreamBuilder builder;
  KroIBRepAccess_var access;
  if (builder.SetContext(part) == KRO_S_OK && builder.SetODTStream(stream.c_str()) == KRO_S_OK) {
    EXPECT_EQ(builder.GetBRepAccess(access), KRO_S_OK);
  }
  return access;
}

unsigned int TagOf(const KroIBRepAccess_var& access) {
  return access && access->GetTopology() ? access->GetTopology()->GetTag() : 0;
}

}  // namespace

// The first cells of each dimension of every body, by each way of naming: read back to the
// same cell in the writer, to the cell of the same tag in a fresh load, where the same text is
// written again.
TEST(KroMmdBRepAccessODTStreamBuilder, RoundTripsCellsByEveryWayOfNamingAlsoAfterAFreshLoad) {
  for (KroMfPart_var (*load)() : {KroTestSamplePart, KroTestStepPart}) {
    const KroMfPart_var writer = load();
    const KroMfPart_var fresh = load();
    for (int body = 1; body <= writer->GetBodyCount(); ++body) {
      for (short dimension = 0; dimension <= 3; ++dimension) {
        for (int index = 1; index <= 3; ++index) {
          const KroCell_var cell = KroTestCell(writer, dimension, index, body);
          if (!cell) continue;
          for (const char* query : {"support topoTag", "support topoId", "support brpEle",
                                    "support gnSelector", "support geomReroute"}) {
            const std::string stream = Write(writer, AccessOf(writer, cell), query);
            SCOPED_TRACE(stream);
            ASSERT_EQ(stream.find(R"({"support":{"bodyTag":")"), 0u);
            EXPECT_NE(stream.find(std::string("\"") + (query + 8) + "\":\""), std::string::npos);
            const KroIBRepAccess_var same = Read(writer, stream);
            ASSERT_EQ(TagOf(same), cell->GetTag());
            EXPECT_EQ(same->GetKindCode(), dimension);
            const KroIBRepAccess_var other = Read(fresh, stream);
            EXPECT_EQ(TagOf(other), cell->GetTag());
            EXPECT_EQ(Write(fresh, other, query), stream);
          }
        }
      }
    }
  }
}

TEST(KroMmdBRepAccessODTStreamBuilder, WritesTheTextsOfEachWayOfNaming) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  const KroIBRepAccess_var top = AccessOf(box, KroTestCell(box, 2, 6));
  const std::pair<const char*, const char*> cases[] = {
      {"", R"({"support":{"bodyTag":"1"},"topoTag":"8"})"},
      {"support{specId} topoId", R"({"support":{"specId":"#1"},"topoId":"8"})"},
      // The scope is element 1; its BRep objects follow, faces first.
      {"support brpEle", R"({"support":{"bodyTag":"1"},"brpEle":"*7"})"},
      {"support gnSelector",
       R"({"support":{"bodyTag":"1"},"gnSelector":"Face:Construction.Face.6"})"},
      // Asked for alone, the sub-element key comes before the mandatory support; such a stream
      // reads only once its support is known (find reads the support first).
      {"geomReroute", R"({"geomReroute":"1_Face_6.25_5_10_0_0_1_","support":{"bodyTag":"1"}})"},
  };
  for (const auto& [query, text] : cases) {
    SCOPED_TRACE(query);
    EXPECT_EQ(Write(box, top, query), text);
  }
}

// An axis is written by its face and "Axis" (the texts: KroMmdGeomSelectorForODT), read back as
// the face with the axis flag, and rebuilt as the axis; its report selector says "Axis". A plane
// face has no axis to rebuild.
TEST(KroMmdBRepAccessODTStreamBuilder, WritesAndRebuildsTheAxisOfAFaceOfRevolution) {
  const KroMfPart_var cylinder = KroTestModelPart(KroBRepModel::MakeCylinder(5, 10));
  const KroIBRepAccess_var axis = AccessOf(cylinder, KroTestCell(cylinder, 2, 1), true);
  ASSERT_TRUE(axis);
  EXPECT_EQ(Write(cylinder, axis, "gnSelector"),
            R"({"gnSelector":"Axis:Construction.Face.1","support":{"bodyTag":"1"}})");
  const KroIBRepAccess_var back = Read(cylinder, Write(cylinder, axis, "support geomReroute"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->GetKindCode(), KroIBRepAccess::kAxisKind);
  EXPECT_EQ(TagOf(back), 3u);

  KroMmdBRepAccessODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(cylinder), KRO_S_OK);
  ASSERT_EQ(builder.SetBRepAccess(AccessOf(cylinder, KroTestCell(cylinder, 2, 2))), KRO_S_OK);
  ASSERT_EQ(builder.SetIsAxis(1), KRO_S_OK);
  KroIBRepAccess_var none = axis;
  EXPECT_EQ(builder.GetBRepAccess(none), KRO_S_OK);
  EXPECT_FALSE(none);
}

// A stream written selector first cannot be read in one go (the support is not known yet when
// the selector is read: the first row of TracesEachReadingFailureWithItsChain); read after its
// support, it names the face.
TEST(KroMmdBRepAccessODTStreamBuilder, ReadsAStreamWrittenSelectorFirstOnlyAfterItsSupport) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  KroMmdBRepAccessODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"}})"), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(
                R"({"geomReroute":"1_Face_6.25_5_10_0_0_1_","support":{"bodyTag":"1"}})"),
            KRO_S_OK);
  unsigned int tag = 0;
  EXPECT_EQ(builder.GetTopoTag(tag), KRO_S_OK);
  EXPECT_EQ(tag, 8u);
}

// Reading a sub-element whose support, context or body is missing fails at its stage, never
// dereferencing the missing object.
TEST(KroMmdBRepAccessODTStreamBuilder, TracesEachReadingFailureWithItsChain) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  const std::string face = R"("1_Face_6.25_5_10_0_0_1_")";
  const std::string read = " < BRep::SetValueStream:";
  const std::string end = " < ODT::SetODTStream:400";
  const struct {
    bool context;
    bool support;  // the support set beforehand, as SetBRepAccess does
    std::string stream;
    std::string chain;
  } cases[] = {
      {true, false, R"({"geomReroute":)" + face + "}",
       "BRep::_SetGeomRerouteStream:200" + read + "500" + end},
      {false, true, R"({"geomReroute":)" + face + "}",
       "Sel::SetGeomSelectorStreamForODT:100 < BRep::_SetGeomRerouteStream:400" + read + "500" +
           end},
      // A log element is a support without a body.
      {true, false, R"({"support":{"gnId":"~1~1"},"geomReroute":)" + face + "}",
       "Sel::SetGeomSelectorStreamForODT:500 < BRep::_SetGeomRerouteStream:400" + read + "500" +
           end},
      {false, true, R"({"gnSelector":"Face:Construction.Face.6"})",
       "BRep::_SetGnSelectorStream:100" + read + "600" + end},
      {true, false, R"({"gnSelector":"Face:Construction.Face.6"})",
       "GNAO::GetScope:200 < BRep::_SetGnSelectorStream:300" + read + "600" + end},
      {true, true, R"({"gnSelector":"Face"})",
       "BRep::_SetGnSelectorStream:200" + read + "600" + end},
      {true, true, R"({"gnSelector":"Face:Construction.Face.7"})",
       "BRep::_SetGnSelectorStream:400" + read + "600" + end},
      {false, true, R"({"topoTag":"8"})", "BRep::_SetTopoTagStream:200" + read + "300" + end},
      {true, true, R"({"topoTag":"99"})", "BRep::_SetTopoTagStream:300" + read + "300" + end},
      {false, true, R"({"brpEle":"*7"})", "BRep::_SetBrpEleStream:200" + read + "400" + end},
      {true, true, R"({"SubElem":"8"})", "BRep::SetValueStream:6969" + end},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    KroMmdBRepAccessODTStreamBuilder builder;
    if (c.context) {
      ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
    }
    if (c.support) {
      KroMmdGNAOSpecODTStreamBuilder support;
      ASSERT_EQ(support.SetGNAO(KroIGnAssociatedObject_var(box->GetFeature(1))), KRO_S_OK);
      ASSERT_EQ(builder.SetSupport(support), KRO_S_OK);
    }
    EXPECT_EQ(KroTestReadFailure(builder, c.stream), c.chain);
  }
}

// The first topological object of the value becomes the cell, and its body the support's; a
// value that lists none keeps the cell, and a support without context fails with the cell
// taken all the same.
TEST(KroMmdBRepAccessODTStreamBuilder, SetsToposInBodyAndKeepsTheCellWhenTheValueHasNone) {
  const KroMfPart_var part = KroTestSamplePart();
  const KroCell_var cell = KroTestCell(part, 2, 3, 2);
  KroListValKroBaseUnknown_var one;
  one.Append(KroBaseUnknown_var(cell));
  KroListValKroBaseUnknown_var none;
  none.Append(KroBaseUnknown_var());  // an empty entry names nothing

  KroMmdBRepAccessODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"},"topoTag":"3"})"), KRO_S_OK);
  ASSERT_EQ(builder.SetToposInBody(KroMmrToposInBody(part->GetBody(2), none)), KRO_S_OK);
  unsigned int tag = 0;
  EXPECT_EQ(builder.GetTopoTag(tag), KRO_S_OK);
  EXPECT_EQ(tag, 3u);
  KroUnicodeString stream;
  ASSERT_EQ(builder.GetODTStream("support{specId}", stream), KRO_S_OK);
  EXPECT_EQ(stream, KroUnicodeString(R"({"support":{"specId":"#2"},"topoTag":"3"})"));

  ASSERT_EQ(builder.SetToposInBody(KroMmrToposInBody(part->GetBody(2), one)), KRO_S_OK);
  KroMmrToposInBody back;
  ASSERT_EQ(builder.GetToposInBody(back), KRO_S_OK);
  KroListPtrKroTopology topos;
  EXPECT_EQ(back.GetTopos(topos, 2, nullptr), KRO_S_OK);
  ASSERT_EQ(topos.Size(), 1);
  EXPECT_EQ(topos[1]->GetTag(), cell->GetTag());

  KroMmdBRepAccessODTStreamBuilder noContext;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(noContext.SetToposInBody(KroMmrToposInBody(part->GetBody(2), one)), KRO_E_FAIL);
  EXPECT_EQ(noContext.SetToposInBody(KroMmrToposInBody(nullptr, none)), KRO_E_FAIL);
  EXPECT_EQ(KroTestChainOf(recorder),
            "GNAO::SetBody:100 < BRep::SetToposInBody:300 < BRep::SetToposInBody:200");
  EXPECT_EQ(noContext.GetTopoTag(tag), KRO_S_OK);
  EXPECT_EQ(tag, cell->GetTag());
}
