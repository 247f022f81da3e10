// Text already in the writer's own form (every nested builder's stream) is nested when writing
// and split when reading as it stands, without a tree; any other text is parsed and rendered
// again. Both roads must give the same bytes: random texts near that form, each compared with
// parsing it and rendering it again. Fault: a repeated member was handed over once, with the
// later value in the earlier place, so a member written between the two took effect after it.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "KroMmdODTStreamBuilder.h"
#include "KroMmdODTStreamBuilderTestBuilders.h"
#include "KroOmxJson.h"
#include "KroOmxJsonWriter.h"
#include "KroSysTraceRecorder.h"

namespace {

// Pieces of JSON strings: the writer's own escapes, and every other spelling of a character
// (which parsing and writing again changes), invalid bytes and raw control characters.
const char* const kStringPieces[] = {
    "a",       "key",     "\xC3\xA4", "\xE7\xA9\xB4", "\\\"",           "\\\\",
    "\\/",     "\\b",     "\\t",      "\\n",          "\\u00e4",        "\\u001f",
    "\\u001F", "\\u0008", "\\u0000",  "\\ufffd",      "\\ud83d\\ude00", "\xFF",
    "\x01",    " ",       "\\u0061"};

class TextMaker {
 public:
  explicit TextMaker(unsigned seed) : _Random(seed) {}

  std::string String() {
    std::string text = "\"";
    for (int n = Below(4); n > 0; --n) text += kStringPieces[Below(std::size(kStringPieces))];
    return text + "\"";
  }

  // An object whose names are few, so that names given twice are frequent.
  std::string Object(int depth) {
    static const char* const kNames[] = {"\"a\"", "\"b\"", "\"c\"", "\"\\u0061\""};
    std::string text = Below(20) == 0 ? " {" : "{";
    for (int n = Below(4); n > 0; --n) {
      text += kNames[Below(std::size(kNames))];
      text += Below(20) == 0 ? " : " : ":";
      text += Value(depth);
      if (n > 1) text += Below(20) == 0 ? ", " : ",";
    }
    return text + (Below(20) == 0 ? "} " : "}");
  }

  std::string Value(int depth) {
    const int kind = Below(20);
    if (kind < 12) return String();
    if (kind < 18 && depth < 3) return Object(depth + 1);
    static const char* const kOthers[] = {"1", "true", "null", "[\"a\",{\"b\":{}}]", "[]"};
    return kOthers[Below(std::size(kOthers))];
  }

 private:
  int Below(size_t n) { return static_cast<int>(_Random() % n); }
  std::mt19937 _Random;
};

// A plain transcription of rendering a parsed value again: objects of strings and objects,
// compact, every string through the writer's quoting; a list only where lists is set (a member's
// value when reading), of strings and objects. Anything else cannot be rendered.
bool Render(const KroOmxAny& value, std::string& text, bool lists = false) {
  if (value.IsString()) {
    text += KroOmxJsonWriter::Quote(value.GetString().ToStdString());
    return true;
  }
  if (lists && value.IsList()) {
    text += "[";
    for (int i = 1; i <= value.Size(); ++i) {
      text += i > 1 ? "," : "";
      if (!Render(value[i], text)) return false;
    }
    text += "]";
    return true;
  }
  if (!value.IsMap()) return false;
  text += "{";
  bool first = true;
  for (const KroOmxAny::Item& member : value.MapItems()) {
    text += first ? "" : ",";
    first = false;
    text += KroOmxJsonWriter::Quote(member.first.ToStdString()) + ":";
    if (!Render(member.second, text)) return false;
  }
  text += "}";
  return true;
}

// What the builder writes for the value text of its one input when every text is parsed: the
// object rendered again, or the text as a JSON string; false when it cannot be written.
bool WriteByTheBook(const std::string& value, std::string& stream) {
  KroOmxAny parsed;
  stream = R"({"a":)";
  if (KroOmxJson::ParseString(KroOmxUTF8String(value), parsed) < 0 || !parsed.IsMap()) {
    stream += KroOmxJsonWriter::Quote(value) + "}";
    return true;
  }
  if (!Render(parsed, stream)) return false;
  stream += "}";
  return true;
}

// What the builder is handed for a stream when it is parsed and each member rendered again;
// false when reading fails.
bool ReadByTheBook(const std::string& stream, KroTestCalls& calls) {
  KroOmxAny parsed;
  if (KroOmxJson::ParseString(KroOmxUTF8String(stream), parsed) < 0 || !parsed.IsMap())
    return false;
  for (const KroOmxAny::Item& member : parsed.MapItems()) {
    const bool isString = member.second.IsString();
    std::string text = isString ? member.second.GetString().ToStdString() : "";
    if (!isString && !Render(member.second, text, true)) return false;
    calls.emplace_back(member.first.ToStdString(), text);
  }
  return true;
}

TEST(KroMmdODTStreamBuilder, WritesAndReadsTextInAnyFormAsParsingAndRenderingItWould) {
  TextMaker maker(1409u);
  int inWrittenForm = 0;
  const int kRounds = 3000;
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = maker.Object(1);
    SCOPED_TRACE("text «" + text + "»");
    inWrittenForm += KroOmxJsonWriter::IsWrittenObject(text, KroOmxJson::kMaxDepth) ? 1 : 0;

    KroTestTreeBuilder writer({{"", "a", 1, 0}}, {{"a", text}});
    std::string expected;
    KroUnicodeString stream;
    {
      KroSysTraceRecorder recorder;
      const bool writes = WriteByTheBook(text, expected);
      ASSERT_EQ(writer.GetODTStream("", stream), writes ? KRO_S_OK : KRO_E_FAIL);
      if (writes) {
        ASSERT_EQ(stream.ToStdString(), expected);
      }
    }

    KroTestTreeBuilder reader;
    KroTestCalls calls;
    KroSysTraceRecorder recorder;
    const bool reads = ReadByTheBook(text, calls);
    ASSERT_EQ(reader.SetODTStream(text), reads ? KRO_S_OK : KRO_E_FAIL);
    if (reads) {
      ASSERT_EQ(reader._Received, calls);
    }
  }
  // Both roads were taken often.
  EXPECT_GT(inWrittenForm, kRounds / 10);
  EXPECT_LT(inWrittenForm, kRounds - kRounds / 10);
}

}  // namespace
