// Tests of the part documents: reading STEP files, documents built from kernel models, the
// sample part, features and their interfaces, the spec container, the generic-naming graph,
// the geometric factory and the context services reached from every kind of object.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroBrpGraph.h"
#include "KroCell.h"
#include "KroCurve.h"
#include "KroGeoFactory.h"
#include "KroHostTestDocuments.h"
#include "KroIAlias.h"
#include "KroIGeometricalElement.h"
#include "KroIGnAssociatedObject.h"
#include "KroIJournalingSpec.h"
#include "KroISpecObject.h"
#include "KroListPtrKroBrpObject.h"
#include "KroListPtrKroCell.h"
#include "KroMfBRepServices.h"
#include "KroMfBRepUtils.h"
#include "KroMfGNServices.h"
#include "KroMfPart.h"
#include "KroSoftwareConfiguration.h"
#include "KroSysTraceRecorder.h"
#include "KroVertex.h"
#include "_SEQUENCE_KroBaseUnknown_ptr.h"

namespace {

KroMfPart_var SamplePart() {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateSamplePart(part), KRO_S_OK);
  return part;
}

std::string IdentifierText(const KroIGnAssociatedObject_var& object) {
  KroGnIdentifier id;
  uint32_t number = 0;
  if (!object || object->GetGnIdentifier(id, 0) != KRO_S_OK || id.GetULong32(number) != KRO_S_OK)
    return "?";
  return "#" + std::to_string(number);
}

std::vector<std::string> Trace(const KroSysTraceRecorder& recorder) {
  std::vector<std::string> out;
  for (const KroSysTraceEntry& e : recorder.Entries())
    out.push_back(e.name + ":" + std::to_string(e.stage));
  return out;
}

// Names, identifiers, tags and cell orders of a document, as one text per line.
std::vector<std::string> Fingerprint(const KroMfPart_var& part) {
  std::vector<std::string> lines;
  for (int i = 1; i <= part->GetFeatureCount(); ++i) {
    KroISpecObject_var feature = part->GetFeature(i);
    KroBody_var body = KroIGeometricalElement_var(feature)->GetBodyResult();
    lines.push_back(feature->GetName().ToStdString() + " " +
                    IdentifierText(KroIGnAssociatedObject_var(feature)) + " body " +
                    std::to_string(body->GetTag()));
  }
  for (int b = 1; b <= part->GetBodyCount(); ++b) {
    KroBody_var body = part->GetBody(b);
    for (short dim = 0; dim <= 3; ++dim) {
      KroListPtrKroCell cells;
      EXPECT_EQ(body->GetAllCells(cells, dim), KRO_S_OK);
      std::string line = "body " + std::to_string(b) + " dim " + std::to_string(dim) + ":";
      for (int i = 1; i <= cells.Size(); ++i) line += " " + std::to_string(cells[i]->GetTag());
      lines.push_back(line);
    }
  }
  KroBrpGraph* graph = part->GetBRepGraph();
  KroBrpObjectIter it = graph->CreateIterator();
  std::string numbers = "brep:";
  for (KroBrpObject* o = it.Next(); o; o = it.Next())
    numbers +=
        " " + std::to_string(o->GetElementNumber()) + "=" + std::to_string(o->GetTopologyTag());
  lines.push_back(numbers);
  return lines;
}

KroCell_var FirstCell(const KroBody_var& body, short dimension) {
  KroListPtrKroCell cells;
  body->GetAllCells(cells, dimension);
  return cells.Size() > 0 ? KroCell_var(cells[1]) : KroCell_var();
}

}  // namespace

// --------------------------------------------------------------------------------------------
// Making documents
// --------------------------------------------------------------------------------------------

