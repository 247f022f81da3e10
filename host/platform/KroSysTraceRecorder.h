// Collects the failure traces made while it lives, in order. Recorders nest: every live
// recorder sees every trace. They may also die in any order (one held by an object that outlives
// a later one, say). Used by tests and by the command-line tool to explain failures.
#ifndef KroSysTraceRecorder_H
#define KroSysTraceRecorder_H

#include <string>
#include <vector>

struct KroSysTraceEntry {
  int stage;
  std::string name;
};

class KroSysTraceRecorder {
 public:
  KroSysTraceRecorder();
  ~KroSysTraceRecorder();
  KroSysTraceRecorder(const KroSysTraceRecorder&) = delete;
  KroSysTraceRecorder& operator=(const KroSysTraceRecorder&) = delete;

  const std::vector<KroSysTraceEntry>& Entries() const { return _Entries; }
  void Clear() { _Entries.clear(); }
  // "name:stage" entries joined by " < " (innermost first), for messages and test output.
  std::string ToString() const;

 private:
  friend void KroSysBftier(int, const char*, int);
  std::vector<KroSysTraceEntry> _Entries;
  KroSysTraceRecorder* _Previous;  // made before this one, or null
  KroSysTraceRecorder* _Next;      // made after this one, or null
};

#endif
