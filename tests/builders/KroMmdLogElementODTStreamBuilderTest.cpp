// LogElement builder: elements that have no single path to write; the table under it: the logs
// it refuses and its wildcard selector.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "KroBrpGraph.h"
#include "KroMfGNServices.h"
#include "KroMmdBuilderTestSupport.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroMmrLogElementTable.h"
#include "KroMmrLogTransactionContext.h"
#include "KroSysTraceRecorder.h"

TEST(KroMmdLogElementODTStreamBuilder, TracesElementsWithoutExactlyOnePath) {
  KroMfPart_var part = KroTestSamplePart();
  // An element numbered under the first feature that its log does not hold, and one that a
  // test root (added to the graph as "#900") lists under two paths.
  const KroIMmiLogElement_var stray = KroTestLogNode::Make(KroGnIdentifier(1u, 99999u));
  const KroIMmiLogElement_var twin = KroTestLogNode::Make(KroGnIdentifier(900u, 1u));
  KroTestLogNode* root = new KroTestLogNode(part.get(), KroGnIdentifier(900u));
  root->AddChild({"Construction", "Twin", "1"}, twin);
  root->AddChild({"Construction", "Twin", "2"}, twin);
  ASSERT_TRUE(KroMfGNServices::GetGraph(part)->AddScope(root, nullptr));
  for (const KroIMmiLogElement_var& element : {stray, twin}) {
    KroMmdLogElementODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    ASSERT_EQ(builder.SetLogElement(element), KRO_S_OK);
    EXPECT_EQ(KroTestWriteFailure(builder, "root{gnId} logPath"),
              "Log::_GetLogPathStream:700 < Log::GetValueStream:300 < "
              "ODT::_MapGetValueStream:100 < ODT::GetODTStream:500");
  }
  // Either path still reads: each names one element.
  KroMmdLogElementODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  ASSERT_EQ(builder.SetODTStream(R"({"root":{"gnId":"#900"},"logPath":"Construction/Twin/2"})"),
            KRO_S_OK);
  KroIMmiLogElement_var element;
  ASSERT_EQ(builder.GetLogElement(element), KRO_S_OK);
  EXPECT_TRUE(element.IsSame(twin));
}

// A log that loops or nests too deep is refused rather than walked until the stack runs out.
TEST(KroMmrLogElementTable, RefusesLogsThatLoopOrNestTooDeepAndContextsThatCannotRead) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    KroSoftwareConfiguration_var config =
        KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
    KroMmrLogTransactionContext transaction(config.get(),
                                            KroIMmiLogTransactionPriv::ReadTransaction);
    KroMmrLogElementTable table(transaction);
    KroTestLogNode* rootNode = nullptr;
    KroTestLogNode* loop = nullptr;
    const KroIMmiLogElement_var root = KroTestLogNode::Make(KroGnIdentifier(1u), &rootNode);
    rootNode->AddChild({"a"}, KroTestLogNode::Make(KroGnIdentifier(2u), &loop));
    loop->AddChild({"back"}, root);
    EXPECT_EQ(table.Init(root.get()), KRO_E_FAIL);
    KroListValKroUnicodeString paths;
    EXPECT_EQ(table.GetLogPathes(root.get(), ".", paths), KRO_E_FAIL) << "not initialised";
    loop->ClearChildren();
    EXPECT_EQ(table.Init(root.get()), KRO_S_OK);

    // A chain one level deeper than a table reads.
    KroTestLogNode* deepest = nullptr;
    const KroIMmiLogElement_var chain = KroTestLogNode::Make(KroGnIdentifier(1000u), &deepest);
    for (uint32_t i = 1; i <= KroMmrLogElementTable::kMaxDepth; ++i) {
      KroTestLogNode* parent = deepest;
      parent->AddChild({"n"}, KroTestLogNode::Make(KroGnIdentifier(1000u + i), &deepest));
    }
    EXPECT_EQ(table.Init(chain.get()), KRO_E_FAIL);

    KroMmrLogTransactionContext none(config.get(), KroIMmiLogTransactionPriv::NoTransaction);
    KroMmrLogTransactionContext unconfigured(nullptr, KroIMmiLogTransactionPriv::ReadTransaction);
    for (const KroMmrLogTransactionContext* context : {&none, &unconfigured})
      EXPECT_EQ(KroMmrLogElementTable(*context).Init(root.get()), KRO_E_FAIL);
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}

