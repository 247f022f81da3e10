// A host error: a counted reference to what went wrong, thrown by value by host code and caught
// inside a protected block (VyxTkCompatCtx). Copies share one error, so a handler that flushes
// its copy flushes the error the thrower made.
#ifndef KroError_H
#define KroError_H

#include <memory>

#include "KroUnicodeString.h"

class KroError {
 public:
  // An empty reference.
  KroError() = default;
  // A new error with the message.
  explicit KroError(const KroUnicodeString& message);

  bool operator!() const { return !_Record; }
  explicit operator bool() const { return static_cast<bool>(_Record); }
  // Same error, whichever copy.
  bool operator==(const KroError& other) const { return _Record == other._Record; }

  // The message; "" for an empty reference.
  KroUnicodeString GetMessage() const;
  // Whether Flush has handled the error (through any copy).
  bool IsFlushed() const;

 private:
  friend void Flush(KroError& error);
  struct Record {
    KroUnicodeString message;
    bool flushed = false;
  };
  std::shared_ptr<Record> _Record;
};

// Handles a caught error: writes its message as one line on the trace output ("error: " and
// the message), marks it flushed and empties this reference. An empty reference, or an error
// flushed already, writes nothing.
void Flush(KroError& error);

#endif
