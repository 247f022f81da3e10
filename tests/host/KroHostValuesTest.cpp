// Host strings, numbers, the variant and the JSON services the library is written against. The
// search, replace and cutting of strings are shown through the query parser and the template
// renderer, which are made of them.
#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "KroOmxAny.h"
#include "KroOmxJson.h"
#include "KroOmxJsonWriter.h"
#include "KroSysBftier.h"
#include "KroSysTraceRecorder.h"
#include "KroUnicodeString.h"

namespace {

KroOmxAny Parse(const std::string& text, int* rc = nullptr) {
  KroOmxAny out;
  int result = KroOmxJson::ParseString(KroOmxUTF8String(text), out);
  if (rc) *rc = result;
  return out;
}

std::string Nest(int depth, const char* open, const char* close, const char* inner) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += open;
  text += inner;
  for (int i = 0; i < depth; ++i) text += close;
  return text;
}

}  // namespace

TEST(KroUnicodeString, NumbersFollowTheCLocaleWhateverTheProcessLocale) {
  // A host application may run with a decimal comma; the stream texts must not change.
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  bool commaLocale = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"})
    commaLocale = commaLocale || std::setlocale(LC_ALL, name) != nullptr;
  if (!commaLocale) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  KroUnicodeString s;
  s.BuildFromNum(123.456789, "%g");
  EXPECT_EQ(s, KroUnicodeString("123.457"));
  s.BuildFromNum(1.0 / 1024 / 1024, "%g");
  EXPECT_EQ(s, KroUnicodeString("9.53674e-07"));
  double value = 0;
  EXPECT_NE(KroUnicodeString("0.707107_").ConvertToNum(&value, "%le"), 0);
  EXPECT_DOUBLE_EQ(value, 0.707107);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(KroUnicodeString, ConversionFailuresLeaveTheTargetUntouched) {
  struct Row {
    const char* text;
    const char* format;
  };
  const Row rows[] = {{"", "%d"},   {"abc", "%d"},       {"-", "%d"},
                      {"+", "%u"},  {"-1", "%u"},        {"4294967296", "%u"},
                      {"G", "%X"},  {"100000000", "%X"}, {"99999999999", "%d"},
                      {"x", "%le"}, {"++1", "%le"},      {"", "%le"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " " + row.format);
    int i = 7;
    unsigned int u = 7;
    double d = 7;
    const KroUnicodeString text(row.text);
    const std::string format(row.format);
    EXPECT_EQ(format == "%d"    ? text.ConvertToNum(&i, row.format)
              : format == "%le" ? text.ConvertToNum(&d, row.format)
                                : text.ConvertToNum(&u, row.format),
              0);
    EXPECT_TRUE(i == 7 && u == 7u && d == 7.0);
  }
  unsigned int u = 0;
  EXPECT_NE(KroUnicodeString("FFFFFFFF~10").ConvertToNum(&u, "%X"), 0);
  EXPECT_EQ(u, 0xFFFFFFFFu);
  EXPECT_NE(KroUnicodeString("4294967295").ConvertToNum(&u, "%u"), 0);
  EXPECT_EQ(u, 4294967295u);
  int i = 0;
  EXPECT_NE(KroUnicodeString("-2147483648").ConvertToNum(&i, "%d"), 0);
  EXPECT_EQ(i, -2147483647 - 1);
}

// Copies share their items until one changes; whatever a change goes through, only the copy
// it was made on sees it.
TEST(KroOmxAny, ACopyChangedInPlaceOrByValueLeavesTheOriginalAsItWas) {
  const std::string text = R"({"n":{"k":"v","l":["x"]},"s":"t"})";
  const std::vector<std::pair<const char*, std::function<void(KroOmxAny&)>>> changes = {
      {"a member replaced", [](KroOmxAny& copy) { copy.MapSetValue("s", "u"); }},
      {"a nested list grown in place",
       [](KroOmxAny& copy) { copy.MapFindToChange("n")->MapFindToChange("l")->Append("y"); }},
      {"a nested value taken out, changed and put back", [](KroOmxAny& copy) {
         KroOmxAny nested;
         ASSERT_EQ(copy.MapGetValue("n", nested), 0);
         nested.MapSetValue("k", "w");
         copy.MapSetValue("n", nested);
       }}};
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    const KroOmxAny original = Parse(text);
    KroOmxAny copy = original;
    KroOmxAny second = copy;
    change(copy);
    EXPECT_EQ(original, Parse(text));
    EXPECT_EQ(second, original);
    EXPECT_NE(copy, original);
  }
}

TEST(KroOmxJson, RefusesNestingBeyondTheLimitWithoutRecursion) {
  int rc = -1;
  Parse(Nest(KroOmxJson::kMaxDepth, "[", "]", ""), &rc);
  EXPECT_EQ(rc, 0);
  Parse(Nest(KroOmxJson::kMaxDepth + 1, "[", "]", ""), &rc);
  EXPECT_LT(rc, 0);
  // Far deeper than any stack would allow if the parser recursed.
  Parse(Nest(200000, "{\"a\":", "}", "\"x\""), &rc);
  EXPECT_LT(rc, 0);
}

TEST(KroOmxJsonWriter, EscapesEveryStringIntoValidJsonAndKeepsNonAsciiText) {
  const std::string hostile = std::string("q\"b\\n\n\t\x01\x1f") + "\xff" + "ä穴🔩" + "\xe2\x82";
  KroOmxTextStream stream;
  KroOmxJsonWriter::Object object(stream);
  object.Write(true);
  KroOmxJsonWriter::Attribute::Start(object, KroUnicodeString("k\"ey"),
                                     KroOmxJsonWriter::Atom(KroUnicodeString(hostile)));
  object.Write(false);
  const std::string text = stream.ToString().ToStdString();
  EXPECT_EQ(text, R"({"k\"ey":"q\"b\\n\n\t\u0001\u001f\ufffdä穴🔩\ufffd\ufffd"})");
  int rc = -1;
  const KroOmxAny back = Parse(text, &rc);
  ASSERT_EQ(rc, 0) << "valid JSON";
  EXPECT_EQ(back.MapItems()[0].first, KroUnicodeString("k\"ey"));
}

// Fault: a recorder that died before a later one stayed in the later one's chain, and the next
// trace was written through the dangling pointer.
TEST(KroSysTraceRecorder, RecordersSeeTracesInOrderAndMayDieInAnyOrder) {
  auto first = std::make_unique<KroSysTraceRecorder>();
  auto second = std::make_unique<KroSysTraceRecorder>();
  auto third = std::make_unique<KroSysTraceRecorder>();
  second.reset();
  KroSysBftier(100, "A::B", 0);
  first.reset();
  KroSysBftier(200, "C::D", 0);
  EXPECT_EQ(third->ToString(), "A::B:100 < C::D:200");
  {
    KroSysTraceRecorder inner;
    KroSysBftier(300, "E::F", 0);
    EXPECT_EQ(inner.ToString(), "E::F:300");
  }
  EXPECT_EQ(third->ToString(), "A::B:100 < C::D:200 < E::F:300");
  third.reset();
  KroSysTraceRecorder last;
  KroSysBftier(400, "G::H", 0);
  EXPECT_EQ(last.ToString(), "G::H:400");
}
