// The delegate stream: the texts of cell and feature delegates, the journaling name before the
// spec name, the two body lookup modes, the contract of the stream and the caller's, selection
// paths, and the trace chains of what cannot be written or read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroBRepDecode.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiGeomDelegateFactory.h"
#include "KroIPathAccess.h"
#include "KroMmdStreamDelegateForODT.h"
#include "KroMmrContractServices.h"
#include "KroObject.h"
#include "streams/KroMmdStreamGeomRefForODTTestSupport.h"

namespace {

const std::string kReader = "KroMmdStreamDelegateForODT::GetDelegateFromStream:";
const std::string kLinkReader = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT:";
const std::string kParseBody = "KroMmdStreamDelegateForODT::ParseBodyIdentifier:";
const std::string kCompute = "KroMmdStreamDelegateForODT::_ComputeDelegateAndContract:";
constexpr int kByName = KroMmdStreamDelegateForODT::kByFeatureName;
constexpr int kByTag = KroMmdStreamDelegateForODT::kByBodyTag;

// A box whose top face is at z = 5, made by the feature "Pad.7" that the journal calls
// "Feature7", in a document that lives for the whole run.
const KroMfPart_var& Feature7Box() {
  static const KroMfPart_var* part = new KroMfPart_var(
      MakeDocument(KroBRepModel::MakeBox(20, 10, 5), {{"Pad.7", "", "Feature7", "", 0}}));
  return *part;
}

// A BRep access of a face of that box, as a cell delegate stands for it.
KroBaseUnknown_var FaceAccess() {
  return KroBaseUnknown_var(
      KroBRepDecode(CellsOf(Feature7Box()->GetBody(1), 2).front(), Feature7Box()->GetFeature(1)));
}

// A delegate made by the test: it stands for linkable and gives topos and contract.
class TestDelegate : public virtual KroIMmiGeometryAccess {
 public:
  KroBaseUnknown_var linkable;
  KroListValKroBaseUnknown_var topos;
  KroIMmiContract_var contract;
  KroResult GetLinkableObject(KroBaseUnknown_var& object) const override {
    object = linkable;
    return KRO_S_OK;
  }
  KroResult GetTopologicalObjects(KroListValKroBaseUnknown_var& objects) const override {
    objects = topos;
    return KRO_S_OK;
  }
  KroResult GetContract(KroIMmiContract_var& out) const override {
    out = contract;
    return KRO_S_OK;
  }
};

KroIMmiContract_var Contract(int identifier) {
  KroIMmiContract_var contract;
  EXPECT_EQ(KroMmrContractServices::GetContractFromIdentifier(identifier, contract), KRO_S_OK);
  return contract;
}

int IdentifierOf(const KroIMmiDelegateObject_var& delegate) {
  KroIMmiContract_var contract;
  int identifier = 0;
  EXPECT_EQ(KroIMmiGeometryAccess_var(delegate)->GetContract(contract), KRO_S_OK);
  EXPECT_EQ(KroMmrContractServices::GetIdentifierOfContract(contract, identifier), KRO_S_OK);
  return identifier;
}

// Features of the sample part's first solids with the given names.
KroMfPart_var Document(const std::vector<KroMfPart::FeatureDescription>& features) {
  return MakeDocument(KroBRepModel::MakeSamplePart(), features);
}

KroIMmiDelegateObject_var FeatureDelegate(const KroISpecObject_var& feature) {
  const KroObject made(KroIMmiGeomDelegateFactory::kLateType, "");
  void* factory = nullptr;
  EXPECT_EQ(made.QueryInterface(KroIMmiGeomDelegateFactory::ClassIID(), &factory), KRO_S_OK);
  const auto held =
      KroIMmiGeomDelegateFactory_var::Adopt(static_cast<KroIMmiGeomDelegateFactory*>(factory));
  KroIMmiGeometryAccess_var access;
  EXPECT_EQ(held->GetGeometryAccess(KroILinkableObject_var(feature), nullptr, 0, access), KRO_S_OK);
  return KroIMmiDelegateObject_var(access);
}

KroIMmiDelegateObject_var CellDelegate(const KroISpecObject_var& feature, const KroCell_var& cell) {
  KroIMmiDelegateObject_var delegate;
  const KroIMmiDelegateBuilder_var builder(
      KroBRepDecode(cell, KroIGeometricalElement_var(feature)));
  EXPECT_EQ(builder->MakeDelegate(nullptr, delegate), KRO_S_OK);
  return delegate;
}

std::string Write(KroIMmiDelegateObject_var delegate) {
  KroMmdStreamDelegateForODT stream;
  KroUnicodeString text;
  EXPECT_EQ(stream.GetStreamFromDelegate(delegate, text), KRO_S_OK);
  return text.ToStdString();
}

// Reads the text; the chain of a failure goes to chain.
KroResult Read(const KroMfPart_var& part, const std::string& text, KroIMmiDelegateObject_var& out,
               int mode = kByName, unsigned int tag = 0, KroIMmiContract_var contract = nullptr,
               std::string* chain = nullptr) {
  KroSysTraceRecorder recorder;
  KroMmdStreamDelegateForODT stream;
  KroUnicodeString given(text);
  KroINamingContext_var context = ContextOf(part);
  const KroResult rc = stream.GetDelegateFromStream(given, context, out, contract, mode, tag);
  if (chain != nullptr) *chain = recorder.ToString();
  return rc;
}

// The cell a delegate gives, or the object it stands for when it gives none.
KroBaseUnknown_var WhatItNames(const KroIMmiDelegateObject_var& delegate) {
  KroListValKroBaseUnknown_var topos;
  KroBaseUnknown_var linkable;
  EXPECT_EQ(KroIMmiGeometryAccess_var(delegate)->GetTopologicalObjects(topos), KRO_S_OK);
  EXPECT_EQ(delegate->GetLinkableObject(linkable), KRO_S_OK);
  return KroIBRepAccess_var(linkable) ? topos[1] : linkable;
}

TEST(KroMmdStreamDelegateForODT, WritesTheExamplesOfAFaceAndOfAWholeFeatureAndReadsThemBack) {
  auto* delegate = new TestDelegate;
  delegate->linkable = FaceAccess();
  delegate->topos.Append(
      KroBaseUnknown_var(MakeFakeFace(KroMathPoint(10, 0, 5), KroMathDirection(0, 0, 1))));
  delegate->contract = Contract(12);
  EXPECT_EQ(Write(Own<KroIMmiDelegateObject>(delegate)), R"(3_8_Feature7_Face_10_0_5_0_0_1_12_)");

  const KroMfPart_var& part = Feature7Box();
  EXPECT_EQ(Write(FeatureDelegate(part->GetFeature(1))), R"(3_8_Feature7_Feat_-1_)");

  KroIMmiDelegateObject_var face, feature;
  ASSERT_EQ(Read(part, R"(3_8_Feature7_Face_10_0_5_0_0_1_12_)", face), KRO_S_OK);
  KroMathPoint point;
  ASSERT_EQ(KroCell_var(WhatItNames(face))->GetPointOnCell(point), KRO_S_OK);
  EXPECT_EQ(point.GetZ(), 5.0);  // on the top face
  EXPECT_EQ(IdentifierOf(face), 12);
  ASSERT_EQ(Read(part, R"(3_8_Feature7_Feat_-1_)", feature), KRO_S_OK);
  EXPECT_TRUE(WhatItNames(feature).IsSame(part->GetFeature(1)));
  EXPECT_EQ(IdentifierOf(feature), -1);
}

// Feature #1's spec name is #2's journaling name: the journaling name wins, writing and reading.
TEST(KroMmdStreamDelegateForODT, PutsTheJournalingNameBeforeTheSpecNameBothWays) {
  const KroMfPart_var part =
      Document({{"Feature7", "", "", "", 0}, {"Pad.2", "", "Feature7", "", 1}});
  EXPECT_EQ(Write(FeatureDelegate(part->GetFeature(1))), R"(3_8_Feature7_Feat_-1_)");
  EXPECT_EQ(Write(FeatureDelegate(part->GetFeature(2))), R"(3_8_Feature7_Feat_-1_)");
  KroIMmiDelegateObject_var read;
  ASSERT_EQ(Read(part, R"(3_8_Feature7_Feat_-1_)", read), KRO_S_OK);
  EXPECT_TRUE(WhatItNames(read).IsSame(part->GetFeature(2)));
  // Fault kept out: a document whose features have no journaling name could not be read at all.
  const KroMfPart_var plain = Document({{"Plate", "", "", "", 0}, {"Boss", "", "", "", 1}});
  ASSERT_EQ(Read(plain, R"(3_4_Boss_Feat_-1_)", read), KRO_S_OK);
  EXPECT_TRUE(WhatItNames(read).IsSame(plain->GetFeature(2)));
}

// The length prefix carries any name: separators, field-like text, non-ASCII, and a name far
// longer than the rest of any stream. Feature delegates share the reading of the name.
TEST(KroMmdStreamDelegateForODT, ReadsBackAnyFeatureNameByItsLengthPrefix) {
  std::string longName;
  while (longName.size() < 100000) longName += "_3_Face_1_0_";
  for (const std::string& name :
       {std::string("Pad_1_Face_2_"), std::string("_"), std::string("Bohrung_ä"), longName}) {
    SCOPED_TRACE(name.substr(0, 20));
    const KroMfPart_var part = Document({{"Plate", "", "", "", 0}, {name, "", "", "", 1}});
    const KroIMmiDelegateObject_var written =
        CellDelegate(part->GetFeature(2), CellsOf(part->GetBody(2), 2).back());
    const std::string text = Write(written);
    EXPECT_EQ(text.rfind("3_" + std::to_string(name.size()) + "_" + name + "_", 0), 0u);
    KroIMmiDelegateObject_var read;
    ASSERT_EQ(Read(part, text, read), KRO_S_OK);
    EXPECT_TRUE(WhatItNames(read).IsSame(WhatItNames(written)));
  }
}

TEST(KroMmdStreamDelegateForODT, FindsTheBodyByTagWhateverTheNameAndTracesEachRefusal) {
  const KroMfPart_var part = Document({});
  const KroBody_var boss = part->GetBody(2);
  const KroCell_var top = CellAt(boss, 2, KroMathPoint(56, 25, 28));
  ASSERT_TRUE(!!top);
  const std::string face = "_Face_56_25_28_0_0_1_-1_";
  const std::string link = " < " + kLinkReader + "500 < " + kReader + "100";
  const unsigned int tag = boss->GetTag();
  const struct {
    std::string stream;
    int mode;
    unsigned int tag;
    std::string chain;  // empty: the top face of the boss is found
  } rows[] = {
      {"3_1_x" + face, kByTag, tag, ""},
      {"3_0_" + face, kByTag, tag, kParseBody + "100" + link},
      {"3_5_Pad.2" + face, 2, tag, kParseBody + "6969" + link},
      {"3_5_Pad.2_Feat_-1_", kByTag, tag, kCompute + "6969 < " + kReader + "200"},
      {"3_4_Nope_Feat_-1_", kByName, 0, kCompute + "600 < " + kReader + "200"},
      {"3_5_Pad.2_Face_56_25_28_0_0_1_7_", kByName, 0,
       "KroMmdStreamDelegateForODT::SetSpecializedStream:100 < " + kLinkReader + "1100 < " +
           kReader + "100"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.stream + " mode " + std::to_string(row.mode));
    KroIMmiDelegateObject_var read;
    std::string chain;
    const KroResult rc = Read(part, row.stream, read, row.mode, row.tag, nullptr, &chain);
    EXPECT_EQ(chain, row.chain);
    if (row.chain.empty()) {
      ASSERT_EQ(rc, KRO_S_OK);
      EXPECT_TRUE(WhatItNames(read).IsSame(top));
    } else {
      EXPECT_EQ(rc, KRO_E_FAIL);
      EXPECT_FALSE(read);
    }
  }
}

TEST(KroMmdStreamDelegateForODT, MakesTheDelegateUnderTheCallersContractBeforeTheStreams) {
  const KroMfPart_var part = Document({});
  const std::string text = "3_5_Pad.2_Face_56_25_28_0_0_1_12_";
  const unsigned int tag = part->GetBody(2)->GetTag();
  KroIMmiDelegateObject_var read;
  ASSERT_EQ(Read(part, text, read), KRO_S_OK);
  EXPECT_EQ(IdentifierOf(read), 12);
  ASSERT_EQ(Read(part, text, read, kByName, 0, Contract(1)), KRO_S_OK);
  EXPECT_EQ(IdentifierOf(read), 1);
  // The initial feature is not found from a body tag: success without a delegate...
  ASSERT_EQ(Read(part, text, read, kByTag, tag), KRO_S_OK);
  EXPECT_FALSE(read);
  // ...unless the caller's contract replaces the stream's.
  ASSERT_EQ(Read(part, text, read, kByTag, tag, Contract(2)), KRO_S_OK);
  EXPECT_EQ(IdentifierOf(read), 2);
}

TEST(KroMmdStreamDelegateForODT, TurnsSelectionPathsIntoStreamsAndBack) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    const KroMfPart_var part = Document({});
    KroINamingContext_var context = ContextOf(part);
    KroMmdStreamDelegateForODT stream;
    const KroCell_var face = CellsOf(part->GetBody(3), 2).front();
    const KroBaseUnknown_var access(KroBRepDecode(face, part->GetFeature(3)));
    for (const KroBaseUnknown_var& selected : {KroBaseUnknown_var(part->GetFeature(3)), access}) {
      KroPathElement* path = nullptr;
      KroUnicodeString text;
      ASSERT_EQ(KroIPathAccess_var(selected)->GetPathElement(path), KRO_S_OK);
      ASSERT_EQ(stream.GetStreamFromPathElement(*path, text), KRO_S_OK);
      path->Release();
      path = nullptr;
      ASSERT_EQ(stream.GetPathElementFromStream(text, context, path, nullptr, kByName, 0),
                KRO_S_OK);
      ASSERT_NE(path, nullptr);
      EXPECT_TRUE(path->GetItem(1).IsSame(part));
      EXPECT_TRUE(path->GetItem(2).IsSame(part->GetFeature(3)));
      const KroIBRepAccess_var current(path->CurrentElement());
      EXPECT_TRUE(!current ? path->CurrentElement().IsSame(selected)
                           : current->GetTopology().IsSame(face));
      // A path already given is never replaced, and nothing is read for it.
      KroSysTraceRecorder recorder;
      KroPathElement* const given = path;
      EXPECT_EQ(stream.GetPathElementFromStream(text, context, path, nullptr, kByName, 0),
                KRO_E_FAIL);
      EXPECT_EQ(path, given);
      EXPECT_EQ(recorder.ToString(), "");
      path->Release();
    }
    // Fault kept out: a read that made no delegate had its empty delegate asked for its path.
    KroPathElement* path = nullptr;
    KroUnicodeString initial("3_5_Pad.2_Face_56_25_28_0_0_1_12_");
    EXPECT_EQ(stream.GetPathElementFromStream(initial, context, path, nullptr, kByTag,
                                              part->GetBody(2)->GetTag()),
              KRO_E_FAIL);
    EXPECT_EQ(path, nullptr);
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}

