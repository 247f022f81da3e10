// The progress line on standard error.
#include "KroOdtProgress.h"

#include <unistd.h>

#include <cstdio>

namespace {
// The line appears only for work that lasts longer than this.
constexpr double kDelaySeconds = 0.5;
constexpr double kRedrawSeconds = 0.1;
constexpr int kBarWidth = 30;
}  // namespace

bool KroOdtProgress::Enabled(const KroOdtArgs& args) {
  return !args.quiet && isatty(STDERR_FILENO) == 1;
}

KroOdtProgress::KroOdtProgress(bool enabled, const std::string& label, size_t total,
                               const char* unit)
    : _Enabled(enabled),
      _Label(label),
      _Total(total),
      _Unit(unit),
      _Start(std::chrono::steady_clock::now()),
      _LastDraw(_Start) {
  if (_Enabled && _Total == 0) _Spinner = std::thread(&KroOdtProgress::_Spin, this);
}

KroOdtProgress::~KroOdtProgress() { Finish(); }

double KroOdtProgress::_Seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - _Start).count();
}

std::string KroOdtProgress::Line(const std::string& label, size_t done, size_t total,
                                 const char* unit, double seconds, int frame) {
  char tail[96];
  // A long label (a model's path) is cut at its start, so that the line fits a terminal.
  constexpr size_t kMaxLabel = 40;
  const std::string shown =
      label.size() <= kMaxLabel ? label : "..." + label.substr(label.size() - (kMaxLabel - 3));
  std::string line = "kro-odt: " + shown + " ";
  if (total == 0) {
    static const char kFrames[] = "|/-\\";
    line += kFrames[frame & 3];
    std::snprintf(tail, sizeof tail, " %.1f s", seconds);
    return line + tail;
  }
  if (done > total) done = total;
  const int filled = static_cast<int>(static_cast<double>(done) * kBarWidth / total);
  line += "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "]";
  std::snprintf(tail, sizeof tail, " %zu/%zu%s%s %3d%% %.1f s", done, total, *unit ? " " : "", unit,
                static_cast<int>(100.0 * static_cast<double>(done) / total), seconds);
  return line + tail;
}

void KroOdtProgress::_Draw(size_t done, int frame) {
  const std::string line = Line(_Label, done, _Total, _Unit, _Seconds(), frame);
  // "\033[K" wipes what a longer line left at the end.
  std::fprintf(stderr, "\r%s\033[K", line.c_str());
  std::fflush(stderr);
  _Drawn = true;
}

void KroOdtProgress::Update(size_t done) {
  if (!_Enabled || _Total == 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (std::chrono::duration<double>(now - _Start).count() < kDelaySeconds) return;
  // At most one drawing per period, also after an interruption.
  if (_LastDraw != _Start &&
      std::chrono::duration<double>(now - _LastDraw).count() < kRedrawSeconds) {
    return;
  }
  _LastDraw = now;
  std::lock_guard<std::mutex> lock(_Mutex);
  if (!_Finished) _Draw(done, 0);
}

void KroOdtProgress::_Spin() {
  std::unique_lock<std::mutex> lock(_Mutex);
  if (_Stop.wait_for(lock, std::chrono::duration<double>(kDelaySeconds),
                     [this] { return _Finished; })) {
    return;
  }
  for (int frame = 0; !_Finished; ++frame) {
    _Draw(0, frame);
    _Stop.wait_for(lock, std::chrono::duration<double>(kRedrawSeconds),
                   [this] { return _Finished; });
  }
}

void KroOdtProgress::Interrupt() {
  std::lock_guard<std::mutex> lock(_Mutex);
  if (_Drawn) {
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    _Drawn = false;
  }
}

void KroOdtProgress::Finish() {
  {
    std::lock_guard<std::mutex> lock(_Mutex);
    if (_Finished) return;
    _Finished = true;
  }
  _Stop.notify_all();
  if (_Spinner.joinable()) _Spinner.join();
  if (_Drawn) {
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
  }
}
