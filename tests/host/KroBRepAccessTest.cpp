// BRep accesses of part documents: which cells and faces decode, and the report selectors that
// name every cell through its feature's construction log, select it again in a fresh load and
// refuse texts that are no selector.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <set>
#include <string>

#include "KroBRepDecode.h"
#include "KroBRepModel.h"
#include "KroBrpGraph.h"
#include "KroHostTestDocuments.h"
#include "KroIBRepAccessPriv.h"
#include "KroMfGNServices.h"
#include "KroReportSelect.h"

namespace {

KroIGeometricalElement_var Feature(const KroMfPart_var& part, int index) {
  return KroIGeometricalElement_var(part->GetFeature(index));
}

KroBrpScope* ScopeOf(const KroMfPart_var& part, int feature) {
  return part->GetBRepGraph()->GetScope(
      KroIGnAssociatedObject_var(part->GetFeature(feature)).get());
}

// The selector's text, or "" when the access has none.
std::string TextOf(const KroIBRepAccess_var& access) {
  KroReportSelect* selector = KroIBRepAccessPriv_var(access)->GetReportSelector();
  if (!selector) return "";
  KroString* text = selector->GetText();
  const std::string result = text->ToStdString();
  delete text;
  selector->Release();
  return result;
}

// The tag of the one cell the text selects within the feature's scope, 0 when none.
unsigned int SelectedTag(const KroMfPart_var& part, int feature, const std::string& text) {
  KroReportSelect* selector = KroReportSelect::GetSelect(KroString(text));
  if (!selector) return 0;
  KroListValKroBaseUnknown_var* objects =
      selector->SelectObjects(ScopeOf(part, feature), part->GetBRepGraph());
  selector->Release();
  const unsigned int tag =
      objects && objects->Size() == 1 ? KroTopology_var((*objects)[1])->GetTag() : 0;
  delete objects;
  return tag;
}

}  // namespace

// A cell decodes with its own feature only; DecodeTopologyInBody finds that feature from the
// body. Only faces of revolution have an axis.
TEST(KroBRepDecode, DecodesTheCellsOfAFeatureBodyAndTheAxesOfItsFacesOfRevolution) {
  const KroMfPart_var part = KroHostTestSamplePart();
  const KroCell_var face = KroHostTestCell(part->GetBody(2), 2, 1);
  const KroIBRepAccess_var access = KroBRepDecode(face, Feature(part, 2));
  ASSERT_TRUE(access);
  EXPECT_EQ(access->GetKindCode(), 2);
  EXPECT_TRUE(access->GetTopology().IsSame(face));
  EXPECT_TRUE(KroIBRepAccessPriv_var(access)->GetSupportingObject().IsSame(part->GetFeature(2)));
  EXPECT_FALSE(KroBRepDecode(face, Feature(part, 1)));
  KroIBRepAccess_var inBody;
  EXPECT_EQ(KroBRepDecodeTopologyInBody(inBody, face, part->GetBody(2)), KRO_S_OK);
  EXPECT_TRUE(KroIBRepAccessPriv_var(inBody)->GetSupportingObject().IsSame(part->GetFeature(2)));
  EXPECT_EQ(KroBRepDecodeTopologyInBody(inBody, face, part->GetBody(1)), KRO_E_FAIL);
  EXPECT_EQ(KroBRepDecodeTopologyInBody(inBody, part->GetBody(2), part->GetBody(2)), KRO_E_FAIL);
  EXPECT_FALSE(inBody);

  const KroMfPart_var cylinder = KroHostTestDocumentOf(KroBRepModel::MakeCylinder(5, 10));
  for (int index = 1; index <= 3; ++index) {  // the lateral face, then the two plane ones
    const KroIBRepAccess_var axis =
        KroBRepDecodeAxis(KroHostTestCell(cylinder->GetBody(1), 2, index), Feature(cylinder, 1));
    EXPECT_EQ(!!axis, index == 1);
    if (axis) {
      EXPECT_EQ(axis->GetKindCode(), KroIBRepAccess::kAxisKind);
    }
  }
}

// Every cell of every feature has its own text, read from the log ("Face:Construction.Face.12"),
// which selects the cell again. The same in a fresh load and on STEP models is shown by the
// BRepAccess builder's round trips and the tool's roundtrip --via gnSelector.
TEST(KroReportSelect, NamesEveryCellThroughTheLogAndSelectsItAgain) {
  const std::regex form(R"((Vertex|Edge|Face|Volume):Construction\.\1\.\d+)");
  const KroMfPart_var part = KroHostTestSamplePart();
  for (int feature = 1; feature <= part->GetFeatureCount(); ++feature) {
    std::set<std::string> texts;
    int cells = 0;
    for (short dimension = 0; dimension <= 3; ++dimension) {
      KroListPtrKroCell list;
      ASSERT_EQ(part->GetBody(feature)->GetAllCells(list, dimension), KRO_S_OK);
      for (int i = 1; i <= list.Size(); ++i, ++cells) {
        const std::string text = TextOf(KroBRepDecode(list[i], Feature(part, feature)));
        ASSERT_TRUE(std::regex_match(text, form)) << text;
        texts.insert(text);
        ASSERT_EQ(SelectedTag(part, feature, text), list[i]->GetTag()) << text;
      }
    }
    EXPECT_EQ(texts.size(), static_cast<size_t>(cells));
  }
  const KroMfPart_var cylinder = KroHostTestDocumentOf(KroBRepModel::MakeCylinder(5, 10));
  EXPECT_EQ(
      TextOf(KroBRepDecodeAxis(KroHostTestCell(cylinder->GetBody(1), 2, 1), Feature(cylinder, 1))),
      "Axis:Construction.Face.1");
  EXPECT_EQ(SelectedTag(cylinder, 1, "Axis:Construction.Face.1"),
            KroHostTestCell(cylinder->GetBody(1), 2, 1)->GetTag());
}

TEST(KroReportSelect, RefusesTextsThatAreNoSelectorAndSelectsNothingCleanly) {
  for (const char* text :
       {"", "Face", "Face:", "Cell:Construction.Face.1", "face:Construction.Face.1",
        "Face:Construction..1", "Face:Construction.Face.1."}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(KroReportSelect::GetSelect(KroString(text)), nullptr);
  }
  const KroMfPart_var part = KroHostTestSamplePart();
  for (const char* text :
       {"Face:Construction.Face.99", "Face:Construction.Face.0", "Edge:Construction.Face.1",
        "Axis:Construction.Edge.1", "Face:Other.Face.1", "Face:Construction.Face.1.2"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(SelectedTag(part, 1, text), 0u);
  }
  // Within no scope, a scope of another document's graph, or a scope without a log.
  KroReportSelect* selector = KroReportSelect::GetSelect(KroString("Face:Construction.Face.1"));
  ASSERT_NE(selector, nullptr);
  const KroMfPart_var other = KroHostTestSamplePart();
  KroBrpScope* logScope = part->GetBRepGraph()->GetScope(KroGnIdentifier(1, 1));
  ASSERT_NE(logScope, nullptr);
  EXPECT_EQ(selector->SelectObjects(nullptr, part->GetBRepGraph()), nullptr);
  EXPECT_EQ(selector->SelectObjects(ScopeOf(part, 1), other->GetBRepGraph()), nullptr);
  EXPECT_EQ(selector->SelectObjects(logScope, part->GetBRepGraph()), nullptr);
  selector->Release();
}
