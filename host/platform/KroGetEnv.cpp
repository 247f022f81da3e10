// The host's environment service on the C runtime.
#include "KroGetEnv.h"

#include <cstdlib>

KroResult KroGetEnv(const char* name, KroUnicodeString& value) {
  const char* text = name != nullptr ? std::getenv(name) : nullptr;
  value = KroUnicodeString(text);
  return text != nullptr ? KRO_S_OK : KRO_E_FAIL;
}
