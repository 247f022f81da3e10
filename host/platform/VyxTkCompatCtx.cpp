// The host's protected block: a count of open blocks per thread.
#include "VyxTkCompatCtx.h"

namespace {
thread_local int t_OpenBlocks = 0;
}  // namespace

VyxTkCompatCtx::VyxTkCompatCtx() : _Open(true) { ++t_OpenBlocks; }

VyxTkCompatCtx::~VyxTkCompatCtx() { Close(); }

void VyxTkCompatCtx::Close() {
  if (_Open) {
    _Open = false;
    --t_OpenBlocks;
  }
}

int VyxTkCompatCtx::Depth() { return t_OpenBlocks; }

void VyxTkCompatCtx::Rethrow(const KroError& error) {
  if (!error) throw KroError("an empty host error was passed on");
  throw error;
}
