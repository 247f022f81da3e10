// The one leak-checker setting of the builders test binary. The geometric engine keeps a few
// allocations for the life of the process (the STEP reader's registries, made once when the
// first model is read); sanitizer builds are told to leave them alone. Their stacks end in the
// engine's allocator, so a module pattern is all that matches them. Define this function in no
// other file of this folder.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libTKernel.so\nleak:libTKXSBase.so\n";
}
