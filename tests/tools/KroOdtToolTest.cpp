// The kro-odt command-line tool, run as a process: its outputs, exit codes and messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

using ToolRun = KroOdtToolRun;

ToolRun RunTool(const std::vector<std::string>& args) { return KroOdtRunTool(args); }

std::string Describe(const std::vector<std::string>& args) { return KroOdtDescribeRun(args); }

struct Case {
  std::vector<std::string> args;
  int exitCode;
  std::string out;
  std::string err;
};

void ExpectRuns(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.args));
    const ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
}

// ---- Help and the command line itself. ----

TEST(KroOdtTool, PrintsHelpForEveryWayOfAsking) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}, {"--trace", "--help"}}) {
    SCOPED_TRACE(Describe(args));
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("usage: kro-odt [--trace] [--quiet] VERB [OPERAND...]\n", 0), 0u);
    for (const char* verb : {"help", "query", "gnid", "octets", "info", "cells", "features", "find",
                             "roundtrip", "demo"}) {
      EXPECT_NE(run.out.find(std::string("\n  kro-odt ") + verb), std::string::npos) << verb;
    }
  }
}

TEST(KroOdtTool, PrintsTheHelpOfOneVerb) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"help", "gnid"}, {"gnid", "--help"}}) {
    SCOPED_TRACE(Describe(args));
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: kro-odt gnid TEXT\n", 0), 0u) << run.out;
    EXPECT_EQ(run.err, "");
  }
}

TEST(KroOdtTool, RefusesABadCommandLineWithOneUsageLine) {
  ExpectRuns({
      {{},
       2,
       "",
       "kro-odt: no verb given; usage: kro-odt [--trace] [--quiet] VERB [OPERAND...] (see "
       "kro-odt --help)\n"},
      {{"frobnicate"}, 2, "", "kro-odt: unknown verb \"frobnicate\" (see kro-odt --help)\n"},
      {{"help", "frobnicate"},
       2,
       "",
       "kro-odt: unknown verb \"frobnicate\" (see kro-odt --help)\n"},
      {{"--frob", "query", "a"},
       2,
       "",
       "kro-odt: unknown option \"--frob\" (see kro-odt --help)\n"},
      {{"query", "a", "-x"}, 2, "", "kro-odt: unknown option \"-x\" (see kro-odt --help)\n"},
      {{"query"},
       2,
       "",
       "kro-odt: missing operand; usage: kro-odt query TEXT (see kro-odt --help)\n"},
      {{"gnid", "#1", "#2"},
       2,
       "",
       "kro-odt: too many operands; usage: kro-odt gnid TEXT (see kro-odt --help)\n"},
      {{"demo", "x"},
       2,
       "",
       "kro-odt: too many operands; usage: kro-odt demo (see kro-odt --help)\n"},
      // A verb name that is not plain text is shown escaped, on one line.
      {{"bad\nverb"}, 2, "", "kro-odt: unknown verb \"bad\\nverb\" (see kro-odt --help)\n"},
  });
}

// ---- query ----

TEST(KroOdtTool, PrintsEachKeyOfAQueryWithItsSubQuery) {
  ExpectRuns({
      {{"query", "a{b c}d"}, 0, "a {b c}\nd\n", ""},
      {{"query", "  value{support{bodyTag}   topoTag}  type "},
       0,
       "value {support{bodyTag} topoTag}\ntype\n",
       ""},
      {{"query", "a{} b"}, 0, "a\nb\n", ""},
      {{"query", ""}, 0, "", ""},
      {{"query", "a {b}"}, 0, "a\n", ""},
      {{"query", "tab\tkey"}, 0, "tab\\tkey\n", ""},
      {{"query", "clé{sous-requête} ñ"}, 0, "clé {sous-requête}\nñ\n", ""},
      {{"query", "--", "-k{x}"}, 0, "-k {x}\n", ""},
  });
}

