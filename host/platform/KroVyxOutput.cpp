// The host's trace output: standard error, or the stream a caller gave.
#include "KroVyxOutput.h"

#include <cstdio>
#include <cstring>
#include <ostream>
#include <sstream>

struct KroVyxOutput::Capture::Buffer {
  std::ostringstream text;
};

KroVyxOutput& KroVyxOutput::GetOut() {
  static KroVyxOutput out;
  return out;
}

void KroVyxOutput::_Write(const char* text, size_t length) {
  if (_Sink != nullptr) {
    _Sink->write(text, static_cast<std::streamsize>(length));
  } else {
    std::fwrite(text, 1, length, stderr);
  }
}

KroVyxOutput& KroVyxOutput::operator<<(const KroUnicodeString& text) {
  _Write(text.CastToCharPtr(), static_cast<size_t>(text.GetLengthInChar()));
  return *this;
}

KroVyxOutput& KroVyxOutput::operator<<(const char* text) {
  if (text != nullptr) _Write(text, std::strlen(text));
  return *this;
}

KroVyxOutput& KroVyxOutput::operator<<(char c) {
  _Write(&c, 1);
  return *this;
}

KroVyxOutput& KroVyxOutput::operator<<(long value) {
  const std::string text = std::to_string(value);
  _Write(text.data(), text.size());
  return *this;
}

std::ostream* KroVyxOutput::SetSink(std::ostream* sink) {
  std::ostream* previous = _Sink;
  _Sink = sink;
  return previous;
}

KroVyxOutput::Capture::Capture() : _Buffer(new Buffer) {
  _Previous = GetOut().SetSink(&_Buffer->text);
}

KroVyxOutput::Capture::~Capture() {
  GetOut().SetSink(_Previous);
  delete _Buffer;
}

std::string KroVyxOutput::Capture::Text() const { return _Buffer->text.str(); }
