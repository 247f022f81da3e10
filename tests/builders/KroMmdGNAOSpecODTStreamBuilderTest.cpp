// GNAOSpec builder: every way of naming a feature or a log element, written and read back in
// the same document and in a fresh one; the texts that are fixed; failures with their trace
// chains.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
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

// The object read. The read must succeed: a stream that matches nothing reads successfully, to
// no object.
KroIGnAssociatedObject_var Read(const KroMfPart_var& part, const std::string& stream) {
  KroMmdGNAOSpecODTStreamBuilder builder;
  EXPECT_EQ(builder.SetContext(part), KRO_S_OK);
  KroIGnAssociatedObject_var object;
  EXPECT_EQ(builder.SetODTStream(stream.c_str()), KRO_S_OK) << stream;
  EXPECT_EQ(builder.GetGNAO(object), KRO_S_OK);
  return object;
}

std::string NameOf(const KroIGnAssociatedObject_var& object) {
  KroISpecObject_var spec(object);
  return spec ? spec->GetName().ToStdString() : "";
}

KroIGnAssociatedObject_var Feature(const KroMfPart_var& part, int index) {
  return KroIGnAssociatedObject_var(part->GetFeature(index));
}

// The object written by key reads back to itself, and in a fresh load to the object of the same
// identifier (and name), which writes the same text again.
void ExpectRoundTrip(const KroMfPart_var& writer, const KroMfPart_var& fresh,
                     const KroIGnAssociatedObject_var& object, const char* key) {
  const std::string stream = Write(writer, object, key);
  SCOPED_TRACE(NameOf(object) + " by " + key + ": " + stream);
  EXPECT_EQ(stream.find(std::string("{\"") + key + "\":"), 0u);
  EXPECT_TRUE(Read(writer, stream).IsSame(object));
  const KroIGnAssociatedObject_var other = Read(fresh, stream);
  EXPECT_EQ(KroTestIdentifierText(other), KroTestIdentifierText(object));
  EXPECT_EQ(NameOf(other), NameOf(object));
  EXPECT_EQ(Write(fresh, other, key), stream);
}

}  // namespace

// Every feature by every key (alias only where there is one) and every log element by its two
// keys, on a document with non-ASCII names, aliases and naming references.
TEST(KroMmdGNAOSpecODTStreamBuilder, RoundTripsEveryFeatureAndLogElementByEveryKey) {
  const KroMfPart_var writer = KroTestNonASCIIPart();
  const KroMfPart_var fresh = KroTestNonASCIIPart();
  ASSERT_TRUE(writer && fresh);
  int elements = 0;
  for (int f = 1; f <= writer->GetFeatureCount(); ++f) {
    for (const char* key :
         {"bodyTag", "bodyId", "specId", "gnId", "scopeEle", "scopeId", "alias", "namingRef"}) {
      if (std::string(key) != "alias" || KroIAlias_var(Feature(writer, f))) {
        ExpectRoundTrip(writer, fresh, Feature(writer, f), key);
      }
    }
    KroIMmiLogElement_var root(writer->GetFeature(f));
    for (int i = 1; i <= root->GetLogChildCount(); ++i, ++elements) {
      KroListValKroUnicodeString keys;
      KroIMmiLogElement_var child;
      ASSERT_EQ(root->GetLogChild(i, keys, child), KRO_S_OK);
      ExpectRoundTrip(writer, fresh, KroIGnAssociatedObject_var(child), "logElement");
      ExpectRoundTrip(writer, fresh, KroIGnAssociatedObject_var(child), "gnId");
    }
  }
  EXPECT_GT(elements, 150);
}

