// GNAOSpec builder: every way of naming a feature or a log element, written and read back in
// the same document and in a fresh load of the same model; the texts that are fixed; failures
// with their trace chains.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "KroBrpGraph.h"
#include "KroIAlias.h"
#include "KroMfGNServices.h"
#include "KroMmdBuilderTestSupport.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"

namespace {

// The written stream, or "" on failure.
std::string Write(const KroMfPart_var& part, const KroIGnAssociatedObject_var& object,
                  const char* query) {
  KroMmdGNAOSpecODTStreamBuilder builder;
  EXPECT_EQ(builder.SetContext(part), KRO_S_OK);
  EXPECT_EQ(builder.SetGNAO(object), KRO_S_OK);
  KroUnicodeString stream;
  return builder.GetODTStream(query, stream) == KRO_S_OK ? stream.ToStdString() : "";
}

// The object read, or null on failure.
KroIGnAssociatedObject_var Read(const KroMfPart_var& part, const std::string& stream) {
  KroMmdGNAOSpecODTStreamBuilder builder;
  EXPECT_EQ(builder.SetContext(part), KRO_S_OK);
  KroIGnAssociatedObject_var object;
  if (builder.SetODTStream(stream.c_str()) == KRO_S_OK) {
    EXPECT_EQ(builder.GetGNAO(object), KRO_S_OK);
  }
  return object;
}

std::string NameOf(const KroIGnAssociatedObject_var& object) {
  KroISpecObject_var spec(object);
  return spec ? spec->GetName().ToStdString() : "";
}

KroIGnAssociatedObject_var Feature(const KroMfPart_var& part, int index) {
  return KroIGnAssociatedObject_var(part->GetFeature(index));
}

// Every feature by every key that applies to it (alias only where there is one) reads back to
// itself, and in a fresh load to the feature of the same identifier and name, which writes the
// same text again.
void ExpectFeaturesRoundTrip(const KroMfPart_var& writer, const KroMfPart_var& fresh) {
  ASSERT_TRUE(writer && fresh);
  std::set<std::string> names;
  for (int f = 1; f <= writer->GetFeatureCount(); ++f) names.insert(NameOf(Feature(writer, f)));
  ASSERT_EQ(static_cast<int>(names.size()), writer->GetFeatureCount()) << "names name one feature";
  for (int f = 1; f <= writer->GetFeatureCount(); ++f) {
    const KroIGnAssociatedObject_var feature = Feature(writer, f);
    for (const char* key :
         {"bodyTag", "bodyId", "specId", "gnId", "scopeEle", "scopeId", "alias", "namingRef"}) {
      SCOPED_TRACE(NameOf(feature) + " by " + key);
      if (std::string(key) == "alias" && !KroIAlias_var(feature)) continue;
      const std::string stream = Write(writer, feature, key);
      EXPECT_EQ(stream.find(std::string("{\"") + key + "\":"), 0u) << stream;
      EXPECT_TRUE(Read(writer, stream).IsSame(feature)) << stream;
      const KroIGnAssociatedObject_var other = Read(fresh, stream);
      EXPECT_EQ(KroTestIdentifierText(other), KroTestIdentifierText(feature)) << stream;
      EXPECT_EQ(NameOf(other), NameOf(feature));
      EXPECT_EQ(Write(fresh, other, key), stream);
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Round trips

TEST(KroMmdGNAOSpecODTStreamBuilder, RoundTripsEveryFeatureOfTheSamplePartByEveryKey) {
  ExpectFeaturesRoundTrip(KroTestSamplePart(), KroTestSamplePart());
}

TEST(KroMmdGNAOSpecODTStreamBuilder, RoundTripsEveryFeatureOfAStepModelByEveryKey) {
  ExpectFeaturesRoundTrip(KroTestStepPart(), KroTestStepPart());
}

TEST(KroMmdGNAOSpecODTStreamBuilder, RoundTripsNonASCIINamesAndAliases) {
  ExpectFeaturesRoundTrip(KroTestNonASCIIPart(), KroTestNonASCIIPart());
}

TEST(KroMmdGNAOSpecODTStreamBuilder, RoundTripsEveryLogElementByLogElementAndGnId) {
  for (const bool step : {false, true}) {
    KroMfPart_var writer = step ? KroTestStepPart() : KroTestSamplePart();
    KroMfPart_var fresh = step ? KroTestStepPart() : KroTestSamplePart();
    int checked = 0;
    for (int f = 1; f <= writer->GetFeatureCount(); ++f) {
      KroIMmiLogElement_var root(writer->GetFeature(f));
      for (int i = 1; i <= root->GetLogChildCount(); ++i, ++checked) {
        KroListValKroUnicodeString keys;
        KroIMmiLogElement_var child;
        ASSERT_EQ(root->GetLogChild(i, keys, child), KRO_S_OK);
        const KroIGnAssociatedObject_var element(child);
        for (const char* key : {"logElement", "gnId"}) {
          const std::string stream = Write(writer, element, key);
          SCOPED_TRACE(stream);
          ASSERT_FALSE(stream.empty());
          EXPECT_TRUE(Read(writer, stream).IsSame(element));
          const KroIGnAssociatedObject_var other = Read(fresh, stream);
          EXPECT_EQ(KroTestIdentifierText(other), KroTestIdentifierText(element));
          EXPECT_EQ(Write(fresh, other, key), stream);
        }
      }
    }
    EXPECT_GT(checked, 200);
  }
}

// ---------------------------------------------------------------------------------------------
// Written texts and lookups

TEST(KroMmdGNAOSpecODTStreamBuilder, WritesTheRequestedKeysInQueryOrderAndBodyTagByDefault) {
  KroMfPart_var part = KroTestNonASCIIPart();
  const std::string tag = std::to_string(part->GetBody(1)->GetTag());
  const std::string ele = std::to_string(
      KroMfGNServices::GetGraph(part)->GetScope(Feature(part, 1).get())->GetElementNumber());
  const KroIGnAssociatedObject_var element = Read(part, R"({"gnId":"~2~1"})");
  struct Row {
    KroIGnAssociatedObject_var object;
    const char* query;
    std::string expected;
  };
  const Row rows[] = {
      {Feature(part, 1), "", R"({"bodyTag":")" + tag + R"("})"},
      {Feature(part, 1), "alias specId", R"({"alias":"Ausführung_ö","specId":"#1"})"},
      {Feature(part, 1), "specId alias", R"({"specId":"#1","alias":"Ausführung_ö"})"},
      {Feature(part, 1), "scopeId bodyId",
       R"({"scopeId":"*)" + ele + R"(","bodyId":")" + tag + R"("})"},
      {Feature(part, 2), "namingRef alias", R"({"namingRef":"参照_穴1","alias":"穴の別名"})"},
      {Feature(part, 3), "namingRef", R"({"namingRef":"Ébauche «1»"})"},
      {element, "gnId", R"({"gnId":"~2~1"})"},
      {element, "logElement{root{gnId} logPath}",
       R"({"logElement":{"root":{"gnId":"#2"},"logPath":"Construction.Face.1"}})"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.query);
    EXPECT_EQ(Write(part, row.object, row.query), row.expected);
  }
  // The bare element number reads like the written "*" form.
  EXPECT_TRUE(Read(part, R"({"scopeEle":")" + ele + R"("})").IsSame(Feature(part, 1)));
}

TEST(KroMmdGNAOSpecODTStreamBuilder, FindsNamingReferencesBeforeSpecNames) {
  // The second feature's name is the first one's naming reference: the reference wins.
  const std::vector<KroMfPart::FeatureDescription> features = {{"Alpha", "", "A.J", "Beta", 0},
                                                               {"Beta", "", "", "", 1}};
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateFromModel(KroBRepModel::MakeSamplePart(), features, part), KRO_S_OK);
  EXPECT_TRUE(Read(part, R"({"namingRef":"Beta"})").IsSame(Feature(part, 1)));
  EXPECT_TRUE(Read(part, R"({"namingRef":"Alpha"})").IsSame(Feature(part, 1)));
  // A reference or alias that matches nothing reads successfully, to no object.
  EXPECT_FALSE(Read(part, R"({"gnId":"#1","namingRef":"Gamma"})"));
  EXPECT_FALSE(Read(part, R"({"gnId":"#1","alias":"Beta"})"));
}

TEST(KroMmdGNAOSpecODTStreamBuilder, LeavesNoReferenceBehindWhenTheDocumentGoes) {
  const long live = KroBaseUnknown::LiveObjects();
  {
    KroMfPart_var part = KroTestSamplePart();
    KroIGnAssociatedObject_var element = Read(part, R"({"gnId":"~1~3"})");
    EXPECT_TRUE(Read(part, Write(part, element, "logElement")).IsSame(element));
    EXPECT_TRUE(Read(part, R"({"alias":"BasePlate"})").IsSame(Feature(part, 1)));
    EXPECT_EQ(part->RefCount(), 2u) << "the document and the element";
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}

// ---------------------------------------------------------------------------------------------
// Failures

TEST(KroMmdGNAOSpecODTStreamBuilder, TracesStreamsThatNameNothing) {
  const std::string set = "KroMmdGNAOSpecODTStreamBuilder::SetValueStream";
  const std::string setGnId = "KroMmdGNAOSpecODTStreamBuilder::SetGnId";
  const std::string specId = "KroMmdGNAOSpecODTStreamBuilder::_SetSpecIdStream";
  const std::string bodyTag = "KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream";
  const std::string scopeEle = "KroMmdGNAOSpecODTStreamBuilder::_SetScopeEleStream";
  struct Row {
    const char* stream;
    KroTestChain chain;
  };
  const Row rows[] = {
      {R"({"specId":"#999"})", {{200, setGnId}, {200, specId}, {300, set}}},
      {R"({"gnId":"~1~FFFFF"})", {{200, setGnId}, {200, specId}, {300, set}}},
      {R"({"gnId":"42"})",
       {{3000, "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream"},
        {100, specId},
        {300, set}}},
      {R"({"bodyTag":"4000000000"})", {{400, bodyTag}, {200, set}}},
      {R"({"bodyId":"-3"})", {{100, bodyTag}, {200, set}}},
      {R"({"scopeEle":"*x"})", {{100, scopeEle}, {400, set}}},
      {R"({"scopeId":"*4294967295"})", {{300, scopeEle}, {400, set}}},
      {R"({"logElement":{"root":{"gnId":"#1"},"logPath":"Construction.Face.99999"}})",
       {{500, "KroMmdLogElementODTStreamBuilder::_SetLogPathStream"},
        {300, "KroMmdLogElementODTStreamBuilder::SetValueStream"},
        {400, "KroMmdODTStreamBuilder::SetODTStream"},
        {200, "KroMmdGNAOSpecODTStreamBuilder::_SetLogElementStream"},
        {700, set}}},
      {R"({"Alias":"BasePlate"})", {{6969, set}}},
  };
  KroMfPart_var part = KroTestSamplePart();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stream);
    KroMmdGNAOSpecODTStreamBuilder builder;
    ASSERT_EQ(builder.SetGNAO(Feature(part, 1)), KRO_S_OK);
    KroSysTraceRecorder recorder;
    EXPECT_EQ(builder.SetODTStream(row.stream), KRO_E_FAIL);
    KroTestChain expected = row.chain;
    expected.push_back({400, "KroMmdODTStreamBuilder::SetODTStream"});
    EXPECT_EQ(KroTestChainOf(recorder), expected);
    KroIGnAssociatedObject_var object;
    EXPECT_FALSE((builder.GetGNAO(object), object)) << "a failed key leaves no object";
  }
}

TEST(KroMmdGNAOSpecODTStreamBuilder, TracesValuesThatCannotBeWritten) {
  KroMfPart_var part = KroTestStepPart();  // whose features have no alias
  const std::string get = "KroMmdGNAOSpecODTStreamBuilder::GetValueStream";
  struct Row {
    const char* query;
    KroIGnAssociatedObject_var object;
    KroTestChain chain;
  };
  const Row rows[] = {
      // A feature is a log root, and its identifier has one number only.
      {"logElement",
       Feature(part, 1),
       {{300, "KroMmdLogElementODTStreamBuilder::SetLogElement"},
        {200, "KroMmdGNAOSpecODTStreamBuilder::_GetLogElementStream"},
        {600, get}}},
      {"alias",
       Feature(part, 1),
       {{100, "KroMmdGNAOSpecODTStreamBuilder::_GetAliasStream"}, {500, get}}},
      {"bodyTag",
       nullptr,
       {{100, "KroMmdGNAOSpecODTStreamBuilder::GetBody"},
        {100, "KroMmdGNAOSpecODTStreamBuilder::GetBodyTag"},
        {100, "KroMmdGNAOSpecODTStreamBuilder::_GetBodyTagStream"},
        {200, get}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.query);
    KroMmdGNAOSpecODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    ASSERT_EQ(builder.SetGNAO(row.object), KRO_S_OK);
    KroSysTraceRecorder recorder;
    KroUnicodeString stream("unchanged");
    EXPECT_EQ(builder.GetODTStream(row.query, stream), KRO_E_FAIL);
    EXPECT_EQ(stream.ToStdString(), "unchanged");
    KroTestChain expected = row.chain;
    expected.push_back({100, "KroMmdODTStreamBuilder::_MapGetValueStream"});
    expected.push_back({500, "KroMmdODTStreamBuilder::GetODTStream"});
    EXPECT_EQ(KroTestChainOf(recorder), expected);
  }
}

TEST(KroMmdGNAOSpecODTStreamBuilder, NeedsAContextToFindAnything) {
  KroMmdGNAOSpecODTStreamBuilder builder;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.SetBody(KroBody_var()), KRO_E_FAIL);
  EXPECT_EQ(builder.SetDiezele(1), KRO_E_FAIL);
  KroBrpScope* scope = nullptr;
  EXPECT_EQ(builder.GetScope(scope), KRO_E_FAIL);
  EXPECT_EQ(builder.SetODTStream(R"({"alias":"BasePlate"})"), KRO_E_FAIL);
  const KroTestChain expected = {{100, "KroMmdGNAOSpecODTStreamBuilder::SetBody"},
                                 {100, "KroMmdGNAOSpecODTStreamBuilder::SetGnId"},
                                 {100, "KroMmdGNAOSpecODTStreamBuilder::SetDiezele"},
                                 {200, "KroMmdGNAOSpecODTStreamBuilder::GetScope"},
                                 {100, "KroMmdGNAOSpecODTStreamBuilder::_SetAliasStream"},
                                 {500, "KroMmdGNAOSpecODTStreamBuilder::SetValueStream"},
                                 {400, "KroMmdODTStreamBuilder::SetODTStream"}};
  EXPECT_EQ(KroTestChainOf(recorder), expected);
}

TEST(KroMmdGNAOSpecODTStreamBuilder, RefusesNestingBeyondTheJSONReaderWithoutCrashing) {
  // Each level nests a log-element stream whose root is again a GNAOSpec stream.
  std::string stream = R"({"gnId":"#1"})";
  for (int i = 0; i < 200; ++i)
    stream = R"({"logElement":{"root":)" + stream + R"(,"logPath":"Construction.Face.1"}})";
  KroMfPart_var part = KroTestSamplePart();
  KroMmdGNAOSpecODTStreamBuilder builder;
  ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.SetODTStream(stream.c_str()), KRO_E_FAIL);
  const KroTestChain expected = {{100, "KroMmdODTStreamBuilder::SetODTStream"}};
  EXPECT_EQ(KroTestChainOf(recorder), expected);
}
