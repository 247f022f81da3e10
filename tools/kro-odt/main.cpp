// kro-odt: command-line access to the library's text conversions. See KroOdtCli.h for the
// verbs and how to add one.
#include "KroOdtCli.h"

// Leak-checker settings, used only when the tool is built with the sanitizers. The geometric
// engine keeps a few allocations for the life of the process (the STEP reader's registries,
// made once when the first model is read); they are no leak of the tool, and the checker says
// nothing about them, so that standard error holds only the tool's own messages.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libTKernel.so\nleak:libTKXSBase.so\n";
}
extern "C" __attribute__((used)) const char* __lsan_default_options() {
  return "print_suppressions=0";
}

int main(int argc, char** argv) { return KroOdtMain(argc, argv); }
