// The one failure tracer. Every failing operation calls it with its stage code and its
// qualified name before it returns. Silent and cheap by default; KRO_TRACE=1 prints each
// trace on standard error, and a KroSysTraceRecorder collects them.
#ifndef KroSysBftier_H
#define KroSysBftier_H

#include "KroResult.h"

void KroSysBftier(int stage, const char* name, int reserved);

// Traces the stage of a failing step under the operation's qualified name and gives the general
// failure code, for the usual `return KroSysFail(300, kName);`.
inline KroResult KroSysFail(int stage, const char* name) {
  KroSysBftier(stage, name, 0);
  return KRO_E_FAIL;
}

#endif
