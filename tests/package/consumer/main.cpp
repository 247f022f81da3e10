// A host application built against the installed package: one umbrella include, one target.
#include <KroOdt.h>

#include <cstdio>

int main() {
  KroGnIdentifier id(42u);
  KroUnicodeString text;
  if (KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(id, text) != 0) return 1;
  if (text != KroUnicodeString("#42")) return 1;
  std::printf("consumer: ok %s\n", text.CastToCharPtr());
  return 0;
}