TEST(KroMfPart, ReadsEveryStepModelWithOneFeaturePerSolid) {
  int count = 0;
  const KroHostTestModel* models = KroHostTestModels(count);
  for (int m = 0; m < count; ++m) {
    SCOPED_TRACE(models[m].file);
    KroMfPart_var part = KroHostTestDocument(models[m].file);
    ASSERT_TRUE(part);
    ASSERT_EQ(part->GetBodyCount(), models[m].solids);
    ASSERT_EQ(part->GetFeatureCount(), models[m].solids);
    int faces = 0, edges = 0, vertices = 0;
    for (int i = 1; i <= part->GetFeatureCount(); ++i) {
      KroISpecObject_var feature = part->GetFeature(i);
      EXPECT_EQ(IdentifierText(KroIGnAssociatedObject_var(feature)), "#" + std::to_string(i));
      KroBody_var body = KroIGeometricalElement_var(feature)->GetBodyResult();
      ASSERT_TRUE(body);
      EXPECT_TRUE(KroVar<KroBody>(part->GetBody(i)).IsSame(body)) << "features in solid order";
      EXPECT_EQ(feature->GetName(), body->GetName()) << "a feature is named after its solid";
      faces += body->GetCellCount(2);
      edges += body->GetCellCount(1);
      vertices += body->GetCellCount(0);
      EXPECT_EQ(body->GetCellCount(3), 1);
    }
    EXPECT_EQ(faces, models[m].faces);
    EXPECT_EQ(edges, models[m].edges);
    EXPECT_EQ(vertices, models[m].vertices);
  }
}

TEST(KroMfPart, ReadingTheSameFileTwiceGivesTheSameNamesTagsAndOrders) {
  const std::string path = KroHostTestModelPath("Transformer_Breve_TEZ-22x24.step");
  KroMfPart_var first, second;
  ASSERT_EQ(KroMfPart::Load(path.c_str(), first), KRO_S_OK);
  ASSERT_EQ(KroMfPart::Load(path.c_str(), second), KRO_S_OK);
  EXPECT_FALSE(first.IsSame(second));
  EXPECT_EQ(Fingerprint(first), Fingerprint(second));
  KroMfPart_var sample1 = SamplePart(), sample2 = SamplePart();
  EXPECT_EQ(Fingerprint(sample1), Fingerprint(sample2));
}

TEST(KroMfPart, MissingOrNonModelFilesFailCleanly) {
  const std::string text = ::testing::TempDir() + "/kro_document_not_a_model.step";
  { std::ofstream(text) << "ISO-10303-21;\nthis is no model\n"; }
  const std::string empty = ::testing::TempDir() + "/kro_document_empty.brep";
  { std::ofstream(empty) << ""; }
  const std::string paths[] = {KroHostTestModelPath("no_such_model.step"), text, empty,
                               ::testing::TempDir(), ""};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    KroMfPart_var part = SamplePart();
    KroUnicodeString message;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(KroMfPart::Load(path.c_str(), part, &message), KRO_E_FAIL);
    EXPECT_FALSE(part) << "the output is emptied";
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_EQ(Trace(recorder), std::vector<std::string>({"KroMfPart::Load:100"}));
  }
  std::remove(text.c_str());
  std::remove(empty.c_str());
}