TEST(KroOdtTool, SaysWhyAQueryCannotBeParsed) {
  const std::string unpaired =
      R"(: "{" and "}" do not pair up (their numbers differ, or a "}" comes before its "{"))"
      "\n";
  ExpectRuns({
      {{"query", "a{b"}, 1, "", R"(kro-odt: cannot parse query "a{b")" + unpaired},
      {{"query", "x}{y"}, 1, "", R"(kro-odt: cannot parse query "x}{y")" + unpaired},
      {{"--trace", "query", "a{b} c{d"},
       1,
       "",
       R"(kro-odt: cannot parse query "a{b} c{d")" + unpaired +
           "kro-odt: trace: KroMmdODTQueryParser::_ComputeOuterPairsPositions:200 < "
           "KroMmdODTQueryParser::Parse:600\n"},
  });
}

// ---- gnid ----

TEST(KroOdtTool, WritesBackAnIdentifierWithItsKindAndNumbers) {
  ExpectRuns({
      {{"gnid", "#42"}, 0, "kind:    1\nnumber:  42\ntext:    #42\n", ""},
      {{"gnid", "#4294967295"}, 0, "kind:    1\nnumber:  4294967295\ntext:    #4294967295\n", ""},
      {{"gnid", "~ff~a"},
       0,
       "kind:    3\nnumbers: 255 10 (hexadecimal FF A)\ntext:    ~FF~A\n",
       ""},
      {{"gnid", "#7~0~0"}, 0, "kind:    3\nnumbers: 0 0 (hexadecimal 0 0)\ntext:    ~0~0\n", ""},
  });
}

TEST(KroOdtTool, SaysWhyAnIdentifierCannotBeRead) {
  ExpectRuns({
      {{"gnid", "~1A"},
       1,
       "",
       "kro-odt: cannot read identifier \"~1A\": no second \"~\" after the first number\n"},
      {{"gnid", "~~5"},
       1,
       "",
       "kro-odt: cannot read identifier \"~~5\": no hexadecimal number of at most 8 digits "
       "after the first \"~\"\n"},
      {{"gnid", "~5~"},
       1,
       "",
       "kro-odt: cannot read identifier \"~5~\": no hexadecimal number of at most 8 digits "
       "after the second \"~\"\n"},
      {{"gnid", ""},
       1,
       "",
       "kro-odt: cannot read identifier \"\": the text has neither \"~\" nor \"#\"\n"},
      {{"gnid", "#4294967296"},
       1,
       "",
       "kro-odt: cannot read identifier \"#4294967296\": no decimal number from 0 to 4294967295 "
       "after \"#\"\n"},
      // Non-ASCII text is shown as it is; control and stray bytes are escaped.
      {{"gnid", "#é"},
       1,
       "",
       "kro-odt: cannot read identifier \"#é\": no decimal number from 0 to 4294967295 after "
       "\"#\"\n"},
      {{"gnid", "a\x01\xFF\"\n"},
       1,
       "",
       "kro-odt: cannot read identifier \"a\\x01\\xFF\\\"\\n\": the text has neither \"~\" nor "
       "\"#\"\n"},
  });
}

TEST(KroOdtTool, AddsTheRawTraceChainWhenAsked) {
  ExpectRuns({
      {{"--trace", "gnid", "~1A"},
       1,
       "",
       "kro-odt: cannot read identifier \"~1A\": no second \"~\" after the first number\n"
       "kro-odt: trace: KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:1500\n"},
      {{"gnid", "#x", "--trace"},
       1,
       "",
       "kro-odt: cannot read identifier \"#x\": no decimal number from 0 to 4294967295 after "
       "\"#\"\n"
       "kro-odt: trace: KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:4000\n"},
      // The octet text leaves no trace.
      {{"--trace", "octets", "x"},
       1,
       "",
       "kro-odt: cannot read octet text \"x\": it does not begin with \"[\"\n"
       "kro-odt: trace: (none)\n"},
  });
}

// ---- octets ----

TEST(KroOdtTool, PrintsTheOctetsOfATextAndWritesThemBack) {
  ExpectRuns({
      {{"octets", R"(['AB',0,'C'])"},
       0,
       "octets:  65 66 0 67\ncount:   4\ntext:    ['AB',0,'C']\n",
       ""},
      {{"octets", "[]"}, 0, "octets:  (none)\ncount:   0\ntext:    []\n", ""},
      {{"octets", "[1,,2,256,-1]"},
       0,
       "octets:  1 2 0 255\ncount:   4\ntext:    [1,2,0,255]\n",
       ""},
      {{"octets", R"(['it\'s',34])"},
       0,
       "octets:  105 116 39 115 34\ncount:   5\ntext:    ['it\\'s',34]\n",
       ""},
      {{"octets", "['é']"}, 0, "octets:  195 169\ncount:   2\ntext:    [195,169]\n", ""},
  });
}

TEST(KroOdtTool, SaysWhyAnOctetTextCannotBeRead) {
  ExpectRuns({
      {{"octets", "abc"},
       1,
       "",
       "kro-odt: cannot read octet text \"abc\": it does not begin with \"[\"\n"},
      {{"octets", ""},
       1,
       "",
       "kro-odt: cannot read octet text \"\": it does not begin with \"[\"\n"},
      {{"octets", "[1,2"},
       1,
       "",
       "kro-odt: cannot read octet text \"[1,2\": it ends before its closing \"]\"\n"},
  });
}

// ---- demo ----

TEST(KroOdtTool, RunsTheDemoOnTheSamplePart) {
  const ToolRun run = RunTool({"demo"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  for (const char* piece : {
           "$ kro-odt info\nmodel: built-in sample part\nfeatures: 8\n",
           "\n$ kro-odt cells --dim 2 | grep '#8_' | head -n 4\n3_2_#8_Face_",
           "\n$ kro-odt find '3_2_#8_Face_500_500_500_0_0_1__'\n"
           "lost no face within 0.02 of the point (500, 500, 500)\n",
           "\n$ kro-odt find '{\"alias\":\"Knob\"}'\nfound feature #5 Loft\n",
           "\n$ kro-odt roundtrip\nroundtrip of built-in sample part\n",
           "\nroundtrip: 741 cells: 741 same, 0 ambiguous, 0 lost, 0 wrong\n",
           "$ kro-odt query \"value{support{bodyTag} topoTag} type\"\n"
           "value {support{bodyTag} topoTag}\ntype\n",
           "$ kro-odt gnid \"~1A\"\n"
           "kro-odt: cannot read identifier \"~1A\": no second \"~\" after the first number\n",
       }) {
    EXPECT_NE(run.out.find(piece), std::string::npos) << piece << "\nin\n" << run.out;
  }
}

}  // namespace
