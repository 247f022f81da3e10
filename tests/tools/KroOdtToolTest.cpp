// The kro-odt command-line tool, run as a process: help, the command line itself, and the verbs
// that work on a text (query, gnid, octets, render), with their outputs, exit codes and messages.
// What the texts read to is shown by the tests of the query parser and of the streams.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

struct Case {
  std::vector<std::string> args;
  int exitCode;
  std::string out;
  std::string err;
  std::string input = "";  // on standard input
};

void ExpectRuns(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(KroOdtDescribeRun(c.args));
    const KroOdtToolRun run = KroOdtRunTool(c.args, c.input);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(KroOdtTool, PrintsHelpForTheToolAndForOneVerb) {
  const KroOdtToolRun run = KroOdtRunTool({"--trace", "help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("\n  kro-odt roundtrip"), std::string::npos);
  const KroOdtToolRun verb = KroOdtRunTool({"gnid", "--help"});
  EXPECT_EQ(verb.exitCode, 0);
  EXPECT_EQ(verb.out.rfind("usage: kro-odt gnid TEXT\n", 0), 0u) << verb.out;
}

TEST(KroOdtTool, RefusesABadCommandLineWithOneUsageLine) {
  ExpectRuns({
      {{},
       2,
       "",
       "kro-odt: no verb given; usage: kro-odt [--trace] [--quiet] VERB [OPERAND...] (see "
       "kro-odt --help)\n"},
      {{"frobnicate"}, 2, "", "kro-odt: unknown verb \"frobnicate\" (see kro-odt --help)\n"},
      {{"--frob", "query", "a"},
       2,
       "",
       "kro-odt: unknown option \"--frob\" (see kro-odt --help)\n"},
      {{"query"},
       2,
       "",
       "kro-odt: missing operand; usage: kro-odt query TEXT (see kro-odt --help)\n"},
      // A verb name that is not plain text is shown escaped, on one line.
      {{"bad\nverb"}, 2, "", "kro-odt: unknown verb \"bad\\nverb\" (see kro-odt --help)\n"},
  });
}

// query, gnid and octets: what a text reads to, or why it cannot be read.
TEST(KroOdtTool, PrintsWhatATextReadsToOrSaysWhyItCannotBeRead) {
  ExpectRuns({
      {{"query", "  value{support{bodyTag}   topoTag}  type "},
       0,
       "value {support{bodyTag} topoTag}\ntype\n",
       ""},
      {{"query", "--", "-k{x}"}, 0, "-k {x}\n", ""},
      {{"--trace", "query", "a{b} c{d"},
       1,
       "",
       R"(kro-odt: cannot parse query "a{b} c{d": "{" and "}" do not pair up (their numbers )"
       R"(differ, or a "}" comes before its "{"))"
       "\nkro-odt: trace: KroMmdODTQueryParser::_ComputeOuterPairsPositions:200 < "
       "KroMmdODTQueryParser::Parse:600\n"},
      {{"gnid", "#4294967295"}, 0, "kind:    1\nnumber:  4294967295\ntext:    #4294967295\n", ""},
      {{"gnid", "~ff~a"},
       0,
       "kind:    3\nnumbers: 255 10 (hexadecimal FF A)\ntext:    ~FF~A\n",
       ""},
      {{"--trace", "gnid", "~1A"},
       1,
       "",
       "kro-odt: cannot read identifier \"~1A\": no second \"~\" after the first number\n"
       "kro-odt: trace: KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:1500\n"},
      {{"octets", R"(['AB',0,'C'])"},
       0,
       "octets:  65 66 0 67\ncount:   4\ntext:    ['AB',0,'C']\n",
       ""},
      // The octet text leaves no trace.
      {{"--trace", "octets", "x"},
       1,
       "",
       "kro-odt: cannot read octet text \"x\": it does not begin with \"[\"\n"
       "kro-odt: trace: (none)\n"},
  });
}

// A template from a file or standard input below --root, printed as it comes out, or a failure
// said in words; which sources are refused, and their traces, are shown by the template's own
// tests.
TEST(KroOdtTool, RendersATemplateOrSaysWhyItCannot) {
  const KroOdtTempDir dir;
  std::ofstream(dir.File("part.txt")) << "a;\"b\"";
  std::ofstream(dir.File("page.txt")) << "[{{ file:/part.txt | JSToJSON }}]\n";
  ExpectRuns({
      // --root names a folder, with or without its last "/".
      {{"render", "--root", dir.Path(), dir.File("page.txt")}, 0, "[a;\\\"b\\\"]\n", ""},
      {{"render", "--root", dir.Path() + "/"},
       0,
       "a,\"b\"",
       "",
       "{{file:/part.txt|SemicolonToComa}}"},
      {{"render", "--root", dir.Path()},
       1,
       "",
       "kro-odt: cannot render template from standard input: a file source leads outside the "
       R"(root folder (a ".." segment, a path that begins with "/", or a link), or the root )"
       "folder does not exist\n",
       "{{file:/../part.txt|JSONToJS}}"},
  });
}

}  // namespace
