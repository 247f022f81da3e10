// The log element table under the LogElement builder: selectors and paths over a log that a
// test builds, logs it refuses, and where the document's log stands in the naming graph.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KroBrpGraph.h"
#include "KroMfGNServices.h"
#include "KroMfLog.h"
#include "KroMmdBuilderTestSupport.h"
#include "KroMmrLogElementTable.h"
#include "KroMmrLogTransactionContext.h"

namespace {

KroTestLogNode* NewNode(uint32_t number) {
  return new KroTestLogNode(nullptr, KroGnIdentifier(number));
}
KroIMmiLogElement_var Adopt(KroTestLogNode* node) { return KroIMmiLogElement_var::Adopt(node); }

}  // namespace

TEST(KroMmrLogElementTable, SelectsElementsOnceEachInTableOrder) {
  // A.x.1 -> #1, A.x.2 -> #2 (holding sub -> #5), A.y.1 -> #3, B.x.1 -> #4, C -> #1 again.
  KroTestLogNode* rootNode = NewNode(100);
  KroTestLogNode* second = NewNode(2);
  const KroIMmiLogElement_var root = Adopt(rootNode), e2 = Adopt(second), e1 = Adopt(NewNode(1));
  second->AddChild({"sub"}, Adopt(NewNode(5)));
  rootNode->AddChild({"A", "x", "1"}, e1);
  rootNode->AddChild({"A", "x", "2"}, e2);
  rootNode->AddChild({"A", "y", "1"}, Adopt(NewNode(3)));
  rootNode->AddChild({"B", "x", "1"}, Adopt(NewNode(4)));
  rootNode->AddChild({"C"}, e1);
  KroSoftwareConfiguration_var config =
      KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
  KroMmrLogTransactionContext transaction(config.get(), KroIMmiLogTransactionPriv::ReadTransaction);
  KroMmrLogElementTable table(transaction);
  ASSERT_EQ(table.Init(root.get()), KRO_S_OK);
  struct Row {
    const char* selector;
    const char* all;    // QueryLogSelectorAll
    const char* found;  // QueryLogSelector: the one element, or "" when it fails
  };
  const Row rows[] = {
      {"A//*", "#1 #2 #5 #3", ""}, {"A/x/*", "#1 #2", ""},       {"//1", "#1 #3 #4", ""},
      {"*.x.*", "#1 #2 #4", ""},   {"//", "#1 #2 #5 #3 #4", ""}, {"A", "", ""},
      {"C", "#1", "#1"},           {"A.x.2/sub", "#5", "#5"},    {"A.x.1", "#1", "#1"},
      {"A..1", "#1 #3", ""},       {"A///x//1", "#1", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.selector);
    KroListValKroIMmiLogElement_var elements;
    ASSERT_EQ(table.QueryLogSelectorAll(root.get(), row.selector, elements), KRO_S_OK);
    std::string all;
    for (const KroIMmiLogElement_var& e : elements)
      all += (all.empty() ? "" : " ") + KroTestIdentifierText(KroIGnAssociatedObject_var(e));
    EXPECT_EQ(all, row.all);
    KroIMmiLogElement_var found;
    const KroResult result = table.QueryLogSelector(root.get(), row.selector, found);
    EXPECT_EQ(result, *row.found ? KRO_S_OK : KRO_E_FAIL);
    if (*row.found) {
      EXPECT_EQ(KroTestIdentifierText(KroIGnAssociatedObject_var(found)), row.found);
    }
  }
  KroListValKroUnicodeString paths;
  ASSERT_EQ(table.GetLogPathes(e1.get(), " > ", paths), KRO_S_OK);
  ASSERT_EQ(paths.Size(), 2);
  EXPECT_EQ(paths[1].ToStdString() + "|" + paths[2].ToStdString(), "A > x > 1|C");
  // Only the root given to Init is answered for.
  KroIMmiLogElement_var found;
  EXPECT_EQ(table.QueryLogSelector(e2.get(), "sub", found), KRO_E_FAIL);
}

