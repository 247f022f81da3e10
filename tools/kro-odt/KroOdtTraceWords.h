// Plain words for the failure traces of the library, so that the kro-odt tool can say why an
// operation failed in one line. A verb that calls a new traced operation adds its rows to the
// table in KroOdtTraceWords.cpp.
#ifndef KroOdtTraceWords_H
#define KroOdtTraceWords_H

#include <string>
#include <vector>

#include "KroSysTraceRecorder.h"

// The words for one traced step, or nullptr when the table has no row for it.
const char* KroOdtTraceWords(const std::string& qualifiedName, int stage);

#include <map>

// Why a traced failure happened: the words of the innermost step of the chain that the table
// knows (the innermost step is the most precise one). When an outer step of the chain says
// what was being read ("body identifier <id>"), that comes first: "body identifier "#x": no
// decimal number ...". A chain whose steps the table does not know gives its innermost step as
// "Class::Method stage N"; an empty chain gives "".
//
// Words may hold placeholders such as <id> or <point>, which the caller fills from what it
// knows of the input (KroOdtFillPlaceholders); the ones it does not fill read as plain words.
std::string KroOdtExplainTrace(const std::vector<KroSysTraceEntry>& chain);

// Replaces every placeholder of the map in the text; any "<name>" left gets the fallback
// words of the table ("<id>" becomes "given"), and "<tolerance>" the library's location
// tolerance.
std::string KroOdtFillPlaceholders(const std::string& text,
                                   const std::map<std::string, std::string>& words);

// The chain as the library records it: "Class::Method:stage", innermost first, joined by " < ".
std::string KroOdtRawTrace(const std::vector<KroSysTraceEntry>& chain);

#endif
