// kro-odt: command-line access to the library's text conversions. See KroOdtCli.h for the
// verbs and how to add one.
#include "KroOdtCli.h"

int main(int argc, char** argv) { return KroOdtMain(argc, argv); }
