// The engine's message printer, routed into the library's trace channel.
#include "KroBRepEngineMessages.h"

#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_Printer.hxx>
#include <Message_PrinterOStream.hxx>
#include <TCollection_AsciiString.hxx>
#include <cctype>
#include <iostream>
#include <mutex>

#include "KroSysBftier.h"

namespace {

KroBRepEngineMessages::Collector* g_Collector = nullptr;

// Takes what the engine would have printed on standard output.
class KroBRepMessagePrinter : public Message_Printer {
 public:
  KroBRepMessagePrinter() { SetTraceLevel(Message_Info); }

 protected:
  void send(const TCollection_AsciiString& text, const Message_Gravity gravity) const override {
    if (gravity < GetTraceLevel()) return;
    KroBRepEngineMessages::Report(text.ToCString());
  }
};

}  // namespace

void KroBRepEngineMessages::Install() {
  static std::once_flag once;
  std::call_once(once, [] {
    const Handle(Message_Messenger)& messenger = Message::DefaultMessenger();
    Message_SequenceOfPrinters& printers = messenger->ChangePrinters();
    for (int i = printers.Length(); i >= 1; --i) {
      Handle(Message_PrinterOStream) stream = Handle(Message_PrinterOStream)::DownCast(printers(i));
      if (!stream.IsNull() && &stream->GetStream() == &std::cout) printers.Remove(i);
    }
    messenger->AddPrinter(new KroBRepMessagePrinter());
  });
}

KroBRepEngineMessages::Collector::Collector(const char* origin)
    : _Origin(origin), _Previous(g_Collector) {
  Install();
  g_Collector = this;
}

KroBRepEngineMessages::Collector::~Collector() {
  if (g_Collector == this) g_Collector = _Previous;
}

std::string KroBRepEngineMessages::Clean(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0x1B) {  // a terminal colour code: ESC [ parameters, then a letter
      size_t j = i + 1;
      if (j < text.size() && text[j] == '[') {
        ++j;
        while (j < text.size() && !std::isalpha(static_cast<unsigned char>(text[j]))) ++j;
      }
      i = j < text.size() ? j : text.size() - 1;
      continue;
    }
    out += c < 0x20 ? ' ' : static_cast<char>(c);
  }
  const size_t begin = out.find_first_not_of(' ');
  if (begin == std::string::npos) return std::string();
  return out.substr(begin, out.find_last_not_of(' ') - begin + 1);
}

void KroBRepEngineMessages::Report(const std::string& text) {
  const std::string message = Clean(text);
  if (message.empty()) return;
  KroSysTraceMessage(g_Collector ? g_Collector->_Origin : "KroBRepEngine", message.c_str());
  if (g_Collector) g_Collector->_Messages.push_back(message);
}
