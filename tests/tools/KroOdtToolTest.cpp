// The kro-odt command-line tool, run as a process: help, the command line itself, and the verbs
// that work on a text (query, gnid, octets), with their outputs, exit codes and messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

namespace {

struct Case {
  std::vector<std::string> args;
  int exitCode;
  std::string out;
  std::string err;
};

void ExpectRuns(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(KroOdtDescribeRun(c.args));
    const KroOdtToolRun run = KroOdtRunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(KroOdtTool, PrintsHelpForTheToolAndForOneVerb) {
  const KroOdtToolRun run = KroOdtRunTool({"--trace", "help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("usage: kro-odt [--trace] [--quiet] VERB [OPERAND...]\n", 0), 0u);
  for (const char* verb : {"help", "query", "gnid", "octets", "info", "cells", "features", "access",
                           "delegates", "find", "roundtrip", "demo"}) {
    EXPECT_NE(run.out.find(std::string("\n  kro-odt ") + verb), std::string::npos) << verb;
  }
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
      {{"gnid", "#1", "#2"},
       2,
       "",
       "kro-odt: too many operands; usage: kro-odt gnid TEXT (see kro-odt --help)\n"},
      // A verb name that is not plain text is shown escaped, on one line.
      {{"bad\nverb"}, 2, "", "kro-odt: unknown verb \"bad\\nverb\" (see kro-odt --help)\n"},
  });
}

TEST(KroOdtTool, PrintsEachKeyOfAQueryWithItsSubQuery) {
  const std::string unpaired =
      R"(: "{" and "}" do not pair up (their numbers differ, or a "}" comes before its "{"))"
      "\n";
  ExpectRuns({
      {{"query", "  value{support{bodyTag}   topoTag}  type "},
       0,
       "value {support{bodyTag} topoTag}\ntype\n",
       ""},
      {{"query", "tab\tkey"}, 0, "tab\\tkey\n", ""},
      {{"query", "clé{sous-requête} ñ"}, 0, "clé {sous-requête}\nñ\n", ""},
      {{"query", "--", "-k{x}"}, 0, "-k {x}\n", ""},
      {{"query", "x}{y"}, 1, "", R"(kro-odt: cannot parse query "x}{y")" + unpaired},
      {{"--trace", "query", "a{b} c{d"},
       1,
       "",
       R"(kro-odt: cannot parse query "a{b} c{d")" + unpaired +
           "kro-odt: trace: KroMmdODTQueryParser::_ComputeOuterPairsPositions:200 < "
           "KroMmdODTQueryParser::Parse:600\n"},
  });
}

TEST(KroOdtTool, WritesBackAnIdentifierOrSaysWhyItCannotBeRead) {
  const std::string cannot = "kro-odt: cannot read identifier ";
  ExpectRuns({
      {{"gnid", "#4294967295"}, 0, "kind:    1\nnumber:  4294967295\ntext:    #4294967295\n", ""},
      {{"gnid", "~ff~a"},
       0,
       "kind:    3\nnumbers: 255 10 (hexadecimal FF A)\ntext:    ~FF~A\n",
       ""},
      {{"--trace", "gnid", "~1A"},
       1,
       "",
       cannot + "\"~1A\": no second \"~\" after the first number\n"
                "kro-odt: trace: KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:1500\n"},
      {{"gnid", "#4294967296", "--trace"},
       1,
       "",
       cannot + "\"#4294967296\": no decimal number from 0 to 4294967295 after \"#\"\n" +
           "kro-odt: trace: KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream:4000\n"},
      // Non-ASCII text is shown as it is; control and stray bytes are escaped.
      {{"gnid", "#é"},
       1,
       "",
       cannot + "\"#é\": no decimal number from 0 to 4294967295 after \"#\"\n"},
      {{"gnid", "a\x01\xFF\"\n"},
       1,
       "",
       cannot + "\"a\\x01\\xFF\\\"\\n\": the text has neither \"~\" nor \"#\"\n"},
  });
}

TEST(KroOdtTool, PrintsTheOctetsOfATextOrSaysWhyItCannotBeRead) {
  ExpectRuns({
      {{"octets", R"(['AB',0,'C'])"},
       0,
       "octets:  65 66 0 67\ncount:   4\ntext:    ['AB',0,'C']\n",
       ""},
      {{"octets", "['é']"}, 0, "octets:  195 169\ncount:   2\ntext:    [195,169]\n", ""},
      // The octet text leaves no trace.
      {{"--trace", "octets", "x"},
       1,
       "",
       "kro-odt: cannot read octet text \"x\": it does not begin with \"[\"\n"
       "kro-odt: trace: (none)\n"},
  });
}

}  // namespace
