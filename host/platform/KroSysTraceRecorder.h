// Collects the failure traces made while it lives, in order, and apart from them the messages
// that engines reported meanwhile. Recorders nest: every live recorder sees every trace. They may
// also die in any order (one held by an object that outlives a later one, say). Used by tests
// and by the command-line tool to explain failures.
#ifndef KroSysTraceRecorder_H
#define KroSysTraceRecorder_H

#include <string>
#include <vector>

struct KroSysTraceEntry {
  int stage;
  std::string name;
};

struct KroSysTraceMessageEntry {
  std::string origin;
  std::string text;
};

class KroSysTraceRecorder {
 public:
  KroSysTraceRecorder();
  ~KroSysTraceRecorder();
  KroSysTraceRecorder(const KroSysTraceRecorder&) = delete;
  KroSysTraceRecorder& operator=(const KroSysTraceRecorder&) = delete;

  const std::vector<KroSysTraceEntry>& Entries() const { return _Entries; }
  const std::vector<KroSysTraceMessageEntry>& Messages() const { return _Messages; }
  void Clear() {
    _Entries.clear();
    _Messages.clear();
  }
  // "name:stage" entries joined by " < " (innermost first), for messages and test output.
  std::string ToString() const;

 private:
  friend void KroSysBftier(int, const char*, int);
  friend void KroSysTraceMessage(const char*, const char*);
  std::vector<KroSysTraceEntry> _Entries;
  std::vector<KroSysTraceMessageEntry> _Messages;
  KroSysTraceRecorder* _Previous;  // made before this one, or null
  KroSysTraceRecorder* _Next;      // made after this one, or null
};

#endif
