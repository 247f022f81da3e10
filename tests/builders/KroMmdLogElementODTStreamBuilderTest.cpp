// LogElement builder: the written form (root as a nested GNAOSpec stream, then the path), reading
// it back on a STEP model, and the failures of reading and writing paths.
#include <gtest/gtest.h>

#include <string>

#include "KroBrpGraph.h"
#include "KroMfGNServices.h"
#include "KroMmdBuilderTestSupport.h"
#include "KroMmdLogElementODTStreamBuilder.h"

namespace {

KroIMmiLogElement_var Child(const KroMfPart_var& part, int feature, int index) {
  KroIMmiLogElement_var root(part->GetFeature(feature));
  KroListValKroUnicodeString keys;
  KroIMmiLogElement_var child;
  EXPECT_EQ(root->GetLogChild(index, keys, child), KRO_S_OK);
  return child;
}

// The written stream, or "" on failure.
std::string Write(const KroMfPart_var& part, const KroIMmiLogElement_var& element,
                  const char* query) {
  KroMmdLogElementODTStreamBuilder builder;
  EXPECT_EQ(builder.SetContext(part), KRO_S_OK);
  KroUnicodeString stream;
  if (builder.SetLogElement(element) != KRO_S_OK || builder.GetODTStream(query, stream) != KRO_S_OK)
    return "";
  return stream.ToStdString();
}

// The element read, or null on failure.
KroIMmiLogElement_var Read(const KroMfPart_var& part, const std::string& stream) {
  KroMmdLogElementODTStreamBuilder builder;
  EXPECT_EQ(builder.SetContext(part), KRO_S_OK);
  KroIMmiLogElement_var element;
  if (builder.SetODTStream(stream.c_str()) == KRO_S_OK) {
    EXPECT_EQ(builder.GetLogElement(element), KRO_S_OK);
  }
  return element;
}

}  // namespace

