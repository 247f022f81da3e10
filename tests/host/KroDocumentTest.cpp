// Tests of the part documents: documents built from kernel models, features sharing a body, the
// spec container, the generic-naming graph, the geometric factory and the context services
// reached from every kind of object. Reading a file twice is checked by the kernel's tests and
// by the stream round trip of every model in a fresh document.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroBrpGraph.h"
#include "KroGeoFactory.h"
#include "KroHostTestDocuments.h"
#include "KroIAlias.h"
#include "KroIGeometricalElement.h"
#include "KroIGnAssociatedObject.h"
#include "KroISpecObject.h"
#include "KroMfBRepServices.h"
#include "KroMfBRepUtils.h"
#include "KroMfGNServices.h"
#include "KroMfLog.h"
#include "KroSoftwareConfiguration.h"
#include "KroSysTraceRecorder.h"
#include "_SEQUENCE_KroBaseUnknown_ptr.h"

namespace {

KroBody_var BodyOf(const KroISpecObject_var& feature) {
  return KroIGeometricalElement_var(feature)->GetBodyResult();
}

}  // namespace

// --------------------------------------------------------------------------------------------
// Making documents
// --------------------------------------------------------------------------------------------

TEST(KroMfPart, FeaturesSharingABodyShareTheFirstOnesScope) {
  const std::vector<KroMfPart::FeatureDescription> features = {
      {"Pad", "", "", "", 0}, {"Pocket", "", "", "", 0}, {"Pad", "", "", "", 0}};
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateFromModel(KroBRepModel::MakeBox(10, 20, 30), features, part),
            KRO_S_OK);
  KroBrpScope* scope = part->GetBRepGraph()->GetScope(part->GetBody(1).get());
  ASSERT_TRUE(scope);
  EXPECT_TRUE(scope->GetAssociatedObject().IsSame(part->GetFeature(1)));
  EXPECT_EQ(part->GetBRepGraph()->GetScopeCount(), 3);
}

TEST(KroMfPart, RefusesModelsAndFeaturesItCannotBuild) {
  std::shared_ptr<KroBRepModel> box = KroBRepModel::MakeBox(1, 1, 1);
  const struct {
    const char* name;
    std::shared_ptr<KroBRepModel> model;
    std::vector<KroMfPart::FeatureDescription> features;
    int stage;
  } rows[] = {
      {"null model", nullptr, {{"F", "", "", "", 0}}, 100},
      {"no feature", box, {}, 200},
      {"solid out of range", box, {{"F", "", "", "", 1}}, 300},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    KroMfPart_var part = KroHostTestSamplePart();
    KroUnicodeString message;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(KroMfPart::CreateFromModel(row.model, row.features, part, &message), KRO_E_FAIL);
    EXPECT_FALSE(part);
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_EQ(recorder.ToString(), "KroMfPart::CreateFromModel:" + std::to_string(row.stage));
  }
}

TEST(KroMfPart, SpecContainerListsTheFeaturesThatImplementAnInterface) {
  KroMfPart_var part = KroHostTestSamplePart();
  KroIContainer_var container = KroMfBRepUtils::GetSpecContainer(part);
  ASSERT_TRUE(container);
  enum Keeps { kNone, kAll, kWithAlias };
  const struct {
    const char* name;
    Keeps keeps;
  } rows[] = {{KroISpecObject::ClassName(), kAll},
              {KroIAlias::ClassName(), kWithAlias},
              {KroBody::ClassName(), kNone}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> expected, listed;
    for (int i = 1; i <= part->GetFeatureCount(); ++i) {
      KroISpecObject_var feature = part->GetFeature(i);
      if (row.keeps == kAll || (row.keeps == kWithAlias && KroIAlias_var(feature)))
        expected.push_back(feature->GetName().ToStdString());
    }
    _SEQUENCE_KroBaseUnknown_ptr members;
    ASSERT_EQ(container->ListMembersHere(row.name, members), KRO_S_OK);
    for (uint32_t i = 0; i < members.length(); ++i)
      listed.push_back(KroISpecObject_var(members[i])->GetName().ToStdString());
    members.ReleaseAll();
    EXPECT_EQ(listed, expected);
  }
  _SEQUENCE_KroBaseUnknown_ptr none;
  EXPECT_EQ(container->ListMembersHere(nullptr, none), KRO_E_FAIL);
}

// --------------------------------------------------------------------------------------------
// Context services
// --------------------------------------------------------------------------------------------