TEST(KroMfPart, SamplePartHasTheKernelsFeaturesWithTheirAliasesAndJournalingNames) {
  std::shared_ptr<KroBRepModel> model = KroBRepModel::MakeSamplePart();
  ASSERT_TRUE(model);
  KroMfPart_var part = SamplePart();
  ASSERT_EQ(part->GetFeatureCount(), static_cast<int>(model->Features().size()));
  for (int i = 1; i <= part->GetFeatureCount(); ++i) {
    const KroBRepFeature& expected = model->Features()[static_cast<size_t>(i - 1)];
    SCOPED_TRACE(expected.name);
    KroISpecObject_var feature = part->GetFeature(i);
    EXPECT_EQ(feature->GetName().ToStdString(), expected.name);
    KroIAlias_var alias(feature);
    EXPECT_EQ(alias ? alias->GetAlias().ToStdString() : std::string(), expected.alias);
    KroIJournalingSpec_var journaling(feature);
    EXPECT_EQ(journaling ? journaling->GetJournalingName().ToStdString() : std::string(),
              expected.journalingName);
    if (journaling) {
      KroUnicodeString reference;
      EXPECT_EQ(journaling->GetNamingReference(reference), KRO_S_OK);
      EXPECT_EQ(reference.ToStdString(), expected.journalingName);
    }
    EXPECT_TRUE(KroIGeometricalElement_var(feature)->GetBodyResult().IsSame(
        part->GetBody(expected.solidIndex + 1)));
  }
  EXPECT_TRUE(part->FindFeature(model->Features()[0].name.c_str()).IsSame(part->GetFeature(1)));
  EXPECT_FALSE(part->FindFeature("NoSuchFeature"));
  EXPECT_TRUE(part->GetMainBody().IsSame(
      KroIGeometricalElement_var(part->GetFeature(part->GetFeatureCount()))->GetBodyResult()));
}

TEST(KroMfPart, DocumentsBuiltInCodeTakeTheCallersFeatures) {
  std::shared_ptr<KroBRepModel> box = KroBRepModel::MakeBox(10, 20, 30);
  ASSERT_TRUE(box);
  std::vector<KroMfPart::FeatureDescription> features(3);
  features[0] = {"Pad", "", "", "", 0};
  features[1] = {"Pocket", "MyPocket", "Pocket.1", "", 0};
  features[2] = {"Pad", "", "Pad.2", "Ref.Pad.2", 0};
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateFromModel(box, features, part), KRO_S_OK);
  ASSERT_EQ(part->GetFeatureCount(), 3);

  KroIJournalingSpec_var pocket(part->GetFeature(2)), pad2(part->GetFeature(3));
  ASSERT_TRUE(pocket && pad2);
  KroUnicodeString reference;
  ASSERT_EQ(pocket->GetNamingReference(reference), KRO_S_OK);
  EXPECT_EQ(reference, KroUnicodeString("Pocket.1")) << "the journaling name by default";
  ASSERT_EQ(pad2->GetNamingReference(reference), KRO_S_OK);
  EXPECT_EQ(reference, KroUnicodeString("Ref.Pad.2"));
  EXPECT_TRUE(part->FindFeature("Pad").IsSame(part->GetFeature(1))) << "the first of the name";

  // Three features share the body: the body's scope is the first feature's.
  KroBrpGraph* graph = part->GetBRepGraph();
  KroBrpScope* scope = graph->GetScope(part->GetBody(1).get());
  ASSERT_TRUE(scope);
  EXPECT_TRUE(scope->GetAssociatedObject().IsSame(part->GetFeature(1)));
  EXPECT_EQ(graph->GetScopeCount(), 3);

  // Features of the model's own list.
  KroMfPart_var fromModel;
  ASSERT_EQ(KroMfPart::CreateFromModel(box, fromModel), KRO_S_OK);
  ASSERT_EQ(fromModel->GetFeatureCount(), 1);
  EXPECT_EQ(fromModel->GetFeature(1)->GetName(), KroUnicodeString("Box"));
}

