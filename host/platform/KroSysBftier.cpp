// Failure tracing: the recorder chain and the optional standard-error output.
#include "KroSysBftier.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "KroSysTraceRecorder.h"

namespace {
KroSysTraceRecorder* g_TopRecorder = nullptr;

bool TraceToStderr() {
  static const bool enabled = [] {
    const char* value = std::getenv("KRO_TRACE");
    return value != nullptr && std::strcmp(value, "0") != 0 && value[0] != '\0';
  }();
  return enabled;
}
}  // namespace

void KroSysBftier(int stage, const char* name, int) {
  const char* safe_name = name ? name : "";
  if (g_TopRecorder != nullptr) {
    for (KroSysTraceRecorder* r = g_TopRecorder; r != nullptr; r = r->_Previous) {
      r->_Entries.push_back(KroSysTraceEntry{stage, safe_name});
    }
  }
  if (TraceToStderr()) std::fprintf(stderr, "KroSysBftier %d %s\n", stage, safe_name);
}

void KroSysTraceMessage(const char* origin, const char* text) {
  const char* safe_origin = origin ? origin : "";
  const char* safe_text = text ? text : "";
  for (KroSysTraceRecorder* r = g_TopRecorder; r != nullptr; r = r->_Previous) {
    r->_Messages.push_back(KroSysTraceMessageEntry{safe_origin, safe_text});
  }
  if (TraceToStderr()) std::fprintf(stderr, "KroSysTraceMessage %s: %s\n", safe_origin, safe_text);
}

KroSysTraceRecorder::KroSysTraceRecorder() : _Previous(g_TopRecorder), _Next(nullptr) {
  if (_Previous != nullptr) _Previous->_Next = this;
  g_TopRecorder = this;
}

KroSysTraceRecorder::~KroSysTraceRecorder() {
  // Unlinked wherever it stands in the chain, so that no recorder keeps a pointer to it.
  if (_Previous != nullptr) _Previous->_Next = _Next;
  if (_Next != nullptr) {
    _Next->_Previous = _Previous;
  } else {
    g_TopRecorder = _Previous;
  }
}

std::string KroSysTraceRecorder::ToString() const {
  std::string text;
  for (const KroSysTraceEntry& e : _Entries) {
    if (!text.empty()) text += " < ";
    text += e.name + ":" + std::to_string(e.stage);
  }
  return text;
}