TEST(KroMfBRepUtils, ContextServicesAnswerFromEveryObjectOfTheDocumentAndNoOther) {
  KroMfPart_var part = KroHostTestSamplePart();
  KroBody_var body = part->GetBody(2);
  KroISpecObject_var feature = part->GetFeature(2);
  KroCell_var face = KroHostTestCell(body, 2);  // every kind of cell takes the same road
  KroBrpGraph* graph = part->GetBRepGraph();
  KroSoftwareConfiguration_var foreign =
      KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
  const struct {
    const char* name;
    KroBaseUnknown* context;
    KroBaseUnknown* body;  // what GetBody gives
    bool inDocument;
  } rows[] = {
      {"document", part.get(), part->GetMainBody().get(), true},
      {"feature", feature.get(), body.get(), true},
      {"face", face.get(), body.get(), true},
      {"object of no document", foreign.get(), nullptr, false},
      {"null", nullptr, nullptr, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    KroBrpGraph* const expectedGraph = row.inDocument ? graph : nullptr;
    const KroBaseUnknown_var expectedPart(row.inDocument ? part.get() : nullptr);
    EXPECT_EQ(KroMfGNServices::GetGraph(row.context), expectedGraph);
    EXPECT_EQ(KroMfBRepUtils::GetGraph(row.context), expectedGraph);
    EXPECT_TRUE(KroMfBRepServices::GetGeoFactory(row.context)
                    .IsSame(row.inDocument ? part->GetGeoFactory() : KroGeoFactory_var()));
    EXPECT_TRUE(KroMfBRepUtils::GetSpecContainer(row.context).IsSame(expectedPart));
    EXPECT_TRUE(KroMfBRepUtils::GetBody(row.context).IsSame(KroBaseUnknown_var(row.body)));
    KroIContainer_var specs, second, third;
    KroBrpGraph* containerGraph = reinterpret_cast<KroBrpGraph*>(&specs);
    EXPECT_EQ(
        KroMfBRepUtils::GetAssociatedContainers(row.context, specs, containerGraph, second, third),
        row.inDocument ? KRO_S_OK : KRO_E_FAIL);
    EXPECT_TRUE(specs.IsSame(expectedPart));
    EXPECT_EQ(containerGraph, expectedGraph);
    EXPECT_FALSE(second || third);
  }
}

// --------------------------------------------------------------------------------------------
// Generic-naming graph and geometric factory
// --------------------------------------------------------------------------------------------

// Each lookup of a feature's scope by object, body, tag, identifier and element number is shown
// by the GNAOSpec builder's round trip of every feature by every key, and each cell found by its
// tag by the tool's roundtrip --via topoTag on every model.
TEST(KroBrpGraph, FindsNothingOfAnotherDocumentAndTheFactoryOneObjectPerTag) {
  KroMfPart_var part = KroHostTestSamplePart();
  KroBrpGraph* graph = KroMfGNServices::GetGraph(part);
  EXPECT_EQ(graph->GetScope(KroGnIdentifier(999u)), nullptr);
  EXPECT_EQ(graph->GetScope(KroGnIdentifier(1u, 0u)), nullptr) << "kind 3 names no feature";
  EXPECT_EQ(graph->GetScope(KroGnIdentifier()), nullptr);
  EXPECT_EQ(graph->GetScope(static_cast<KroIGnAssociatedObject*>(nullptr)), nullptr);
  EXPECT_EQ(graph->GetNodeFromBodyTag(0), nullptr);
  // A feature of another document with the same identifier is not this graph's.
  KroMfPart_var other = KroHostTestSamplePart();
  EXPECT_EQ(graph->GetScope(KroIGnAssociatedObject_var(other->GetFeature(1)).get()), nullptr);
  EXPECT_EQ(graph->GetScope(other->GetBody(1).get()), nullptr);
  // Fault: the graph took a scope for an object of another document and kept a plain pointer to
  // it, which dangled once that document went.
  const int scopes = graph->GetScopeCount();
  KroIGnAssociatedObject_var own(part->GetFeature(1));
  EXPECT_EQ(graph->AddScope(KroIGnAssociatedObject_var(other->GetFeature(1)).get(), nullptr),
            nullptr);
  EXPECT_EQ(graph->AddScope(own.get(), other->GetBody(1).get()), nullptr);
  EXPECT_EQ(graph->GetScopeCount(), scopes);

  // The geometric factory finds bodies and cells by tag and type code.
  KroGeoFactory_var factory = KroMfBRepServices::GetGeoFactory(part);
  ASSERT_TRUE(factory);

  KroBody_var body = part->GetBody(3);
  KroCell_var face = KroHostTestCell(body, 2);
  const unsigned int kBody = KroGeoFactory::kBodyType, kTopology = KroGeoFactory::kTopologyType;
  EXPECT_TRUE(factory->FindObjectFromTag(body->GetTag(), kBody).IsSame(body));
  EXPECT_TRUE(factory->FindObjectFromTag(body->GetTag(), kTopology).IsSame(body));
  // A face is no body; tag 0, an unknown tag and an unknown type code find nothing.
  const std::pair<unsigned int, unsigned int> nothing[] = {{face->GetTag(), kBody},
                                                           {0, kTopology},
                                                           {0xFFFFFFF0u, kTopology},
                                                           {face->GetTag(), 0x8000003}};
  for (const auto& [tag, type] : nothing)
    EXPECT_FALSE(factory->FindObjectFromTag(tag, type)) << tag;
}

// Log elements are scopes of the graph, named when the log is first needed: a lookup that names
// one makes the log, with the numbers it has whenever it is made. Fault: a lookup that found
// nothing made the log too, taking the sample part from 8 scopes to 749.
TEST(KroBrpGraph, OnlyALookupThatNamesALogElementMakesTheLog) {
  KroMfPart_var part = KroHostTestSamplePart();
  KroBrpGraph* graph = KroMfGNServices::GetGraph(part);
  const int features = graph->GetScopeCount();
  std::vector<uint32_t> perRoot;  // elements under each feature: one per cell of its body
  int elements = 0;
  for (int f = 1; f <= features; ++f) {
    KroBody_var body = BodyOf(part->GetFeature(f));
    perRoot.push_back(0);
    for (short dim = 0; dim <= 3; ++dim) perRoot.back() += body->GetCellCount(dim);
    elements += static_cast<int>(perRoot.back());
  }
  // The log numbers its elements after every scope and BRep object there is.
  const int first = graph->GetBrpObjectAt(graph->GetBrpObjectCount())->GetElementNumber() + 1;

  const std::vector<std::pair<const char*, std::function<KroBrpScope*()>>> nothing = {
      {"element 0 of a root", [&] { return graph->GetScope(KroGnIdentifier(1u, 0u)); }},
      {"a root that is no feature", [&] { return graph->GetScope(KroGnIdentifier(999u, 1u)); }},
      {"past the log's last number",
       [&] { return graph->GetScopeFromElementNumber(first + elements); }}};
  for (const auto& [what, lookup] : nothing) {
    SCOPED_TRACE(what);
    EXPECT_EQ(lookup(), nullptr);
    EXPECT_EQ(graph->GetScopeCount(), features);
    EXPECT_EQ(KroMfLog::Find(part.get()), nullptr);
  }

  // The log's first number names its first element, and makes the whole log.
  KroBrpScope* scope = graph->GetScopeFromElementNumber(first);
  ASSERT_TRUE(scope);
  KroGnIdentifier identifier;
  ASSERT_EQ(scope->GetAssociatedObject()->GetGnIdentifier(identifier, 0), KRO_S_OK);
  EXPECT_EQ(identifier, KroGnIdentifier(1u, 1u));
  EXPECT_EQ(graph->GetScopeCount(), features + elements);
  EXPECT_EQ(graph->GetScope(KroGnIdentifier(static_cast<uint32_t>(features), perRoot.back())),
            graph->GetScopeAt(features + elements));

  // The same numbers as in a document whose log was made before any lookup.
  KroMfPart_var fresh = KroHostTestSamplePart();
  ASSERT_TRUE(KroMfLog::Of(fresh.get()));
  KroBrpGraph* freshGraph = KroMfGNServices::GetGraph(fresh);
  ASSERT_EQ(freshGraph->GetScopeCount(), graph->GetScopeCount());
  for (int i = 1; i <= graph->GetScopeCount(); ++i) {
    KroGnIdentifier a, b;
    ASSERT_EQ(graph->GetScopeAt(i)->GetAssociatedObject()->GetGnIdentifier(a, 0), KRO_S_OK);
    ASSERT_EQ(freshGraph->GetScopeAt(i)->GetAssociatedObject()->GetGnIdentifier(b, 0), KRO_S_OK);
    ASSERT_TRUE(a == b && graph->GetScopeAt(i)->GetElementNumber() ==
                              freshGraph->GetScopeAt(i)->GetElementNumber())
        << "scope " << i;
  }
}

TEST(KroCell, AVolumeIsBoundedByEveryCellOfItsBodyAndBadDimensionsAreRefused) {
  KroBody_var body = KroHostTestDocumentOf(KroBRepModel::MakeBox(1, 2, 3))->GetBody(1);
  KroCell_var volume = KroHostTestCell(body, 3);
  for (short dim = 0; dim <= 2; ++dim) {
    SCOPED_TRACE(dim);
    KroListPtrKroCell fromBody, fromVolume;
    ASSERT_EQ(body->GetAllCells(fromBody, dim), KRO_S_OK);
    ASSERT_EQ(volume->GetAllCells(fromVolume, dim), KRO_S_OK);
    EXPECT_EQ(fromVolume.Size(), fromBody.Size());
    for (int i = 1; i <= fromBody.Size(); ++i) EXPECT_GT(fromVolume.Locate(fromBody[i]), 0);
  }
  KroListPtrKroCell list;
  for (short bad : {4, -1}) EXPECT_EQ(volume->GetAllCells(list, bad), KRO_E_FAIL);
  EXPECT_EQ(body->GetAllCells(list, 4), KRO_E_FAIL);
  EXPECT_EQ(list.Size(), 0);
}
