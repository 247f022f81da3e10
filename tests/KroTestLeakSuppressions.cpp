// The leak-checker setting of every test binary. The geometric engine keeps a few allocations
// for the life of the process (the STEP reader's registries, made once when the first model is
// read); sanitized builds leave them alone. Their stacks end in the engine's allocator, so a
// module pattern is all that matches them. tests/lsan.supp says the same for processes that
// the tests start.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libTKernel.so\nleak:libTKXSBase.so\n";
}
