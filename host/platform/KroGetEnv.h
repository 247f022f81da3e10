// The host's environment service: the value of one environment variable of the process.
#ifndef KroGetEnv_H
#define KroGetEnv_H

#include "KroResult.h"
#include "KroUnicodeString.h"

// The value of the variable name (set but empty gives ""). Fails, value empty, when the
// variable is not set or name is null.
[[nodiscard]] KroResult KroGetEnv(const char* name, KroUnicodeString& value);

#endif
