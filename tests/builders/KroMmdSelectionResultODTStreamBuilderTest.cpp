// SelectionResult builder: cells read by tag and by geometric selector, "topoTags" replacing the
// list and "geomReroutes" adding to it; the chains of bad streams and of writes, which always
// fail; a selection whose document is let go everywhere else.
#include <gtest/gtest.h>

#include <string>

#include "KroMmdBuilderTestSupport.h"
#include "KroMmdSelectionResultODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {

// The tags of the cells that the builder gives, in order, or "no body".
std::string TagsOf(KroMmdSelectionResultODTStreamBuilder& builder) {
  KroMmrToposInBody topos;
  if (builder.GetToposInBody(topos) != KRO_S_OK) return "no body";
  KroListPtrKroTopology list;
  EXPECT_EQ(topos.GetTopos(list, 2, nullptr), KRO_S_OK);
  std::string tags;
  for (int i = 1; i <= list.Size(); ++i)
    tags += (i == 1 ? "" : " ") + std::to_string(list[i]->GetTag());
  return tags;
}

// The top face (tag 8) and the vertex at the origin of the box MakeBox(20, 10, 10).
const std::string kTop = R"("1_Face_6.25_5_10_0_0_1_")";
const std::string kOrigin = R"("1_Vrtx_0_0_0_0.5_0.5_0.707107_")";

}  // namespace

// One builder reads the streams in turn: "topoTags" replaces the list, "geomReroutes" adds to
// it, so reading it twice doubles what it added.
TEST(KroMmdSelectionResultODTStreamBuilder, ReplacesTheListByTagsAndAddsToItBySelectors) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  const std::string origin = std::to_string(KroTestCell(box, 0, 2)->GetTag());
  KroMmdSelectionResultODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
  const struct {
    std::string stream;
    std::string tags;
  } steps[] = {
      {R"({"support":{"bodyTag":"1"},"topoTags":[]})", ""},
      {R"({"topoTags":["8","3","8"]})", "8 3 8"},
      {R"({"geomReroutes":[)" + kTop + "," + kOrigin + "]}", "8 3 8 8 " + origin},
      {R"({"geomReroutes":[)" + kTop + "," + kOrigin + "]}",
       "8 3 8 8 " + origin + " 8 " + origin},
      {R"({"topoTags":[")" + origin + R"("]})", origin},
      {R"({"geomReroutes":[]})", origin},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.stream);
    ASSERT_EQ(builder.SetODTStream(step.stream.c_str()), KRO_S_OK);
    EXPECT_EQ(TagsOf(builder), step.tags);
  }
}

// Each bad stream fails with its chain and leaves what was read before it: the cells before a
// failing item stay, a list that cannot even be rendered leaves the list as it was.
TEST(KroMmdSelectionResultODTStreamBuilder, TracesEachBadStreamAndKeepsWhatCameBefore) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  const std::string tags = " < SelRes::SetValueStream:300 < ODT::SetODTStream:400";
  const std::string reroutes = " < SelRes::SetValueStream:400 < ODT::SetODTStream:400";
  const struct {
    bool context;
    bool read;  // {"support":{"bodyTag":"1"},"topoTags":["8"]} read first
    std::string stream;
    std::string chain;
    std::string tags;
  } cases[] = {
      {true, true, R"({"topoTags":["3","x"]})", "SelRes::_SetToposTagsStream:300" + tags, "3"},
      {true, true, R"({"topoTags":["3","99"]})", "SelRes::_SetToposTagsStream:400" + tags, "3"},
      // Items must be strings: a number stops the rendering of the member.
      {true, true, R"({"topoTags":["3",3]})",
       "ODT::_RWriteJSONList:6969 < ODT::_StringifyList:100 < ODT::_StringifyNode:300 < "
       "ODT::SetODTStream:200",
       "8"},
      {true, true, R"({"topoTags":"3"})",
       "ODT::ParseJSONList:100 < SelRes::_SetToposTagsStream:100" + tags, ""},
      {false, true, R"({"topoTags":["3"]})", "SelRes::_SetToposTagsStream:200" + tags, ""},
      {true, true, R"({"geomReroutes":["2_Face_6.25_5_10_0_0_1_"]})",
       "Sel::SetGeomSelectorStreamForODT:300 < SelRes::_SetGeomReroutesStream:500" + reroutes,
       "8"},
      {true, true, R"({"geomReroutes":[)" + kTop + R"(,"1_Face_500_0_0_0_0_1_"]})",
       "Sel::SetGeomSelectorStreamForODT:600 < SelRes::_SetGeomReroutesStream:500" + reroutes,
       "8 8"},
      {false, true, R"({"geomReroutes":[)" + kTop + "]}",
       "Sel::SetGeomSelectorStreamForODT:100 < SelRes::_SetGeomReroutesStream:500" + reroutes,
       "8"},
      // Members are read in text order: the support is not known yet.
      {true, false, R"({"geomReroutes":[)" + kTop + R"(],"support":{"bodyTag":"1"}})",
       "SelRes::_SetGeomReroutesStream:200" + reroutes, "no body"},
      {true, false, R"({"geomReroutes":[]})", "SelRes::_SetGeomReroutesStream:200" + reroutes,
       "no body"},
      {true, true, R"({"support":{"bodyTag":"7"}})",
       "GNAO::_SetBodyTagStream:400 < GNAO::SetValueStream:200 < ODT::SetODTStream:400 < "
       "SelRes::_SetSupportStream:200 < SelRes::SetValueStream:200 < ODT::SetODTStream:400",
       "no body"},
      {true, true, R"({"SubElems":[]})", "SelRes::SetValueStream:6969 < ODT::SetODTStream:400",
       "8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    KroMmdSelectionResultODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
    if (c.read) {
      ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"},"topoTags":["8"]})"),
                KRO_S_OK);
    }
    if (!c.context) {
      ASSERT_EQ(builder.SetContext(nullptr), KRO_S_OK);
    }
    {
      KroSysTraceRecorder recorder;
      EXPECT_EQ(builder.SetODTStream(c.stream.c_str()), KRO_E_FAIL);
      EXPECT_EQ(KroTestChainOf(recorder), c.chain);
    }
    EXPECT_EQ(TagsOf(builder), c.tags);
  }
}

