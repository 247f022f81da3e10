// Words for the traced steps of the operations that the kro-odt verbs call.
#include "KroOdtTraceWords.h"

#include <cstring>

namespace {

struct TraceWords {
  const char* name;  // qualified name, as traced
  int stage;
  const char* words;
};

// One row per traced step, grouped by operation, stages in step order. The words complete the
// sentence "cannot <do this>: ...".
const TraceWords kTraceWords[] = {
    // Output-format queries.
    {"KroMmdODTQueryParser::_ComputeOuterPairsPositions", 100, R"(there is no "{")"},
    {"KroMmdODTQueryParser::_ComputeOuterPairsPositions", 200,
     R"("{" and "}" do not pair up (their numbers differ, or a "}" comes before its "{"))"},
    {"KroMmdODTQueryParser::Parse", 600, R"(its braces do not pair up)"},

    // Generic-naming identifiers.
    {"KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier", 100,
     "the identifier gives no single number"},
    {"KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier", 200,
     "the identifier gives no pair of numbers"},
    {"KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier", 6969,
     "only identifiers of kind 1 and 3 have a text form"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 1000,
     R"(no hexadecimal number of at most 8 digits after the first "~")"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 1500,
     R"(no second "~" after the first number)"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 2000,
     R"(no hexadecimal number of at most 8 digits after the second "~")"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 3000,
     R"(the text has neither "~" nor "#")"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 4000,
     R"(no decimal number from 0 to 4294967295 after "#")"},
};

}  // namespace

const char* KroOdtTraceWords(const std::string& qualifiedName, int stage) {
  for (const TraceWords& row : kTraceWords) {
    if (row.stage == stage && qualifiedName == row.name) return row.words;
  }
  return nullptr;
}

std::string KroOdtExplainTrace(const std::vector<KroSysTraceEntry>& chain) {
  for (const KroSysTraceEntry& entry : chain) {
    if (const char* words = KroOdtTraceWords(entry.name, entry.stage)) return words;
  }
  if (chain.empty()) return "";
  return chain.front().name + " stage " + std::to_string(chain.front().stage);
}

std::string KroOdtRawTrace(const std::vector<KroSysTraceEntry>& chain) {
  std::string raw;
  for (const KroSysTraceEntry& entry : chain) {
    if (!raw.empty()) raw += " < ";
    raw += entry.name + ":" + std::to_string(entry.stage);
  }
  return raw;
}
