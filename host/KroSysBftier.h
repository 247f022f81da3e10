// The one failure tracer. Every failing operation calls it with its stage code and its
// qualified name before it returns. Silent and cheap by default; KRO_TRACE=1 prints each
// trace on standard error, and a KroSysTraceRecorder collects them.
#ifndef KroSysBftier_H
#define KroSysBftier_H

void KroSysBftier(int stage, const char* name, int reserved);

#endif
