// The adapter of the debugging interface and the dump switch.
#include "KroMmdUtilDebugAdapt.h"

#include <climits>
#include <cstdlib>

#include "KroGetEnv.h"
#include "KroSysBftier.h"

namespace {
// The dump switch of the process; -1 until the variable is read.
int g_DumpSwitch = -1;

// The leading decimal number of the text as atoi reads it (spaces, sign, digits), 0 when there
// is none; out of the int range, the nearest int instead of atoi's undefined result.
int LeadingNumber(const char* text) {
  const long value = std::strtol(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}
}  // namespace

KroMmdUtilDebugAdapt::KroMmdUtilDebugAdapt() = default;

KroMmdUtilDebugAdapt::~KroMmdUtilDebugAdapt() = default;

long KroMmdUtilDebugAdapt::DumpStreamTrefle(KroUnicodeString) const {
  KroSysBftier(-9999, "KroMmdUtilDebugAdapt::DumpStreamTrefle not implemented", 0);
  return 0;
}

int KroMmdUtilDebugAdapt::MMD_ACTIVATE_DUMPSTREAMTREFLE(KroUnicodeString) {
  if (g_DumpSwitch != -1) return g_DumpSwitch;
  g_DumpSwitch = 0;
  KroUnicodeString value;
  if (KroSucceeded(KroGetEnv("MMD_ACTIVATE_DUMPSTREAMTREFLE", value))) {
    g_DumpSwitch = LeadingNumber(value.CastToCharPtr());
  }
  return g_DumpSwitch;
}
