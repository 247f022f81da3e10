// BRep accesses of part documents: a cell decodes with its own feature only, and the report
// selectors refuse texts that are no selector. Naming every cell through its feature's log and
// selecting it again, axes included, is shown by the BRepAccess builder's tests and the tool's
// roundtrip --via gnSelector on every model.
#include <gtest/gtest.h>

#include <string>

#include "KroBRepDecode.h"
#include "KroBrpGraph.h"
#include "KroHostTestDocuments.h"
#include "KroIBRepAccessPriv.h"
#include "KroReportSelect.h"

namespace {

KroIGeometricalElement_var Feature(const KroMfPart_var& part, int index) {
  return KroIGeometricalElement_var(part->GetFeature(index));
}

KroBrpScope* ScopeOf(const KroMfPart_var& part, int feature) {
  return part->GetBRepGraph()->GetScope(
      KroIGnAssociatedObject_var(part->GetFeature(feature)).get());
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

// DecodeTopologyInBody finds the feature from the body.
TEST(KroBRepDecode, DecodesACellWithItsOwnFeatureOnly) {
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
