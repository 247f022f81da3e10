// The geometric engine's messages, taken off standard output: the engine's own printer on
// standard output is replaced, once per process, by one that hands each message it would have
// printed (gravity "info" and above) to the library's trace channel (KroSysTraceMessage) and
// to the collector that runs, if any. A model being read keeps what its collector gathered as
// its reading warnings. An implementation header: never installed.
#ifndef KroBRepEngineMessages_H
#define KroBRepEngineMessages_H

#include <string>
#include <vector>

class KroBRepEngineMessages {
 public:
  // Replaces the engine's standard-output printer; only the first call does anything.
  static void Install();

  // While it lives, the engine's messages are traced under origin and kept here, in order.
  // Collectors nest; the innermost one keeps the messages. Installs the printer.
  class Collector {
   public:
    explicit Collector(const char* origin);
    ~Collector();
    Collector(const Collector&) = delete;
    Collector& operator=(const Collector&) = delete;

    const std::vector<std::string>& Messages() const { return _Messages; }

   private:
    friend class KroBRepEngineMessages;
    const char* _Origin;
    std::vector<std::string> _Messages;
    Collector* _Previous;
  };

  // One message as the engine's printer receives it: colour codes and line ends taken out,
  // spaces trimmed. Empty when nothing is left.
  static std::string Clean(const std::string& text);
  // Hands a message to the channel and the collector that runs.
  static void Report(const std::string& text);
};

#endif
