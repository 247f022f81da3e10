// A builder that exists only to drive the builder base in tests: its input tree and values come
// from tables, it records what it is handed and asked for, and it can hold a nested builder for
// the key "inner", as concrete builders hold theirs.
#ifndef KroMmdODTStreamBuilderTestBuilders_H
#define KroMmdODTStreamBuilderTestBuilders_H

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "KroMmdODTStreamBuilder.h"
#include "KroSysBftier.h"

// One DeclareInput call: parent ("" for the root), key, isAND, isOpt.
struct KroTestInput {
  const char* parent;
  const char* key;
  unsigned char isAND;
  unsigned char isOpt;
};

typedef std::vector<std::pair<std::string, std::string>> KroTestCalls;

// levels objects, one inside the other, around a string.
inline std::string KroTestNested(int levels) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += R"({"k":)";
  return text + R"("end")" + std::string(levels, '}');
}

// Gives the values of a map (a key without one fails with 6969) and keeps the values it is
// handed; "inner", when _Inner is set, is the stream of that builder, with this one's context.
class KroTestTreeBuilder : public KroMmdODTStreamBuilder {
 public:
  explicit KroTestTreeBuilder(std::vector<KroTestInput> inputs = {},
                              std::map<std::string, std::string> values = {})
      : _Values(std::move(values)), _Inputs(std::move(inputs)) {}

  using KroMmdODTStreamBuilder::ParseJSONList;
  KroBaseUnknown_var& Context() { return GetContext(); }

  bool _IgnoreDeclareFailures = false;  // go on after a failed declaration
  std::set<std::string> _Refused;       // SetValueStream fails (6969) for these keys
  KroTestTreeBuilder* _Inner = nullptr;
  std::map<std::string, std::string> _Values;
  KroTestCalls _Received;  // SetValueStream: key, value
  KroTestCalls _Asked;     // GetValueStream: key, format

 private:
  KroResult DeclareInputs() override {
    for (const KroTestInput& input : _Inputs) {
      if (DeclareInput(input.parent, input.key, input.isAND, input.isOpt) < 0 &&
          !_IgnoreDeclareFailures) {
        KroSysBftier(100, "KroTestTreeBuilder::DeclareInputs", 0);
        return KRO_E_FAIL;
      }
    }
    return KRO_S_OK;
  }

  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override {
    _Received.emplace_back(key.ToStdString(), value.ToStdString());
    if (_Refused.count(key.ToStdString()) != 0) {
      KroSysBftier(6969, "KroTestTreeBuilder::SetValueStream", 0);
      return KRO_E_FAIL;
    }
    if (_Inner && key == "inner" &&
        (_Inner->SetContext(GetContext()) < 0 || _Inner->SetODTStream(value) < 0)) {
      KroSysBftier(200, "KroTestTreeBuilder::SetValueStream", 0);
      return KRO_E_FAIL;
    }
    _Values[key.ToStdString()] = value.ToStdString();
    return KRO_S_OK;
  }

  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override {
    _Asked.emplace_back(key.ToStdString(), format.ToStdString());
    if (_Inner && key == "inner") {
      if (_Inner->SetContext(GetContext()) < 0 || _Inner->GetODTStream(format, out) < 0) {
        KroSysBftier(200, "KroTestTreeBuilder::GetValueStream", 0);
        return KRO_E_FAIL;
      }
      return KRO_S_OK;
    }
    const auto found = _Values.find(key.ToStdString());
    if (found == _Values.end()) {
      KroSysBftier(6969, "KroTestTreeBuilder::GetValueStream", 0);
      return KRO_E_FAIL;
    }
    out = found->second;
    return KRO_S_OK;
  }

  std::vector<KroTestInput> _Inputs;
};

#endif
