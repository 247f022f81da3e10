// Small builders that exist only to drive the builder base in tests: one whose input tree and
// values come from tables, and a three-level nesting of builders that hand their context and
// sub-queries on, as concrete builders do.
#ifndef KroMmdODTStreamBuilderTestBuilders_H
#define KroMmdODTStreamBuilderTestBuilders_H

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "KroBaseUnknown.h"
#include "KroMmdODTStreamBuilder.h"
#include "KroSysBftier.h"
#include "KroSysTraceRecorder.h"
#include "KroVar.h"

// Reaches the private rendering walk, to feed it trees that no text can produce.
class KroMmdODTStreamBuilderTestPeer {
 public:
  static KroResult StringifyNode(const KroMmdODTStreamBuilder& builder, const KroOmxAny& value,
                                 KroUnicodeString& text) {
    return builder._StringifyNode(value, text);
  }
};

// One DeclareInput call: parent ("" for the root), key, isAND, isOpt.
struct KroTestInput {
  const char* parent;
  const char* key;
  unsigned char isAND;
  unsigned char isOpt;
};

typedef std::vector<std::pair<std::string, std::string>> KroTestCalls;

// Declares its inputs from a table, gives the values of a map (a key without a value fails
// with 6969), and records every value it is handed or asked for.
class KroTestTreeBuilder : public KroMmdODTStreamBuilder {
 public:
  explicit KroTestTreeBuilder(std::vector<KroTestInput> inputs = {},
                              std::map<std::string, std::string> values = {})
      : _Inputs(std::move(inputs)), _Values(std::move(values)) {}

  using KroMmdODTStreamBuilder::ParseJSONList;

  // DeclareInputs goes on after a failed declaration instead of stopping.
  bool _IgnoreDeclareFailures = false;
  // SetValueStream fails (6969) for these keys.
  std::set<std::string> _Refused;

  std::vector<KroResult> _DeclareResults;
  KroTestCalls _Received;  // SetValueStream: key, value
  KroTestCalls _Asked;     // GetValueStream: key, format

 private:
  KroResult DeclareInputs() override {
    _DeclareResults.clear();
    for (const KroTestInput& input : _Inputs) {
      const KroResult rc = DeclareInput(input.parent, input.key, input.isAND, input.isOpt);
      _DeclareResults.push_back(rc);
      if (rc < 0 && !_IgnoreDeclareFailures) {
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
    return KRO_S_OK;
  }

  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override {
    _Asked.emplace_back(key.ToStdString(), format.ToStdString());
    const auto found = _Values.find(key.ToStdString());
    if (found == _Values.end()) {
      KroSysBftier(6969, "KroTestTreeBuilder::GetValueStream", 0);
      return KRO_E_FAIL;
    }
    out = found->second;
    return KRO_S_OK;
  }

  std::vector<KroTestInput> _Inputs;
  std::map<std::string, std::string> _Values;
};

// A context object, only counted.
class KroTestContext : public KroBaseUnknown {};

// Innermost level: "a" and "b" alternatives, "c" optional.
class KroTestLeafBuilder : public KroMmdODTStreamBuilder {
 public:
  std::map<std::string, std::string> _State{{"a", "leaf-a"}, {"b", "leaf-b"}, {"c", "leaf-c"}};
  KroBaseUnknown_var& Context() { return GetContext(); }

 private:
  KroResult DeclareInputs() override {
    if (DeclareInput("", "a", 0, 0) < 0 || DeclareInput("", "b", 0, 0) < 0 ||
        DeclareInput("", "c", 1, 1) < 0) {
      KroSysBftier(100, "KroTestLeafBuilder::DeclareInputs", 0);
      return KRO_E_FAIL;
    }
    return KRO_S_OK;
  }
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override {
    if (_State.count(key.ToStdString()) == 0) {
      KroSysBftier(6969, "KroTestLeafBuilder::SetValueStream", 0);
      return KRO_E_FAIL;
    }
    _State[key.ToStdString()] = value.ToStdString();
    return KRO_S_OK;
  }
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString&,
                           KroUnicodeString& out) override {
    const auto found = _State.find(key.ToStdString());
    if (found == _State.end()) {
      KroSysBftier(6969, "KroTestLeafBuilder::GetValueStream", 0);
      return KRO_E_FAIL;
    }
    out = found->second;
    return KRO_S_OK;
  }
};

// An outer level: "name" (mandatory) and "inner" (optional), the stream of a nested builder
// that it holds by value and hands its context and the sub-query of "inner".
template <class Inner>
class KroTestNestedBuilder : public KroMmdODTStreamBuilder {
 public:
  explicit KroTestNestedBuilder(std::string name = "nested") : _Name(std::move(name)) {}
  std::string _Name;
  Inner _Inner;

 private:
  KroResult DeclareInputs() override {
    if (DeclareInput("", "name", 1, 0) < 0 || DeclareInput("", "inner", 1, 1) < 0) {
      KroSysBftier(100, "KroTestNestedBuilder::DeclareInputs", 0);
      return KRO_E_FAIL;
    }
    return KRO_S_OK;
  }
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override {
    static const char* const kName = "KroTestNestedBuilder::SetValueStream";
    if (key == "name") {
      _Name = value.ToStdString();
      return KRO_S_OK;
    }
    if (key == "inner") {
      if (_Inner.SetContext(GetContext()) < 0 || _Inner.SetODTStream(value) < 0) {
        KroSysBftier(200, kName, 0);
        return KRO_E_FAIL;
      }
      return KRO_S_OK;
    }
    KroSysBftier(6969, kName, 0);
    return KRO_E_FAIL;
  }
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override {
    static const char* const kName = "KroTestNestedBuilder::GetValueStream";
    if (key == "name") {
      out = _Name;
      return KRO_S_OK;
    }
    if (key == "inner") {
      if (_Inner.SetContext(GetContext()) < 0 || _Inner.GetODTStream(format, out) < 0) {
        KroSysBftier(200, kName, 0);
        return KRO_E_FAIL;
      }
      return KRO_S_OK;
    }
    KroSysBftier(6969, kName, 0);
    return KRO_E_FAIL;
  }
};

typedef KroTestNestedBuilder<KroTestLeafBuilder> KroTestMiddleBuilder;
typedef KroTestNestedBuilder<KroTestMiddleBuilder> KroTestOuterBuilder;

// The trace chain as (stage, name) pairs, innermost first, for EXPECT_EQ.
inline std::vector<std::pair<int, std::string>> KroTestChain(
    const std::vector<KroSysTraceEntry>& entries) {
  std::vector<std::pair<int, std::string>> chain;
  for (const KroSysTraceEntry& e : entries) chain.emplace_back(e.stage, e.name);
  return chain;
}

#endif
