// The kro-odt command line: its verbs, the arguments a verb receives and the shared ways of
// reporting. A new verb is one function and one row of KroOdtVerbTable() (KroOdtVerbTable.cpp);
// the dispatcher checks its operand count, and help lists it.
#ifndef KroOdtCli_H
#define KroOdtCli_H

#include <map>
#include <string>
#include <vector>

#include "KroSysTraceRecorder.h"

// Exit codes of the tool.
enum KroOdtExit {
  kKroOdtExitOk = 0,      // the verb did what was asked
  kKroOdtExitFailed = 1,  // the library refused the input; one line on stderr says why
  kKroOdtExitUsage = 2    // the command line itself is wrong; one usage hint on stderr
};

// What a verb receives: its operands, options removed.
struct KroOdtArgs {
  std::string verb;
  std::vector<std::string> operands;
  bool trace = false;  // --trace: also print the raw trace chain of a failure
  bool quiet = false;  // --quiet: no progress bar
  // The verb's own options that were given ("--dim" -> "2", "--logs" -> ""); the last one of
  // the same name wins.
  std::map<std::string, std::string> options;

  bool Has(const std::string& option) const { return options.count(option) != 0; }
  // The option's value, or fallback when it was not given.
  std::string Option(const std::string& option, const std::string& fallback = "") const;
};

// An option that some verbs take: "--dim" with the value name "N", or "--logs" with none.
struct KroOdtOption {
  const char* name;
  const char* value;  // the name of its value for the usage line, "" for a flag
  const char* help;   // one line for the help text
};

// Every verb option, in the order the help lists them.
const std::vector<KroOdtOption>& KroOdtOptionTable();
const KroOdtOption* KroOdtFindOption(const std::string& name);

// Upper bound of a verb's operand count for verbs that take any number of them.
constexpr int kKroOdtManyOperands = 1 << 30;

struct KroOdtVerb {
  const char* name;
  const char* operands;  // operand names for the usage line, e.g. "TEXT"; "" for none
  int minOperands;
  int maxOperands;
  const char* options;  // the verb's own options, e.g. "--dim --json"; "" for none
  const char* summary;  // one line for the help text
  const char* details;  // further help lines for "kro-odt help VERB", or ""
  int (*run)(KroOdtArgs& args);
};

// Every verb, in the order the help lists them.
const std::vector<KroOdtVerb>& KroOdtVerbTable();
const KroOdtVerb* KroOdtFindVerb(const std::string& name);

// Runs the tool on its command line; returns the exit code.
int KroOdtMain(int argc, char** argv);

// The help text: the whole tool, or one verb.
void KroOdtPrintHelp();
void KroOdtPrintVerbHelp(const KroOdtVerb& verb);

// Verbs (KroOdtTextVerbs.cpp, KroOdtDemo.cpp, KroOdtCellVerbs.cpp, KroOdtRoundtrip.cpp,
// KroOdtFeatureVerbs.cpp, KroOdtAccess.cpp, KroOdtFind.cpp, KroOdtDiff.cpp,
// KroOdtTemplateVerbs.cpp).
int KroOdtRunHelp(KroOdtArgs& args);
int KroOdtRunQuery(KroOdtArgs& args);
int KroOdtRunGnId(KroOdtArgs& args);
int KroOdtRunOctets(KroOdtArgs& args);
int KroOdtRunDemo(KroOdtArgs& args);
int KroOdtRunInfo(KroOdtArgs& args);
int KroOdtRunCells(KroOdtArgs& args);
int KroOdtRunFeatures(KroOdtArgs& args);
int KroOdtRunAccess(KroOdtArgs& args);
int KroOdtRunDelegates(KroOdtArgs& args);  // KroOdtDelegates.cpp
int KroOdtRunFind(KroOdtArgs& args);
int KroOdtRunRoundtrip(KroOdtArgs& args);
int KroOdtRunDiff(KroOdtArgs& args);
int KroOdtRunRender(KroOdtArgs& args);
int KroOdtRunDump(KroOdtArgs& args);  // KroOdtDump.cpp

// The result of one text conversion, ready to print: the lines of a success, or why it failed.
struct KroOdtReport {
  bool ok = true;
  std::vector<std::string> lines;       // output lines, without their end of line
  std::string what;                     // on failure: "cannot read identifier \"~1A\""
  std::string why;                      // on failure: the plain words
  std::vector<KroSysTraceEntry> chain;  // on failure: the traces the library left
};

KroOdtReport KroOdtDescribeQuery(const std::string& query);
KroOdtReport KroOdtDescribeGnId(const std::string& text);
KroOdtReport KroOdtDescribeOctets(const std::string& text);

// A usage error: one line on stderr with the help hint; returns kKroOdtExitUsage.
int KroOdtUsageError(const std::string& message);

// Prints a report as a verb does: the lines on stdout, or one line on stderr (and the raw chain
// with --trace). Returns the exit code.
int KroOdtPrintReport(const KroOdtArgs& args, const KroOdtReport& report);

// A text shown inside double quotes on one line: printable ASCII and well-formed UTF-8 stay as
// they are; quotes and backslashes are escaped; control and stray bytes become \t, \n, \r or
// \xNN.
std::string KroOdtQuote(const std::string& text);
// The same escapes without the surrounding quotes (and with the quotes left alone).
std::string KroOdtEscape(const std::string& text);
// A text as a JSON string: quotes, backslashes and control characters escaped, well-formed
// UTF-8 kept, any other byte read as Latin-1, so that the output is always valid JSON.
std::string KroOdtJsonString(const std::string& text);

#endif
