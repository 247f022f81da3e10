// The string template renderer: entries and filters, file sources below the root, the bounds of
// nested inclusion, and the trace chain of every failure.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "KroMmrODTStringTemplate.h"
#include "KroSysTraceRecorder.h"

namespace {

const std::string kRender = "KroMmrODTStringTemplate::Render:";
const std::string kLoad = "KroMmrODTStringTemplate::_LoadData:";
const std::string kEntry = "KroMmrODTStringTemplate::_HandleEntry:";
const std::string kFilter = "KroMmrODTStringTemplate::_PostFilter:";
// The traces that each level of nested files adds on the way out.
const std::string kLevel = " < " + kRender + "200 < " + kEntry + "300";

// A fresh folder with root/ (its path, ending in "/", is root) holding the given files, and
// outside.txt next to it; removed with everything in it.
struct TempRoot {
  explicit TempRoot(const std::map<std::string, std::string>& files) {
    char folder[] = "/tmp/kroodt-template-test-XXXXXX";
    base = mkdtemp(folder) != nullptr ? folder : "/nonexistent";
    root = base + "/root/";
    std::filesystem::create_directories(root + "sub");
    std::ofstream(base + "/outside.txt") << "outside";
    for (const auto& file : files) std::ofstream(root + file.first) << file.second;
  }
  ~TempRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
  }
  void Link(const std::string& name, const std::string& target) const {
    ASSERT_EQ(symlink(target.c_str(), (root + name).c_str()), 0) << name;
  }
  std::string base, root;
};

struct Rendered {
  KroResult rc;
  std::string text;
  std::string trace;
};

Rendered Render(const std::string& text, const std::string& root = "") {
  KroSysTraceRecorder recorder;
  KroMmrODTStringTemplate renderer;
  renderer.SetTemplate(text);
  renderer.SetRootPath(root);
  KroUnicodeString output("stale");
  const KroResult rc = renderer.Render(output);
  return {rc, output.ToStdString(), recorder.ToString()};
}

struct Row {
  std::string what;
  std::string text;
  std::string expected;  // the output; for a failure, the trace chain up to Render's 200 and 100
};

// Rows that render, then rows that fail with an empty output.
void Expect(const std::vector<Row>& renders, const std::vector<Row>& fails,
            const std::string& root = "") {
  for (const Row& row : renders) {
    SCOPED_TRACE(row.what);
    const Rendered rendered = Render(row.text, root);
    EXPECT_EQ(rendered.rc, KRO_S_OK) << rendered.trace;
    EXPECT_EQ(rendered.text, row.expected);
  }
  for (const Row& row : fails) {
    SCOPED_TRACE(row.what);
    const Rendered rendered = Render(row.text, root);
    EXPECT_EQ(rendered.rc, KRO_E_FAIL);
    EXPECT_EQ(rendered.text, "");
    EXPECT_EQ(rendered.trace, row.expected + " < " + kRender + "200 < " + kRender + "100");
  }
}

}  // namespace

TEST(KroMmrODTStringTemplate, RendersLiteralSourcesThroughTheirFilters) {
  Expect(
      {
          {"semicolons", "{{a;b|SemicolonToComa}}", "a,b"},
          {"spaces around source and filter go", "[{{  a;b  |  JSONToJS  }}]", "[a;b]"},
          {"the backslash is doubled first; a quote's backslash is not doubled again",
           "{{ x\\\"y\nz |JSToJSON}}", R"(x\\\"y\nz)"},
          {"a pair of single braces is part of the source", "{{ {a;b} |SemicolonToComa}}", "{a,b}"},
          {"no entry", "plain } text {", "plain } text {"},
          {"a lone {{ stays", "a {{ b", "a {{ b"},
          {"entries side by side", "}}{{a|JSONToJS}}{{b;c|SemicolonToComa}}{{", "}}ab,c{{"},
      },
      {
          {"no bar", "{{abc}}", kEntry + "100"},
          {"filter names are exact", "{{a|jstojson}}", kFilter + "6969 < " + kEntry + "400"},
          {"entries rendered before the failing one are not kept", "ok {{a|JSONToJS}} {{b}}",
           kEntry + "100"},
          {"a missing file", "{{file:/no-such-file.txt|JSONToJS}}",
           kLoad + "200 < " + kEntry + "200"},
      });
}