TEST(KroMfPart, RefusesModelsAndFeaturesItCannotBuild) {
  std::shared_ptr<KroBRepModel> box = KroBRepModel::MakeBox(1, 1, 1);
  struct Row {
    const char* name;
    std::shared_ptr<KroBRepModel> model;
    std::vector<KroMfPart::FeatureDescription> features;
    std::vector<std::string> trace;
  };
  const std::vector<Row> rows = {
      {"null model", nullptr, {{"F", "", "", "", 0}}, {"KroMfPart::CreateFromModel:100"}},
      {"no feature", box, {}, {"KroMfPart::CreateFromModel:200"}},
      {"solid out of range", box, {{"F", "", "", "", 1}}, {"KroMfPart::CreateFromModel:300"}},
      {"negative solid", box, {{"F", "", "", "", -1}}, {"KroMfPart::CreateFromModel:300"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KroMfPart_var part = SamplePart();
    KroUnicodeString message;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(KroMfPart::CreateFromModel(row.model, row.features, part, &message), KRO_E_FAIL);
    EXPECT_FALSE(part);
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_EQ(Trace(recorder), row.trace);
  }
}

// --------------------------------------------------------------------------------------------
// Spec container
// --------------------------------------------------------------------------------------------

TEST(KroMfPart, SpecContainerListsTheFeaturesThatImplementAnInterface) {
  KroMfPart_var part = SamplePart();
  KroIContainer_var container = KroMfBRepUtils::GetSpecContainer(part);
  ASSERT_TRUE(container);
  struct Row {
    const char* name;
    bool (*keeps)(KroBaseUnknown*);
  };
  const Row rows[] = {
      {KroISpecObject::ClassName(), [](KroBaseUnknown*) { return true; }},
      {KroIGnAssociatedObject::ClassName(), [](KroBaseUnknown*) { return true; }},
      {KroIAlias::ClassName(), [](KroBaseUnknown* o) { return bool(KroIAlias_var(o)); }},
      {KroIJournalingSpec::ClassName(),
       [](KroBaseUnknown* o) { return bool(KroIJournalingSpec_var(o)); }},
      {KroBody::ClassName(), [](KroBaseUnknown*) { return false; }},
      {"NoSuchInterface", [](KroBaseUnknown*) { return false; }},
      {"", [](KroBaseUnknown*) { return false; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> expected, listed;
    for (int i = 1; i <= part->GetFeatureCount(); ++i) {
      KroISpecObject_var feature = part->GetFeature(i);
      if (row.keeps(feature.get())) expected.push_back(feature->GetName().ToStdString());
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

TEST(KroMfBRepUtils, ContextServicesAnswerFromEveryObjectOfTheDocument) {
  KroMfPart_var part = SamplePart();
  KroBody_var body = part->GetBody(2);
  KroISpecObject_var feature = part->GetFeature(2);
  ASSERT_TRUE(KroIGeometricalElement_var(feature)->GetBodyResult().IsSame(body));
  KroCell_var vertex = FirstCell(body, 0), edge = FirstCell(body, 1), face = FirstCell(body, 2),
              volume = FirstCell(body, 3);
  KroBrpGraph* graph = part->GetBRepGraph();
  ASSERT_TRUE(graph);
  KroBrpScope* scope = graph->GetScope(KroIGnAssociatedObject_var(feature).get());
  ASSERT_TRUE(scope);

  struct Row {
    const char* name;
    KroBaseUnknown* context;
    KroBaseUnknown* body;  // what GetBody gives
  };
  const Row rows[] = {
      {"document", part.get(), part->GetMainBody().get()},
      {"feature", feature.get(), body.get()},
      {"body", body.get(), body.get()},
      {"vertex", vertex.get(), body.get()},
      {"edge", edge.get(), body.get()},
      {"face", face.get(), body.get()},
      {"volume", volume.get(), body.get()},
      {"curve", edge->GetGeometry().get(), nullptr},
      {"factory", part->GetGeoFactory().get(), nullptr},
      {"graph", graph, nullptr},
      {"scope", scope, body.get()},
      {"BRep object", scope->GetBrpObject(1), body.get()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(row.context);
    EXPECT_EQ(KroMfGNServices::GetGraph(row.context), graph);
    EXPECT_EQ(KroMfBRepUtils::GetGraph(row.context), graph);
    EXPECT_TRUE(KroMfBRepServices::GetGeoFactory(row.context).IsSame(part->GetGeoFactory()));
    EXPECT_TRUE(KroMfBRepUtils::GetSpecContainer(row.context).IsSame(part));
    KroIContainer_var specs, second, third;
    KroBrpGraph* containerGraph = nullptr;
    EXPECT_EQ(
        KroMfBRepUtils::GetAssociatedContainers(row.context, specs, containerGraph, second, third),
        KRO_S_OK);
    EXPECT_TRUE(specs.IsSame(part));
    EXPECT_EQ(containerGraph, graph);
    EXPECT_FALSE(second);
    EXPECT_FALSE(third);
    EXPECT_TRUE(KroMfBRepUtils::GetBody(row.context).IsSame(KroBaseUnknown_var(row.body)));
  }
}

TEST(KroMfBRepUtils, ObjectsOfNoDocumentHaveNoContext) {
  KroSoftwareConfiguration_var foreign =
      KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
  KroBaseUnknown* contexts[] = {foreign.get(), nullptr};
  for (KroBaseUnknown* context : contexts) {
    SCOPED_TRACE(context ? "foreign object" : "null");
    EXPECT_EQ(KroMfGNServices::GetGraph(context), nullptr);
    EXPECT_EQ(KroMfBRepUtils::GetGraph(context), nullptr);
    EXPECT_FALSE(KroMfBRepServices::GetGeoFactory(context));
    EXPECT_FALSE(KroMfBRepUtils::GetSpecContainer(context));
    EXPECT_FALSE(KroMfBRepUtils::GetBody(context));
    KroIContainer_var specs, second, third;
    KroBrpGraph* graph = reinterpret_cast<KroBrpGraph*>(&specs);
    EXPECT_EQ(KroMfBRepUtils::GetAssociatedContainers(context, specs, graph, second, third),
              KRO_E_FAIL);
    EXPECT_EQ(graph, nullptr);
    EXPECT_FALSE(specs);
  }
}

// --------------------------------------------------------------------------------------------
// Generic-naming graph
// --------------------------------------------------------------------------------------------

TEST(KroBrpGraph, EveryLookupLeadsBackToTheSameScope) {
  KroMfPart_var part = SamplePart();
  KroBrpGraph* graph = KroMfGNServices::GetGraph(part);
  ASSERT_EQ(graph->GetScopeCount(), part->GetFeatureCount());
  for (int i = 1; i <= part->GetFeatureCount(); ++i) {
    KroIGnAssociatedObject_var feature(part->GetFeature(i));
    SCOPED_TRACE(IdentifierText(feature));
    KroBrpScope* scope = graph->GetScope(feature.get());
    ASSERT_TRUE(scope);
    EXPECT_EQ(scope, graph->GetScopeAt(i));
    EXPECT_TRUE(scope->GetAssociatedObject().IsSame(feature));
    KroBody_var body = scope->GetBody(1);
    ASSERT_TRUE(body);
    EXPECT_TRUE(body.IsSame(KroIGeometricalElement_var(feature)->GetBodyResult()));
    EXPECT_EQ(graph->GetScope(body.get()), scope);
    EXPECT_EQ(graph->GetNodeFromBodyTag(body->GetTag()), scope);
    EXPECT_EQ(graph->GetScope(KroGnIdentifier(static_cast<uint32_t>(i))), scope);
    EXPECT_EQ(graph->GetScopeFromElementNumber(scope->GetElementNumber()), scope);
    EXPECT_EQ(scope->GetGraph(), graph);
  }
  EXPECT_EQ(graph->GetScope(KroGnIdentifier(999u)), nullptr);
  EXPECT_EQ(graph->GetScope(KroGnIdentifier(1u, 0u)), nullptr) << "kind 3 names no feature";
  EXPECT_EQ(graph->GetScope(KroGnIdentifier()), nullptr);
  EXPECT_EQ(graph->GetScope(static_cast<KroIGnAssociatedObject*>(nullptr)), nullptr);
  EXPECT_EQ(graph->GetNodeFromBodyTag(0), nullptr);
  // A feature of another document with the same identifier is not this graph's.
  KroMfPart_var other = SamplePart();
  EXPECT_EQ(graph->GetScope(KroIGnAssociatedObject_var(other->GetFeature(1)).get()), nullptr);
  EXPECT_EQ(graph->GetScope(other->GetBody(1).get()), nullptr);
}

TEST(KroBrpGraph, BRepObjectsNameEachCellOnceWithUniqueElementNumbers) {
  KroMfPart_var part = SamplePart();
  KroBrpGraph* graph = part->GetBRepGraph();
  std::set<int> numbers;
  for (int s = 1; s <= graph->GetScopeCount(); ++s) {
    KroBrpScope* scope = graph->GetScopeAt(s);
    EXPECT_TRUE(numbers.insert(scope->GetElementNumber()).second);
    EXPECT_EQ(graph->FindBrpObject(scope->GetElementNumber()), nullptr) << "a scope's number";
    KroBody_var body = scope->GetBody(1);
    int cellCount = 0;
    for (short dim = 0; dim <= 3; ++dim) {
      KroListPtrKroCell cells;
      ASSERT_EQ(body->GetAllCells(cells, dim), KRO_S_OK);
      cellCount += cells.Size();
      for (int i = 1; i <= cells.Size(); ++i) {
        KroListPtrKroBrpObject objects;
        ASSERT_EQ(scope->GetBrpObjects(cells[i], objects), KRO_S_OK);
        ASSERT_EQ(objects.Size(), 1);
        KroBrpObject* object = objects[1];
        EXPECT_EQ(object->GetScope(), scope);
        EXPECT_TRUE(numbers.insert(object->GetElementNumber()).second) << "unique";
        EXPECT_EQ(graph->FindBrpObject(object->GetElementNumber()), object);
        EXPECT_TRUE(object->GetTopology(1).IsSame(KroCell_var(cells[i])));
      }
    }
    EXPECT_EQ(scope->GetBrpObjectCount(), cellCount);
    KroListPtrKroBrpObject none;
    EXPECT_EQ(scope->GetBrpObjects(body.get(), none), KRO_S_OK);
    EXPECT_EQ(none.Size(), 0) << "the body itself has no BRep object";
    EXPECT_EQ(scope->GetBrpObjects(nullptr, none), KRO_E_FAIL);
  }
  EXPECT_EQ(static_cast<int>(numbers.size()), graph->GetScopeCount() + graph->GetBrpObjectCount());
}

TEST(KroBrpObjectIter, WalksTheGraphInOrderAndFiltersByInterface) {
  KroMfPart_var part = SamplePart();
  KroBrpGraph* graph = part->GetBRepGraph();
  int vertices = 0;
  for (int b = 1; b <= part->GetBodyCount(); ++b) vertices += part->GetBody(b)->GetCellCount(0);
  struct Row {
    const char* type;
    int expected;
  };
  const Row rows[] = {{"", graph->GetBrpObjectCount()},
                      {"KroVertex", vertices},
                      {"KroCell", graph->GetBrpObjectCount()},
                      {"KroBody", 0},
                      {"NoSuchInterface", 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    KroBrpObjectIter it = graph->CreateIterator(row.type);
    int count = 0, last = 0;
    for (KroBrpObject* o = it.Next(); o; o = it.Next()) {
      ++count;
      EXPECT_GT(o->GetElementNumber(), last);
      last = o->GetElementNumber();
      if (std::string(row.type) == "KroVertex") {
        EXPECT_TRUE(KroVertex_var(o->GetTopology()));
      }
    }
    EXPECT_EQ(count, row.expected);
    EXPECT_EQ(it.Next(), nullptr) << "stays at the end";
    it.Reset();
    EXPECT_EQ(it.Next() != nullptr, row.expected > 0) << "Reset starts again";
  }
  KroBrpObjectIter empty;
  EXPECT_EQ(empty.Next(), nullptr);
}

// --------------------------------------------------------------------------------------------
// Geometric factory
// --------------------------------------------------------------------------------------------

TEST(KroGeoFactory, FindsBodiesAndCellsByTagAndTypeCode) {
  KroMfPart_var part = SamplePart();
  KroGeoFactory_var factory = KroMfBRepServices::GetGeoFactory(part);
  ASSERT_TRUE(factory);
  KroBody_var body = part->GetBody(3);
  KroCell_var face = FirstCell(body, 2);
  struct Row {
    const char* name;
    unsigned int tag;
    unsigned int type;
    KroBaseUnknown* expected;
  };
  const Row rows[] = {
      {"body as body", body->GetTag(), KroGeoFactory::kBodyType, body.get()},
      {"body as topology", body->GetTag(), KroGeoFactory::kTopologyType, body.get()},
      {"face as topology", face->GetTag(), KroGeoFactory::kTopologyType, face.get()},
      {"face as body", face->GetTag(), KroGeoFactory::kBodyType, nullptr},
      {"tag 0", 0, KroGeoFactory::kTopologyType, nullptr},
      {"unknown tag", 0xFFFFFFF0u, KroGeoFactory::kTopologyType, nullptr},
      {"unknown type code", face->GetTag(), 0x8000003, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KroBaseUnknown_var found = factory->FindObjectFromTag(row.tag, row.type);
    EXPECT_TRUE(found.IsSame(KroBaseUnknown_var(row.expected)));
  }
  // Every cell of every body: one object per tag, whichever way it is reached.
  for (int b = 1; b <= part->GetBodyCount(); ++b) {
    for (short dim = 0; dim <= 3; ++dim) {
      KroListPtrKroCell cells;
      part->GetBody(b)->GetAllCells(cells, dim);
      for (int i = 1; i <= cells.Size(); ++i) {
        KroCell* cell = cells[i];
        ASSERT_EQ(factory->FindObjectFromTag(cell->GetTag(), KroGeoFactory::kTopologyType).get(),
                  static_cast<KroBaseUnknown*>(cell));
        EXPECT_EQ(cell->GetDimension(), dim);
        EXPECT_TRUE(cell->GetBody().IsSame(part->GetBody(b)));
      }
    }
  }
}

TEST(KroCell, BoundingCellsFollowTheBodysOrderAndCoverTheBoundary) {
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateFromModel(KroBRepModel::MakeBox(1, 2, 3), part), KRO_S_OK);
  KroBody_var body = part->GetBody(1);
  KroCell_var volume = FirstCell(body, 3);
  for (short dim = 0; dim <= 2; ++dim) {
    SCOPED_TRACE(dim);
    KroListPtrKroCell fromBody, fromVolume;
    ASSERT_EQ(body->GetAllCells(fromBody, dim), KRO_S_OK);
    ASSERT_EQ(volume->GetAllCells(fromVolume, dim), KRO_S_OK);
    EXPECT_EQ(fromVolume.Size(), fromBody.Size());
    for (int i = 1; i <= fromBody.Size(); ++i) EXPECT_GT(fromVolume.Locate(fromBody[i]), 0);
  }
  KroCell_var face = FirstCell(body, 2);
  KroListPtrKroCell list;
  ASSERT_EQ(face->GetAllCells(list, 1), KRO_S_OK);
  EXPECT_EQ(list.Size(), 4) << "a box face has four edges";
  ASSERT_EQ(face->GetAllCells(list, 2), KRO_S_OK);
  ASSERT_EQ(list.Size(), 1);
  EXPECT_EQ(list[1], face.get()) << "its own dimension gives the cell itself";
  ASSERT_EQ(face->GetAllCells(list, 3), KRO_S_OK);
  EXPECT_EQ(list.Size(), 0);
  EXPECT_EQ(face->GetAllCells(list, 4), KRO_E_FAIL);
  EXPECT_EQ(face->GetAllCells(list, -1), KRO_E_FAIL);
  EXPECT_EQ(body->GetAllCells(list, 4), KRO_E_FAIL);
  EXPECT_EQ(list.Size(), 0);
}
