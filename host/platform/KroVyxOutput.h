// The host's trace output: the one place where host and library write lines for a person to
// read (never standard output). It writes to standard error unless a caller sends it elsewhere,
// as tests do to read what was written.
#ifndef KroVyxOutput_H
#define KroVyxOutput_H

#include <cstddef>
#include <iosfwd>
#include <string>

#include "KroUnicodeString.h"

class KroVyxOutput {
 public:
  // The process's trace output.
  static KroVyxOutput& GetOut();

  KroVyxOutput& operator<<(const KroUnicodeString& text);
  KroVyxOutput& operator<<(const char* text);
  KroVyxOutput& operator<<(char c);
  KroVyxOutput& operator<<(long value);
  KroVyxOutput& operator<<(int value) { return *this << static_cast<long>(value); }

  // Sends what follows to sink (standard error when null) and gives the sink used so far
  // (null for standard error). The sink must outlive its use.
  std::ostream* SetSink(std::ostream* sink);

  // Collects the trace output while it lives, and gives the former sink back after.
  class Capture {
   public:
    Capture();
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;
    // What was written since the capture began.
    std::string Text() const;

   private:
    struct Buffer;
    Buffer* _Buffer;
    std::ostream* _Previous;
  };

 private:
  KroVyxOutput() = default;
  void _Write(const char* text, size_t length);

  std::ostream* _Sink = nullptr;
};

#endif