// The wildcard selector on a log of its own: "*" stands for one key and an empty key for any
// number of keys; each element comes once, in table order, however many of its paths match.
TEST(KroMmrLogElementTable, SelectsEveryElementWhosePathMatchesAWildcardSelector) {
  KroSoftwareConfiguration_var config =
      KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
  KroMmrLogTransactionContext transaction(config.get(), KroIMmiLogTransactionPriv::ReadTransaction);
  const auto node = [](uint32_t number, KroTestLogNode** raw = nullptr) {
    return KroTestLogNode::Make(KroGnIdentifier(number), raw);
  };
  KroTestLogNode* root = nullptr;
  KroTestLogNode* construction = nullptr;
  const KroIMmiLogElement_var log = node(1, &root);
  const KroIMmiLogElement_var face = node(3);
  root->AddChild({"Construction"}, node(2, &construction));
  construction->AddChild({"Face", "1"}, face);
  construction->AddChild({"Face", "2"}, node(4));
  root->AddChild({"Other", "Face", "1"}, node(7));
  root->AddChild({"Alias", "F"}, face);
  KroMmrLogElementTable table(transaction);
  ASSERT_EQ(table.Init(log.get()), KRO_S_OK);
  const std::pair<const char*, const char*> rows[] = {
      {"Construction/*/1", "#3"},
      {"Construction.*.1", "#3"},
      {"//Face/*", "#3 #4 #7"},
      {"//*", "#2 #3 #4 #7"},
      {"*", "#2"},
  };
  for (const auto& [selector, expected] : rows) {
    SCOPED_TRACE(selector);
    KroListValKroIMmiLogElement_var elements;
    EXPECT_EQ(table.QueryLogSelectorAll(log.get(), selector, elements), KRO_S_OK);
    std::string found;
    for (int i = 1; i <= elements.Size(); ++i) {
      found += (i > 1 ? " " : "") + KroTestIdentifierText(KroIGnAssociatedObject_var(elements[i]));
    }
    EXPECT_EQ(found, expected);
  }
  KroListValKroIMmiLogElement_var none;
  EXPECT_EQ(table.QueryLogSelectorAll(log.get(), "", none), KRO_E_FAIL);
}

// A feature's log is read once per document and shared; the log of any other root is read by
// every Init, so a table sees the log as it is now. Fault guarded: sharing the reading of a
// document object whose log changed (a test root) would miss its new elements.
TEST(KroMmrLogElementTable, ReadsAChangedLogAgainAndItsListsKeepTheirElementsAlive) {
  const long live = KroBaseUnknown::LiveObjects();
  KroListValKroIMmiLogElement_var listed;
  {
    KroMfPart_var part = KroTestSamplePart();
    KroSoftwareConfiguration_var config =
        KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
    KroMmrLogTransactionContext transaction(config.get(),
                                            KroIMmiLogTransactionPriv::ReadTransaction);
    KroTestLogNode* root = new KroTestLogNode(part.get(), KroGnIdentifier(900u));
    const KroIMmiLogElement_var first = KroTestLogNode::Make(KroGnIdentifier(900u, 1u));
    const KroIMmiLogElement_var second = KroTestLogNode::Make(KroGnIdentifier(900u, 2u));
    root->AddChild({"Construction", "Node", "1"}, first);
    KroIMmiLogElement_var found;
    {
      KroMmrLogElementTable table(transaction);
      ASSERT_EQ(table.Init(root), KRO_S_OK);
      EXPECT_EQ(table.QueryLogSelector(root, "Construction.Node.2", found), KRO_E_FAIL);
    }
    root->AddChild({"Construction", "Node", "2"}, second);
    KroMmrLogElementTable table(transaction);
    ASSERT_EQ(table.Init(root), KRO_S_OK);
    ASSERT_EQ(table.QueryLogSelector(root, "Construction.Node.2", found), KRO_S_OK);
    EXPECT_TRUE(found.IsSame(second));

    // The answer to a selector on a feature, in table order, outlives the table and the
    // document's last other reference.
    const KroIMmiLogElement_var feature(part->GetFeature(2));
    ASSERT_EQ(table.Init(feature.get()), KRO_S_OK);
    ASSERT_EQ(table.QueryLogSelectorAll(feature.get(), "Construction//*", listed), KRO_S_OK);
    ASSERT_EQ(listed.Size(), feature->GetLogChildCount());
  }
  for (int i = 1; i <= listed.Size(); ++i) {
    KroGnIdentifier identifier;
    ASSERT_EQ(KroIGnAssociatedObject_var(listed[i])->GetGnIdentifier(identifier, 0), KRO_S_OK);
    ASSERT_EQ(identifier, KroGnIdentifier(2u, static_cast<uint32_t>(i)));
  }
  listed.RemoveAll();
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}
