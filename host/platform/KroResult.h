// Result codes shared by every operation of the library and of the host: a signed 32-bit
// value, 0 for success, negative for failure.
#ifndef KroResult_H
#define KroResult_H

#include <cstdint>

typedef int32_t KroResult;

constexpr KroResult KRO_S_OK = 0;
constexpr KroResult KRO_S_FALSE = 1;
constexpr KroResult KRO_E_FAIL = static_cast<KroResult>(0x80004005u);
constexpr KroResult KRO_E_NOTIMPL = static_cast<KroResult>(0x80004001u);

inline bool KroSucceeded(KroResult rc) { return rc >= 0; }
inline bool KroFailed(KroResult rc) { return rc < 0; }

#endif