// Neither list can be written ("topoTags" is not implemented, "geomReroutes" not accepted), so
// the group of the two is never complete: every write fails and leaves the stream as it was.
TEST(KroMmdSelectionResultODTStreamBuilder, FailsEveryWriteWhateverTheQuery) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  KroMmdSelectionResultODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"},"topoTags":["8"]})"), KRO_S_OK);
  const std::string fill =
      "SelRes::GetValueStream:300 < ODT::_MapGetValueStream:100 < "
      "ODT::_FillNextMandatoryInput:700 < ODT::_FillNextMandatoryInput:400 < "
      "ODT::_FillNextMandatoryInput:400 < ODT::_FillMandatoryInputs:300 < ODT::GetODTStream:600";
  const struct {
    const char* query;
    std::string chain;
  } cases[] = {
      {"", fill},
      {"support{specId}", fill},
      {"topoTags",
       "SelRes::GetValueStream:300 < ODT::_MapGetValueStream:100 < ODT::GetODTStream:500"},
      {"support geomReroutes",
       "SelRes::GetValueStream:6969 < ODT::_MapGetValueStream:100 < ODT::GetODTStream:500"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    KroSysTraceRecorder recorder;
    KroUnicodeString stream = "untouched";
    EXPECT_EQ(builder.GetODTStream(c.query, stream), KRO_E_FAIL);
    EXPECT_EQ(stream, KroUnicodeString("untouched"));
    EXPECT_EQ(KroTestChainOf(recorder), c.chain);
  }
}

// Fault: the list held plain pointers, so once the support named another document and the
// caller let the first go, GetToposInBody touched freed cells. The list keeps them alive (the
// sanitized build checks the reads), and lets them go with the builder.
TEST(KroMmdSelectionResultODTStreamBuilder, KeepsItsCellsAfterTheirDocumentIsLetGoElsewhere) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    KroMmdSelectionResultODTStreamBuilder builder;
    {
      const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
      ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
      ASSERT_EQ(builder.SetODTStream(
                    (R"({"support":{"bodyTag":"1"},"topoTags":["8"],"geomReroutes":[)" +
                     kOrigin + "]}")
                        .c_str()),
                KRO_S_OK);
    }
    const KroMfPart_var cylinder = KroTestModelPart(KroBRepModel::MakeCylinder(5, 10));
    ASSERT_EQ(builder.SetContext(cylinder), KRO_S_OK);
    ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"}})"), KRO_S_OK);
    // Nothing but the list holds the box now.
    KroMmrToposInBody topos;
    ASSERT_EQ(builder.GetToposInBody(topos), KRO_S_OK);
    KroListPtrKroTopology list;
    EXPECT_EQ(topos.GetTopos(list, 2, nullptr), KRO_S_OK);
    ASSERT_EQ(list.Size(), 2);
    EXPECT_EQ(list[1]->GetTag(), 8u);
    EXPECT_EQ(KroCell_var(list[2])->GetDimension(), 0);
    KroBody_var body;
    ASSERT_EQ(topos.GetBody(body), KRO_S_OK);
    EXPECT_EQ(KroMfPart::FromContext(body.get()), cylinder.get());
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}

// The value's cells are added to the list and stay there (the references of the query go
// back); a support without context refuses the body after the cells were added.
TEST(KroMmdSelectionResultODTStreamBuilder, AddsTheCellsOfToposInBody) {
  const KroMfPart_var part = KroTestSamplePart();
  KroListValKroBaseUnknown_var cells;
  cells.Append(KroBaseUnknown_var(KroTestCell(part, 2, 3, 2)));
  cells.Append(KroBaseUnknown_var());  // an empty entry names nothing
  cells.Append(KroBaseUnknown_var(KroTestCell(part, 1, 1, 2)));
  const std::string tags = std::to_string(KroTestCell(part, 2, 3, 2)->GetTag()) + " " +
                           std::to_string(KroTestCell(part, 1, 1, 2)->GetTag());

  KroMmdSelectionResultODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"}})"), KRO_S_OK);
  ASSERT_EQ(builder.SetToposInBody(KroMmrToposInBody(part->GetBody(2), cells)), KRO_S_OK);
  EXPECT_EQ(TagsOf(builder), tags);
  ASSERT_EQ(builder.SetToposInBody(KroMmrToposInBody(part->GetBody(2), cells)), KRO_S_OK);
  EXPECT_EQ(TagsOf(builder), tags + " " + tags);
  KroMmrToposInBody topos;
  KroBody_var body;
  ASSERT_EQ(builder.GetToposInBody(topos), KRO_S_OK);
  ASSERT_EQ(topos.GetBody(body), KRO_S_OK);
  EXPECT_EQ(body->GetTag(), part->GetBody(2)->GetTag());

  KroMmdSelectionResultODTStreamBuilder noContext;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(noContext.SetToposInBody(KroMmrToposInBody(part->GetBody(2), cells)), KRO_E_FAIL);
  EXPECT_EQ(noContext.SetToposInBody(KroMmrToposInBody(nullptr, cells)), KRO_E_FAIL);
  EXPECT_EQ(KroTestChainOf(recorder),
            "GNAO::SetBody:100 < SelRes::SetToposInBody:300 < SelRes::SetToposInBody:200");
}
