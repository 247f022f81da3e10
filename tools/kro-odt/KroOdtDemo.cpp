// The demo verb: a few fixed examples of the text verbs, printed as a terminal session would
// show them. A verb that works on models can add its own examples to the list below.
#include <cstdio>
#include <string>

#include "KroOdtCli.h"

namespace {

struct Example {
  const char* verb;
  const char* text;
  KroOdtReport (*describe)(const std::string& text);
};

const Example kExamples[] = {
    {"query", "value{support{bodyTag} topoTag} type", KroOdtDescribeQuery},
    {"gnid", "~FF~10", KroOdtDescribeGnId},
    {"gnid", "~1A", KroOdtDescribeGnId},
    {"octets", R"(['AB',0,'C'])", KroOdtDescribeOctets},
    {"octets", R"([1,,2,256,-1])", KroOdtDescribeOctets},
};

}  // namespace

int KroOdtRunDemo(KroOdtArgs&) {
  std::printf("kro-odt demo: the library's text forms on a few fixed examples.\n");
  for (const Example& example : kExamples) {
    const KroOdtReport report = example.describe(example.text);
    std::printf("\n$ kro-odt %s %s\n", example.verb, KroOdtQuote(example.text).c_str());
    for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
    // A refused example is part of the demo: its reason goes to the same output.
    if (!report.ok) std::printf("kro-odt: %s: %s\n", report.what.c_str(), report.why.c_str());
  }
  return kKroOdtExitOk;
}