// What the default queries write for features and log elements is fixed by the committed lists
// (KroOdtWrittenStreamsTest).
TEST(KroMmdGNAOSpecODTStreamBuilder, WritesTheRequestedKeysInQueryOrder) {
  KroMfPart_var part = KroTestNonASCIIPart();
  const std::string ele = std::to_string(
      KroMfGNServices::GetGraph(part)->GetScope(Feature(part, 1).get())->GetElementNumber());
  const KroIGnAssociatedObject_var element = Read(part, R"({"gnId":"~2~1"})");
  struct Row {
    KroIGnAssociatedObject_var object;
    const char* query;
    std::string expected;
  };
  const Row rows[] = {
      {Feature(part, 1), "alias specId", R"({"alias":"Ausführung_ö","specId":"#1"})"},
      {Feature(part, 1), "specId alias", R"({"specId":"#1","alias":"Ausführung_ö"})"},
      {Feature(part, 2), "namingRef alias", R"({"namingRef":"参照_穴1","alias":"穴の別名"})"},
      {element, "logElement{root{gnId} logPath}",
       R"({"logElement":{"root":{"gnId":"#2"},"logPath":"Construction.Face.1"}})"},
      {element, "logElement{logPath{gnId} root{alias gnId}}",
       R"({"logElement":{"logPath":"Construction.Face.1","root":{"alias":"穴の別名","gnId":"#2"}}})"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.query);
    EXPECT_EQ(Write(part, row.object, row.query), row.expected);
  }
  // The bare element number reads like the written "*" form.
  EXPECT_TRUE(Read(part, R"({"scopeEle":")" + ele + R"("})").IsSame(Feature(part, 1)));
}

TEST(KroMmdGNAOSpecODTStreamBuilder, FindsNamingReferencesBeforeSpecNamesAndLeavesNoReference) {
  const long live = KroBaseUnknown::LiveObjects();
  {
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
    KroIGnAssociatedObject_var element = Read(part, R"({"gnId":"~1~3"})");
    EXPECT_TRUE(Read(part, Write(part, element, "logElement")).IsSame(element));
    EXPECT_EQ(part->RefCount(), 2u) << "the document and the element";
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
}

TEST(KroMmdGNAOSpecODTStreamBuilder, TracesStreamsThatNameNothing) {
  // A log element stream goes to the LogElement builder, whose chain the GNAOSpec one ends.
  const auto log = [](const std::string& element, const std::string& chain) {
    return std::make_pair(R"({"logElement":)" + element + "}",
                          chain +
                              " < ODT::SetODTStream:400 < GNAO::_SetLogElementStream:200 < "
                              "GNAO::SetValueStream:700");
  };
  const std::pair<std::string, std::string> rows[] = {
      {R"({"specId":"#999"})",
       "GNAO::SetGnId:200 < GNAO::_SetSpecIdStream:200 < GNAO::SetValueStream:300"},
      {R"({"gnId":"42"})",
       "KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:3000 < "
       "GNAO::_SetSpecIdStream:100 < GNAO::SetValueStream:300"},
      {R"({"bodyTag":"4000000000"})", "GNAO::_SetBodyTagStream:400 < GNAO::SetValueStream:200"},
      {R"({"scopeEle":"*x"})", "GNAO::_SetScopeEleStream:100 < GNAO::SetValueStream:400"},
      {R"({"scopeId":"*4294967295"})", "GNAO::_SetScopeEleStream:300 < GNAO::SetValueStream:400"},
      // No root is known yet when the path comes first.
      log(R"({"logPath":"Construction.Face.1","root":{"gnId":"#1"}})",
          "Log::_SetLogPathStream:100 < Log::SetValueStream:300"),
      log(R"({"root":{"gnId":"#1"},"logPath":"Construction.Face.99999"})",
          "Log::_SetLogPathStream:500 < Log::SetValueStream:300"),
      // A log element as root: no spec, so no configuration to read its log with.
      log(R"({"root":{"gnId":"~1~1"},"logPath":"Construction.Face.1"})",
          "Log::_SetLogPathStream:200 < Log::SetValueStream:300"),
      log(R"({"root":{"gnId":"#77"},"logPath":"Construction.Face.1"})",
          "GNAO::SetGnId:200 < GNAO::_SetSpecIdStream:200 < GNAO::SetValueStream:300 < "
          "ODT::SetODTStream:400 < Log::_SetRootStream:200 < Log::SetValueStream:200"),
      {R"({"Alias":"BasePlate"})", "GNAO::SetValueStream:6969"},
  };
  KroMfPart_var part = KroTestSamplePart();
  for (const auto& [stream, chain] : rows) {
    SCOPED_TRACE(stream);
    KroMmdGNAOSpecODTStreamBuilder builder;
    ASSERT_EQ(builder.SetGNAO(Feature(part, 1)), KRO_S_OK);
    EXPECT_EQ(KroTestReadFailure(builder, stream), chain + " < ODT::SetODTStream:400");
    KroIGnAssociatedObject_var object;
    EXPECT_FALSE((builder.GetGNAO(object), object)) << "a failed key leaves no object";
  }
}

TEST(KroMmdGNAOSpecODTStreamBuilder, TracesValuesThatCannotBeWritten) {
  KroMfPart_var part = KroTestNonASCIIPart();
  const std::tuple<const char*, KroIGnAssociatedObject_var, const char*> rows[] = {
      // A feature is a log root, and its identifier has one number only.
      {"logElement", Feature(part, 1),
       "Log::SetLogElement:300 < GNAO::_GetLogElementStream:200 < GNAO::GetValueStream:600"},
      {"alias", Feature(part, 3), "GNAO::_GetAliasStream:100 < GNAO::GetValueStream:500"},
      {"bodyTag", nullptr,
       "GNAO::GetBody:100 < GNAO::GetBodyTag:100 < GNAO::_GetBodyTagStream:100 < "
       "GNAO::GetValueStream:200"},
  };
  for (const auto& [query, object, chain] : rows) {
    SCOPED_TRACE(query);
    KroMmdGNAOSpecODTStreamBuilder builder;
    ASSERT_EQ(builder.SetContext(part), KRO_S_OK);
    ASSERT_EQ(builder.SetGNAO(object), KRO_S_OK);
    EXPECT_EQ(KroTestWriteFailure(builder, query),
              std::string(chain) + " < ODT::_MapGetValueStream:100 < ODT::GetODTStream:500");
  }
}
