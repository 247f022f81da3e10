// The progress line of kro-odt on standard error, for work that takes more than a moment: a bar
// with a count when the amount of work is known (a roundtrip over thousands of cells), a
// spinner with the elapsed time when it is not (a model file loading). It appears only after
// half a second, only when standard error is a terminal and --quiet was not given, and is
// wiped when the work ends, so that it never mixes with the output or the messages.
#ifndef KroOdtProgress_H
#define KroOdtProgress_H

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

#include "KroOdtCli.h"

class KroOdtProgress {
 public:
  // Shown at all only when the verb's arguments allow it (no --quiet) and stderr is a terminal.
  static bool Enabled(const KroOdtArgs& args);

  // total 0: the amount of work is not known; a spinner then turns on its own until Finish.
  KroOdtProgress(bool enabled, const std::string& label, size_t total, const char* unit = "");
  ~KroOdtProgress();
  KroOdtProgress(const KroOdtProgress&) = delete;
  KroOdtProgress& operator=(const KroOdtProgress&) = delete;

  // The amount of work done so far (a known total only); redraws at most ten times a second.
  void Update(size_t done);
  // Wipes the line for a message; the next Update draws it again.
  void Interrupt();
  // Wipes the line for good; called by the destructor too.
  void Finish();

  // The text of the line for done of total after seconds ("label [####....] 12/40 units 30%
  // 1.2 s"), without the carriage return; for the spinner, total 0 and frame its step.
  static std::string Line(const std::string& label, size_t done, size_t total, const char* unit,
                          double seconds, int frame);

 private:
  void _Draw(size_t done, int frame);
  double _Seconds() const;
  void _Spin();

  bool _Enabled;
  std::string _Label;
  size_t _Total;
  const char* _Unit;
  std::chrono::steady_clock::time_point _Start;
  std::chrono::steady_clock::time_point _LastDraw;
  bool _Drawn = false;
  bool _Finished = false;
  std::mutex _Mutex;
  std::condition_variable _Stop;
  std::thread _Spinner;
};

#endif
