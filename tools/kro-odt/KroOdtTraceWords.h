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

// Why a traced failure happened: the words of the innermost step of the chain that the table
// knows (the innermost step is the most precise one). A chain whose steps the table does not
// know gives its innermost step as "Class::Method stage N"; an empty chain gives "".
std::string KroOdtExplainTrace(const std::vector<KroSysTraceEntry>& chain);

// The chain as the library records it: "Class::Method:stage", innermost first, joined by " < ".
std::string KroOdtRawTrace(const std::vector<KroSysTraceEntry>& chain);

#endif
