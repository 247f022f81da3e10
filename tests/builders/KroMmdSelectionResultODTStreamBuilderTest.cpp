// SelectionResult builder: "topoTags" replacing the list and "geomReroutes" adding to it; the
// chains of bad streams and of writes, which always fail; a selection whose document is let go.
#include <gtest/gtest.h>

#include <string>

#include "KroMmdBuilderTestSupport.h"
#include "KroMmdSelectionResultODTStreamBuilder.h"
#include "KroSysTraceRecorder.h"

namespace {

// The tags of the cells that the builder gives, in order, or "no body".
std::string TagsOf(KroMmdSelectionResultODTStreamBuilder& builder) {
  KroMmrToposInBody topos;
  KroListPtrKroTopology list;
  if (builder.GetToposInBody(topos) != KRO_S_OK) return "no body";
  EXPECT_EQ(topos.GetTopos(list, 2, nullptr), KRO_S_OK);
  std::string tags;
  for (int i = 1; i <= list.Size(); ++i)
    tags += (i == 1 ? "" : " ") + std::to_string(list[i]->GetTag());
  return tags;
}

// The top face (tag 8) and the vertex at the origin (tag 22) of MakeBox(20, 10, 10).
const std::string kTopAndOrigin = R"(["1_Face_6.25_5_10_0_0_1_","1_Vrtx_0_0_0_0.5_0.5_0.707107_"])";
const std::string kRead = " < ODT::SetODTStream:400";

}  // namespace

TEST(KroMmdSelectionResultODTStreamBuilder, ReplacesTheListByTagsAndAddsToItBySelectors) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  KroMmdSelectionResultODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
  const std::pair<std::string, std::string> steps[] = {
      {R"({"support":{"bodyTag":"1"},"topoTags":["8","5"]})", "8 5"},
      {R"({"geomReroutes":)" + kTopAndOrigin + "}", "8 5 8 22"},
      {R"({"geomReroutes":)" + kTopAndOrigin + "}", "8 5 8 22 8 22"},
      {R"({"topoTags":[]})", ""},
  };
  for (const auto& [stream, tags] : steps) {
    ASSERT_EQ(builder.SetODTStream(stream.c_str()), KRO_S_OK) << stream;
    EXPECT_EQ(TagsOf(builder), tags) << stream;
  }
}

// Each bad stream fails with its chain: the cells of the items before a failing one stay, a list
// that cannot even be rendered (items must be strings) leaves the list as it was.
TEST(KroMmdSelectionResultODTStreamBuilder, TracesBadStreamsAndKeepsTheCellsBeforeAFailingItem) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  const std::string reroutes = " < SelRes::SetValueStream:400" + kRead;
  const struct {
    bool context;
    std::string stream;  // read after {"support":{"bodyTag":"1"},"topoTags":["8"]}
    std::string chain;
    std::string tags;
  } cases[] = {
      {true, R"({"topoTags":["3","x"]})",
       "SelRes::_SetToposTagsStream:300 < SelRes::SetValueStream:300" + kRead, "3"},
      {true, R"({"topoTags":["3",3]})",
       "ODT::_RWriteJSONList:6969 < ODT::_StringifyList:100 < ODT::_StringifyNode:300 < "
       "ODT::SetODTStream:200",
       "8"},
      {false, R"({"geomReroutes":)" + kTopAndOrigin + "}",
       "Sel::SetGeomSelectorStreamForODT:100 < SelRes::_SetGeomReroutesStream:500" + reroutes, "8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    KroMmdSelectionResultODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
    ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"},"topoTags":["8"]})"), KRO_S_OK);
    ASSERT_EQ(builder.SetContext(c.context ? box : nullptr), KRO_S_OK);
    EXPECT_EQ(KroTestReadFailure(builder, c.stream), c.chain);
    EXPECT_EQ(TagsOf(builder), c.tags);
  }
  // Members are read in text order: the support is not known yet.
  KroMmdSelectionResultODTStreamBuilder fresh;
  ASSERT_EQ(fresh.SetContext(box), KRO_S_OK);
  EXPECT_EQ(KroTestReadFailure(fresh, R"({"geomReroutes":[],"support":{"bodyTag":"1"}})"),
            "SelRes::_SetGeomReroutesStream:200" + reroutes);
}

// Neither list can be written ("topoTags" is not implemented and leaves no trace of its own,
// "geomReroutes" is not accepted), so every write fails and leaves the stream as it was.
TEST(KroMmdSelectionResultODTStreamBuilder, FailsEveryWriteWhateverTheQuery) {
  const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
  KroMmdSelectionResultODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"},"topoTags":["8"]})"), KRO_S_OK);
  const std::string get = " < ODT::_MapGetValueStream:100 < ODT::";
  const std::pair<const char*, std::string> cases[] = {
      {"topoTags", "SelRes::GetValueStream:300" + get + "GetODTStream:500"},
      {"geomReroutes", "SelRes::GetValueStream:6969" + get + "GetODTStream:500"},
  };
  for (const auto& [query, chain] : cases) {
    EXPECT_EQ(KroTestWriteFailure(builder, query), chain);
  }
}

// Fault: the list held plain pointers, so once the support named another document and the
// caller let the first go, GetToposInBody touched freed cells (the sanitized build sees it).
// SetToposInBody adds the value's cells, which stay after the references of its query go back.
TEST(KroMmdSelectionResultODTStreamBuilder, KeepsItsCellsAfterTheirDocumentIsLetGoElsewhere) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    KroMmdSelectionResultODTStreamBuilder builder;
    KroListValKroBaseUnknown_var cells;
    {
      const KroMfPart_var box = KroTestModelPart(KroBRepModel::MakeBox(20, 10, 10));
      ASSERT_EQ(builder.SetContext(box), KRO_S_OK);
      ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"},"topoTags":["8"]})"), KRO_S_OK);
      cells.Append(KroBaseUnknown_var(KroTestCell(box, 0, 2)));
      ASSERT_EQ(builder.SetToposInBody(KroMmrToposInBody(box->GetBody(1), cells)), KRO_S_OK);
      cells.RemoveAll();
    }
    const KroMfPart_var cylinder = KroTestModelPart(KroBRepModel::MakeCylinder(5, 10));
    ASSERT_EQ(builder.SetContext(cylinder), KRO_S_OK);
    ASSERT_EQ(builder.SetODTStream(R"({"support":{"bodyTag":"1"}})"), KRO_S_OK);
    EXPECT_EQ(TagsOf(builder), "8 22");  // only the list holds the box now

    KroMmdSelectionResultODTStreamBuilder noContext;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(noContext.SetToposInBody(KroMmrToposInBody(cylinder->GetBody(1), cells)), KRO_E_FAIL);
    EXPECT_EQ(KroTestChainOf(recorder), "GNAO::SetBody:100 < SelRes::SetToposInBody:300");
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}
