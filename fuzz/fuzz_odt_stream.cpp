// Fuzz target of the JSON stream reader of the builder base: any bytes are read by a builder that
// keeps every member it is handed. A failed read must be traced by the reader. After a successful
// read the members must have been handed over as written, in text order, repeated names
// included, each value as its text (an object or array as JSON text that parses back to it). An
// array's text must split into the texts of its items, and an item split into the very list that
// holds it must give what a copy of it gives.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "KroFuzzHarness.h"
#include "KroMmdODTStreamBuilder.h"
#include "KroOmxJson.h"
#include "KroSysTraceRecorder.h"

namespace {

class RecordingBuilder : public KroMmdODTStreamBuilder {
 public:
  using KroMmdODTStreamBuilder::ParseJSONList;
  std::vector<std::pair<KroUnicodeString, KroUnicodeString>> received;

 private:
  KroResult DeclareInputs() override { return KRO_S_OK; }
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override {
    received.emplace_back(key, value);
    return KRO_S_OK;
  }
  KroResult GetValueStream(const KroUnicodeString&, const KroUnicodeString&,
                           KroUnicodeString&) override {
    return KRO_E_FAIL;
  }
};

// Whether text is the text of value: the string itself, or JSON text that parses to value.
bool IsTextOf(const KroUnicodeString& text, const KroOmxAny& value) {
  if (value.IsString()) return text == value.GetString();
  KroOmxAny parsed;
  return KroOmxJson::ParseString(KroOmxUTF8String(text), parsed) == 0 && parsed == value;
}

std::vector<std::string> ToStrings(const KroListValKroUnicodeString& list) {
  std::vector<std::string> out;
  for (const KroUnicodeString& s : list) out.push_back(s.ToStdString());
  return out;
}

// Splits the text of a list and checks each item; then splits the first item (as a nested
// builder may split a value it was handed) into the very list that holds it.
void CheckSplit(const RecordingBuilder& builder, const KroUnicodeString& text,
                const KroOmxAny& list) {
  const std::string about = text.ToStdString();
  KroListValKroUnicodeString items;
  KRO_FUZZ_CHECK(builder.ParseJSONList(text, items) == KRO_S_OK, about);
  KRO_FUZZ_CHECK(items.Size() == list.Size(), about);
  for (int i = 1; i <= items.Size(); ++i) KRO_FUZZ_CHECK(IsTextOf(items[i], list[i]), about);
  if (items.Size() == 0) return;
  KroListValKroUnicodeString fromCopy;
  const KroResult copyRc = builder.ParseJSONList(KroUnicodeString(items[1]), fromCopy);
  const KroResult ownRc = builder.ParseJSONList(items[1], items);
  KRO_FUZZ_CHECK(ownRc == copyRc && ToStrings(items) == ToStrings(fromCopy), about);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = KroFuzzBytes(data, size);
  RecordingBuilder builder;
  {
    KroSysTraceRecorder recorder;
    if (builder.SetODTStream(input) != KRO_S_OK) {
      KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmdODTStreamBuilder::SetODTStream"), input);
      return 0;
    }
  }
  KroOmxAny parsed;
  KRO_FUZZ_CHECK(KroOmxJson::ParseString(KroOmxUTF8String(input), parsed) == 0 && parsed.IsMap(),
                 input);
  const auto& members = parsed.MapItems();
  KRO_FUZZ_CHECK(builder.received.size() == members.size(), input);
  for (size_t i = 0; i < members.size(); ++i) {
    KRO_FUZZ_CHECK(builder.received[i].first == members[i].first, input);
    KRO_FUZZ_CHECK(IsTextOf(builder.received[i].second, members[i].second), input);
    if (members[i].second.IsList())
      CheckSplit(builder, builder.received[i].second, members[i].second);
  }
  return 0;
}
