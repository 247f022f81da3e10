// Host errors and their handling.
#include "KroError.h"

#include "KroVyxOutput.h"

KroError::KroError(const KroUnicodeString& message) : _Record(std::make_shared<Record>()) {
  _Record->message = message;
}

KroUnicodeString KroError::GetMessage() const { return _Record ? _Record->message : ""; }

bool KroError::IsFlushed() const { return _Record && _Record->flushed; }

void Flush(KroError& error) {
  if (error._Record && !error._Record->flushed) {
    error._Record->flushed = true;
    KroVyxOutput::GetOut() << "error: " << error._Record->message << '\n';
  }
  error._Record.reset();
}
