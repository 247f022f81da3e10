// Shared by the builder tests: documents (the sample part, a document with non-ASCII names),
// identifiers and trace chains as text, and a test-only log node whose log a test controls.
#ifndef KroMmdBuilderTestSupport_H
#define KroMmdBuilderTestSupport_H

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "KroBRepModel.h"
#include "KroIGnAssociatedObject.h"
#include "KroIMmiLogElement.h"
#include "KroISpecObject.h"
#include "KroListPtrKroCell.h"
#include "KroMfPart.h"
#include "KroMfPartObject.h"
#include "KroSysTraceRecorder.h"

// The recorded chain as the recorder writes it, with "GNAO::", "Log::", "BRep::", "SelRes::",
// "Meta::", "Sel::" and "ODT::" for the class names of the builders and the geometric selector.
inline std::string KroTestChainOf(const KroSysTraceRecorder& recorder) {
  std::string chain = recorder.ToString();
  for (const auto& [name, shortName] :
       {std::make_pair("KroMmdGNAOSpecODTStreamBuilder::", "GNAO::"),
        std::make_pair("KroMmdLogElementODTStreamBuilder::", "Log::"),
        std::make_pair("KroMmdBRepAccessODTStreamBuilder::", "BRep::"),
        std::make_pair("KroMmdSelectionResultODTStreamBuilder::", "SelRes::"),
        std::make_pair("KroMmdMetaODTStreamBuilder::", "Meta::"),
        std::make_pair("KroMmdGeomSelectorForODT::", "Sel::"),
        std::make_pair("KroMmdODTStreamBuilder::", "ODT::")}) {
    for (size_t at; (at = chain.find(name)) != std::string::npos;) {
      chain.replace(at, std::string(name).size(), shortName);
    }
  }
  return chain;
}

// The chain traced by a read of the stream that must fail.
template <class Builder>
std::string KroTestReadFailure(Builder& builder, const std::string& stream) {
  KroSysTraceRecorder recorder;
  EXPECT_EQ(builder.SetODTStream(stream.c_str()), KRO_E_FAIL) << stream;
  return KroTestChainOf(recorder);
}

// The chain traced by a write with the query that must fail and leave the output alone.
template <class Builder>
std::string KroTestWriteFailure(Builder& builder, const char* query) {
  KroSysTraceRecorder recorder;
  KroUnicodeString stream = "untouched";
  EXPECT_EQ(builder.GetODTStream(query, stream), KRO_E_FAIL) << query;
  EXPECT_EQ(stream, KroUnicodeString("untouched")) << query;
  return KroTestChainOf(recorder);
}

inline KroMfPart_var KroTestSamplePart() {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateSamplePart(part), KRO_S_OK);
  return part;
}

// A fresh document of the Transformer model (8 solids): every call reads the file again.
inline KroMfPart_var KroTestStepPart() {
  KroMfPart_var part;
  const std::string path = std::string(KROODT_MODELS_DIR) + "/Transformer_Breve_TEZ-22x24.step";
  EXPECT_EQ(KroMfPart::Load(path.c_str(), part), KRO_S_OK);
  return part;
}

// A document of a part built in code, such as KroBRepModel::MakeBox(20, 10, 10).
inline KroMfPart_var KroTestModelPart(const std::shared_ptr<KroBRepModel>& model) {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateFromModel(model, part), KRO_S_OK);
  return part;
}

// The index-th cell (from 1) of that dimension of a body of the document.
inline KroCell_var KroTestCell(const KroMfPart_var& part, short dimension, int index,
                               int body = 1) {
  KroListPtrKroCell cells;
  EXPECT_EQ(part->GetBody(body)->GetAllCells(cells, dimension), KRO_S_OK);
  return index <= cells.Size() ? KroCell_var(cells[index]) : KroCell_var();
}

// The sample part's solids under features whose names, aliases and references are not ASCII.
inline KroMfPart_var KroTestNonASCIIPart() {
  std::vector<KroMfPart::FeatureDescription> features(3);
  features[0] = {"Bohrung_ä", "Ausführung_ö", "Bohrung_ä", "", 0};
  features[1] = {"穴1", "穴の別名", "穴.1", "参照_穴1", 1};
  features[2] = {"Ébauche «1»", "", "", "", 2};
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateFromModel(KroBRepModel::MakeSamplePart(), features, part), KRO_S_OK);
  return part;
}

inline std::string KroTestIdentifierText(const KroIGnAssociatedObject_var& object) {
  KroGnIdentifier id;
  uint32_t first = 0, second = 0;
  if (!object || object->GetGnIdentifier(id, 0) != KRO_S_OK) return "none";
  if (id.GetULong32(first) == KRO_S_OK) return "#" + std::to_string(first);
  if (id.GetULong32X2(first, second) == KRO_S_OK)
    return "~" + std::to_string(first) + "~" + std::to_string(second);
  return "?";
}

// A log node with the identifier and children a test gives it; a child may stand under several
// paths. Made with a document, the document owns it (a test may add it to the graph as a log
// root); made with none, it is an ordinary counted object.
class KroTestLogNode : public KroMfPartObject,
                       public virtual KroIGnAssociatedObject,
                       public virtual KroISpecObject,
                       public virtual KroIMmiLogElement {
 public:
  KroTestLogNode(KroMfPart* part, const KroGnIdentifier& identifier)
      : KroMfPartObject(part), _Identifier(identifier) {}
  // A node with no document, and the raw node when asked for (to add children to).
  static KroIMmiLogElement_var Make(const KroGnIdentifier& identifier,
                                    KroTestLogNode** node = nullptr) {
    KroTestLogNode* made = new KroTestLogNode(nullptr, identifier);
    if (node) *node = made;
    return KroIMmiLogElement_var::Adopt(made);
  }
  KroResult GetGnIdentifier(KroGnIdentifier& identifier, int) const override {
    identifier = _Identifier;
    return KRO_S_OK;
  }
  KroUnicodeString GetName() const override { return "TestLogNode"; }
  int GetLogChildCount() const override { return static_cast<int>(_Children.size()); }
  KroResult GetLogChild(int index, KroListValKroUnicodeString& keys,
                        KroIMmiLogElement_var& child) const override {
    keys.RemoveAll();
    child = nullptr;
    if (index < 1 || index > GetLogChildCount()) return KRO_E_FAIL;
    for (const std::string& key : _Children[index - 1].first) keys.Append(key);
    child = _Children[index - 1].second;
    return KRO_S_OK;
  }
  void AddChild(const std::vector<std::string>& keys, const KroIMmiLogElement_var& child) {
    _Children.emplace_back(keys, child);
  }
  // Breaks a loop that a test made, so that its nodes can go.
  void ClearChildren() { _Children.clear(); }

 private:
  KroGnIdentifier _Identifier;
  std::vector<std::pair<std::vector<std::string>, KroIMmiLogElement_var>> _Children;
};

#endif
