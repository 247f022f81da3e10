// The one failure tracer. Every failing operation calls it with its stage code and its
// qualified name before it returns. Silent and cheap by default; KRO_TRACE=1 prints each
// trace on standard error, and a KroSysTraceRecorder collects them. The same channel carries
// the messages of the engines under the host (KroSysTraceMessage).
#ifndef KroSysBftier_H
#define KroSysBftier_H

#include "KroResult.h"

void KroSysBftier(int stage, const char* name, int reserved);

// A message that an engine under the host reports (the geometric kernel's note of an
// unresolved reference while it reads a file), under the operation that was running: never on
// standard output. KRO_TRACE=1 prints it on standard error; every live KroSysTraceRecorder
// keeps it among its messages. Not a failure: nothing is added to the failure traces.
void KroSysTraceMessage(const char* origin, const char* text);

// Traces the stage of a failing step under the operation's qualified name and gives the general
// failure code, for the usual `return KroSysFail(300, kName);`.
inline KroResult KroSysFail(int stage, const char* name) {
  KroSysBftier(stage, name, 0);
  return KRO_E_FAIL;
}

#endif