TEST(KroMmdLogElementODTStreamBuilder, WritesTheRootStreamAndThePath) {
  KroMfPart_var part = KroTestSamplePart();
  const std::string tag = std::to_string(part->GetBody(3)->GetTag());
  KroBody_var body = part->GetBody(3);
  const int faces = body->GetCellCount(2), edges = body->GetCellCount(1);
  const int cells = faces + edges + body->GetCellCount(0) + 1;
  struct Row {
    int index;
    const char* query;
    std::string expected;
  };
  const Row rows[] = {
      {1, "", R"({"root":{"bodyTag":")" + tag + R"("},"logPath":"Construction.Face.1"})"},
      {1, "root{gnId} logPath", R"({"root":{"gnId":"#3"},"logPath":"Construction.Face.1"})"},
      {1, "logPath{gnId}",
       R"({"logPath":"Construction.Face.1","root":{"bodyTag":")" + tag + R"("}})"},
      {faces + 2, "logPath root{alias gnId}",
       R"({"logPath":"Construction.Edge.2","root":{"alias":"BossFoot","gnId":"#3"}})"},
      {cells, "root{specId} logPath",
       R"({"root":{"specId":"#3"},"logPath":"Construction.Volume.1"})"},
  };
  ASSERT_EQ(KroIMmiLogElement_var(part->GetFeature(3))->GetLogChildCount(), cells);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.query);
    const KroIMmiLogElement_var element = Child(part, 3, row.index);
    EXPECT_EQ(KroTestIdentifierText(KroIGnAssociatedObject_var(element)),
              "~3~" + std::to_string(row.index));
    EXPECT_EQ(Write(part, element, row.query), row.expected);
  }
}

TEST(KroMmdLogElementODTStreamBuilder, TracesStreamsThatNameNoElement) {
  const std::string set = "KroMmdLogElementODTStreamBuilder::SetValueStream";
  const std::string path = "KroMmdLogElementODTStreamBuilder::_SetLogPathStream";
  struct Row {
    const char* stream;
    KroTestChain chain;
  };
  const Row rows[] = {
      // No root is known yet when the path comes first.
      {R"({"logPath":"Construction.Face.1","root":{"gnId":"#1"}})", {{100, path}, {300, set}}},
      {R"({"root":{"gnId":"#1"},"logPath":"Construction.Face.100000"})", {{500, path}, {300, set}}},
      {R"({"root":{"gnId":"#1"},"logPath":"Construction..1"})", {{500, path}, {300, set}}},
      {R"({"root":{"gnId":"#1"},"logPath":""})", {{500, path}, {300, set}}},
      // A log element as root: no spec, so no configuration to read its log with.
      {R"({"root":{"gnId":"~1~1"},"logPath":"Construction.Face.1"})", {{200, path}, {300, set}}},
      {R"({"root":{"gnId":"#77"},"logPath":"Construction.Face.1"})",
       {{200, "KroMmdGNAOSpecODTStreamBuilder::SetGnId"},
        {200, "KroMmdGNAOSpecODTStreamBuilder::_SetSpecIdStream"},
        {300, "KroMmdGNAOSpecODTStreamBuilder::SetValueStream"},
        {400, "KroMmdODTStreamBuilder::SetODTStream"},
        {200, "KroMmdLogElementODTStreamBuilder::_SetRootStream"},
        {200, set}}},
      {R"({"root":{"gnId":"#1"},"path":"Construction.Face.1"})", {{6969, set}}},
  };
  KroMfPart_var part = KroTestSamplePart();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stream);
    KroMmdLogElementODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(row.stream), KRO_E_FAIL);
    KroTestChain expected = row.chain;
    expected.push_back({400, "KroMmdODTStreamBuilder::SetODTStream"});
    EXPECT_EQ(KroTestChainOf(recorder), expected);
    KroIMmiLogElement_var element;
    EXPECT_FALSE((builder.GetLogElement(element), element));
  }
}

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
    KroSysTraceRecorder recorder;
    KroUnicodeString stream;
    EXPECT_EQ(builder.GetODTStream("root{gnId} logPath", stream), KRO_E_FAIL);
    const KroTestChain expected = {{700, "KroMmdLogElementODTStreamBuilder::_GetLogPathStream"},
                                   {300, "KroMmdLogElementODTStreamBuilder::GetValueStream"},
                                   {100, "KroMmdODTStreamBuilder::_MapGetValueStream"},
                                   {500, "KroMmdODTStreamBuilder::GetODTStream"}};
    EXPECT_EQ(KroTestChainOf(recorder), expected);
  }
  // Either path still reads: each names one element.
  EXPECT_TRUE(
      Read(part, R"({"root":{"gnId":"#900"},"logPath":"Construction/Twin/2"})").IsSame(twin));
}

TEST(KroMmdLogElementODTStreamBuilder, RefusesElementsThatNameNoRoot) {
  KroMfPart_var part = KroTestSamplePart();
  const std::string name = "KroMmdLogElementODTStreamBuilder::SetLogElement";
  const std::string setGnId = "KroMmdGNAOSpecODTStreamBuilder::SetGnId";
  const std::string diezele = "KroMmdGNAOSpecODTStreamBuilder::SetDiezele";
  struct Row {
    const char* what;
    KroMfPart_var context;
    KroIMmiLogElement_var element;
    KroTestChain chain;
  };
  const Row rows[] = {
      {"null", part, nullptr, {{100, name}}},
      {"a feature", part, KroIMmiLogElement_var(part->GetFeature(1)), {{300, name}}},
      {"an unknown root",
       part,
       KroTestLogNode::Make(KroGnIdentifier(77u, 1u)),
       {{200, setGnId}, {100, diezele}, {500, name}}},
      {"no context", nullptr, Child(part, 1, 1), {{100, setGnId}, {100, diezele}, {500, name}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    KroMmdLogElementODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(row.context), KRO_S_OK);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetLogElement(row.element), KRO_E_FAIL);
    EXPECT_EQ(KroTestChainOf(recorder), row.chain);
  }
}