TEST(KroMmdStreamDelegateForODT, TracesWhatCannotBeWrittenAndLeavesTheOutputAlone) {
  const std::string attributes = "KroMmdStreamDelegateForODT::_ComputeStreamAttributes:";
  const std::string writer = " < KroMmdStreamDelegateForODT::GetStreamFromDelegate:";
  class ForeignContract : public virtual KroIMmiContract {  // a contract of no modeler
    KroUnicodeString GetName() const override { return "Foreign"; }
  };
  class NoContract : public TestDelegate {
    KroResult GetContract(KroIMmiContract_var& out) const override {
      out = Own<KroIMmiContract>(new ForeignContract);
      return KRO_S_OK;
    }
  };
  auto make = [&](TestDelegate* d, KroBaseUnknown_var first) {
    d->linkable = FaceAccess();
    if (first) d->topos.Append(first);
    return Own<KroIMmiDelegateObject>(d);
  };
  const KroBaseUnknown_var face(MakeFakeFace(KroMathPoint(1, 2, 3), KroMathDirection(0, 0, 1)));
  const struct {
    const char* what;
    KroIMmiDelegateObject_var delegate;
    std::string chain;
  } rows[] = {
      {"no delegate", nullptr, "KroMmdStreamDelegateForODT::GetStreamFromDelegate:100"},
      {"no cell", make(new TestDelegate, nullptr), attributes + "400" + writer + "200"},
      {"a contract of no modeler", make(new NoContract, face), attributes + "600" + writer + "200"},
      // Fault kept out: a first object that is no cell was asked for its dimension.
      {"a body for a cell", make(new TestDelegate, KroBaseUnknown_var(BoxBody())),
       "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT:400" + writer + "300"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    KroMmdStreamDelegateForODT stream;
    KroIMmiDelegateObject_var delegate = row.delegate;
    KroUnicodeString text = "untouched";
    KroSysTraceRecorder recorder;
    EXPECT_EQ(stream.GetStreamFromDelegate(delegate, text), KRO_E_FAIL);
    EXPECT_EQ(recorder.ToString(), row.chain);
    EXPECT_EQ(text, KroUnicodeString("untouched"));
  }
}

}  // namespace