TEST(KroMmrLogElementTable, RefusesLogsThatLoopOrNestTooDeepAndContextsThatCannotRead) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    KroSoftwareConfiguration_var config =
        KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
    KroMmrLogTransactionContext transaction(config.get(),
                                            KroIMmiLogTransactionPriv::ReadTransaction);
    KroTestLogNode* rootNode = NewNode(1);
    KroTestLogNode* loop = NewNode(2);
    const KroIMmiLogElement_var root = Adopt(rootNode);
    rootNode->AddChild({"a"}, Adopt(loop));
    loop->AddChild({"back"}, root);
    KroMmrLogElementTable table(transaction);
    EXPECT_EQ(table.Init(root.get()), KRO_E_FAIL);
    KroListValKroUnicodeString paths;
    EXPECT_EQ(table.GetLogPathes(root.get(), ".", paths), KRO_E_FAIL) << "not initialised";
    loop->ClearChildren();
    EXPECT_EQ(table.Init(root.get()), KRO_S_OK);

    // A chain one level deeper than a table reads.
    KroTestLogNode* deepest = NewNode(1000);
    const KroIMmiLogElement_var chain = Adopt(deepest);
    for (int i = 0; i < KroMmrLogElementTable::kMaxDepth; ++i) {
      KroTestLogNode* next = NewNode(1001 + i);
      deepest->AddChild({"n"}, Adopt(next));
      deepest = next;
    }
    EXPECT_EQ(table.Init(chain.get()), KRO_E_FAIL);

    KroMmrLogTransactionContext none(config.get(), KroIMmiLogTransactionPriv::NoTransaction);
    KroMmrLogTransactionContext unconfigured(nullptr, KroIMmiLogTransactionPriv::ReadTransaction);
    for (const KroMmrLogTransactionContext* context : {&none, &unconfigured})
      EXPECT_EQ(KroMmrLogElementTable(*context).Init(root.get()), KRO_E_FAIL);
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}

TEST(KroMfLog, NumbersItsElementsAfterEveryFeatureScopeAndBRepObject) {
  KroMfPart_var part = KroTestStepPart();
  KroBrpGraph* graph = KroMfGNServices::GetGraph(part);
  std::vector<int> before;
  for (int i = 1; i <= graph->GetScopeCount(); ++i)
    before.push_back(graph->GetScopeAt(i)->GetElementNumber());
  const int objects = graph->GetBrpObjectCount();
  const int last = graph->GetBrpObjectAt(objects)->GetElementNumber();
  ASSERT_EQ(KroMfLog::Find(part.get()), nullptr);

  // Looking a log element up by identifier makes the whole log, after everything else.
  KroBrpScope* scope = graph->GetScope(KroGnIdentifier(8u, 1u));
  ASSERT_TRUE(scope);
  KroMfLog* log = KroMfLog::Find(part.get());
  ASSERT_TRUE(log);
  int elements = 0;
  for (int f = 1; f <= part->GetFeatureCount(); ++f) elements += log->GetElementCount(f);
  ASSERT_EQ(graph->GetScopeCount(), static_cast<int>(before.size()) + elements);
  EXPECT_EQ(graph->GetBrpObjectCount(), objects) << "log scopes name no cell";
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(graph->GetScopeAt(static_cast<int>(i) + 1)->GetElementNumber(), before[i]);
  EXPECT_EQ(graph->GetScopeAt(static_cast<int>(before.size()) + 1)->GetElementNumber(), last + 1);
  EXPECT_EQ(KroTestIdentifierText(scope->GetAssociatedObject()), "~8~1");
  // A fresh load finds the same element from the same element number.
  KroMfPart_var fresh = KroTestStepPart();
  KroBrpScope* again =
      KroMfGNServices::GetGraph(fresh)->GetScopeFromElementNumber(scope->GetElementNumber());
  ASSERT_TRUE(again);
  EXPECT_EQ(KroTestIdentifierText(again->GetAssociatedObject()), "~8~1");
}