TEST(KroMmrODTStringTemplate, ReadsFileSourcesBelowTheRootAndRendersThemFirst) {
  const TempRoot root({{"sub/part.txt", "P;Q"},
                       {"pre_x.txt", "X"},
                       {"a;b.txt", "1;2"},
                       {"outer.txt", "{{file:/a;b.txt|JSONToJS}}"},
                       {"open.txt", "{{q"},
                       {"long.txt", std::string(300, ';')},
                       {"one.txt", "{{file:/two.txt|JSONToJS}}"},
                       {"two.txt", "{{x|Nope}}"}});
  root.Link("in.txt", "sub/part.txt");
  Expect(
      {
          {"slashes of the source", "{{file:/sub/part.txt|SemicolonToComa}}", "P,Q"},
          {"a link that stays below the root", "{{ file:/in.txt |JSONToJS}}", "P;Q"},
          // Filtering first would have looked for "a,b.txt".
          {"entries of a file are filled before its filter", "{{file:/outer.txt|SemicolonToComa}}",
           "1,2"},
          {"a replacement is searched again, with what follows it",
           "{{file:/open.txt|JSONToJS}}|JSONToJS}}!", "q!"},
          {"a replacement longer than all before it",
           "<{{file:/long.txt|SemicolonToComa}}{{a|JSONToJS}}>",
           "<" + std::string(300, ',') + "a>"},
      },
      {{"a failure two files deep", "{{file:/one.txt|JSONToJS}}",
        kFilter + "6969 < " + kEntry + "400" + kLevel + kLevel}},
      root.root);
  Expect({{"nothing between root and source", "{{file:/x.txt|JSONToJS}}", "X"}}, {},
         root.root + "pre_");
}

// Fault: a file source could name any file the process can read.
TEST(KroMmrODTStringTemplate, RefusesFileSourcesThatLeaveTheRootBeforeReadingThem) {
  const TempRoot root(std::map<std::string, std::string>{{"sub/part.txt", "P"}});
  root.Link("out.txt", "../outside.txt");
  root.Link("up", "..");
  const std::string refused = kLoad + "100 < " + kEntry + "200";
  Expect({},
         {
             {"..", "{{file:/../outside.txt|JSONToJS}}", refused},
             {".. with a backslash", "{{file:/sub\\..\\..\\outside.txt|JSONToJS}}", refused},
             {"an absolute path", "{{file:/" + root.base + "/outside.txt|JSONToJS}}", refused},
             {"a link to a file outside", "{{file:/out.txt|JSONToJS}}", refused},
             {"a link to a folder outside", "{{file:/up/outside.txt|JSONToJS}}", refused},
         },
         root.root);
  Expect(
      {},
      {{"a .. made of the root's end and the source", "{{file:/./outside.txt|JSONToJS}}", refused}},
      root.root + ".");
  Expect({}, {{"an absolute path without a root", "{{file://etc/hostname|JSONToJS}}", refused}});
}

// Fault: a file that included itself exhausted the stack; a few files that include each other
// twice per level filled memory (f1 to f17 below).
TEST(KroMmrODTStringTemplate, BoundsNestingAndTheTotalExpansion) {
  std::map<std::string, std::string> files = {{"self.txt", "{{file:/self.txt|JSONToJS}}"},
                                              {"big.txt", std::string(size_t{1} << 20, 'x')}};
  // d1 to d32 include the next, d33 holds text; f1 to f17 include the next twice.
  auto include = [](const char* name, int i) {
    return "{{file:/" + std::string(name) + std::to_string(i) + ".txt|JSONToJS}}";
  };
  for (int i = 1; i <= 33; ++i)
    files["d" + std::to_string(i) + ".txt"] = i < 33 ? include("d", i + 1) : "end";
  for (int i = 1; i <= 17; ++i) {
    files["f" + std::to_string(i) + ".txt"] =
        i < 17 ? include("f", i + 1) + include("f", i + 1) : "x";
  }
  for (int i = 0; i < 100; ++i) files["bigs.txt"] += "{{file:/big.txt|JSONToJS}}";
  const TempRoot root(files);
  // The template's entry is level 1, d2's is level 2, and so on; 32 levels are filled.
  std::string tooDeep = kEntry + "500";
  for (int level = 1; level <= KroMmrODTStringTemplate::kMaxDepth; ++level) tooDeep += kLevel;
  Expect({{"32 levels", "{{file:/d2.txt|JSONToJS}}", "end"}},
         {
             {"33 levels", "{{file:/d1.txt|JSONToJS}}", tooDeep},
             {"a file that includes itself", "{{file:/self.txt|JSONToJS}}", tooDeep},
             {"64 MiB of text", "{{file:/bigs.txt|JSONToJS}}", kEntry + "600" + kLevel},
         },
         root.root);
  // 2^17 entries: the 100001st fails, wherever it stands.
  const Rendered doubled = Render("{{file:/f1.txt|JSONToJS}}", root.root);
  EXPECT_EQ(doubled.rc, KRO_E_FAIL);
  EXPECT_EQ(doubled.trace.rfind(kEntry + "600 < ", 0), 0u) << doubled.trace;
}
