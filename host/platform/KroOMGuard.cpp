// The object-model guard: one recursive lock for the process.
#include "KroOMGuard.h"

#include <mutex>

namespace {
// Made on first use and never destroyed, so that a guard taken while the program ends (by the
// static objects of a library that unloads) still finds it.
std::recursive_mutex& Lock() {
  static std::recursive_mutex* const lock = new std::recursive_mutex;
  return *lock;
}
}  // namespace

KroOMGuard::KroOMGuard() { Lock().lock(); }

KroOMGuard::~KroOMGuard() { Lock().unlock(); }
