// Adapter of the debugging interface of BRep accesses: the base of the library's extension,
// with a DumpStreamTrefle that only traces that it is not implemented, and the process-wide
// switch that decides whether dumps are written.
#ifndef KroMmdUtilDebugAdapt_H
#define KroMmdUtilDebugAdapt_H

#include "KroIMmrUtilDebug.h"
#include "KroUnicodeString.h"

class KroMmdUtilDebugAdapt : public KroIMmrUtilDebug {
 public:
  KroMmdUtilDebugAdapt();

  // Traces stage -9999, "KroMmdUtilDebugAdapt::DumpStreamTrefle not implemented", and succeeds.
  [[nodiscard]] long DumpStreamTrefle(KroUnicodeString label) const override;

  // The dump switch: the number that the environment variable MMD_ACTIVATE_DUMPSTREAMTREFLE
  // holds, read at the first call and kept for the process (0 when the variable is not set or
  // holds no number; a number beyond the int range counts as the nearest int). Only a value of
  // -1 is read again at the next call. The argument is not looked at.
  static int MMD_ACTIVATE_DUMPSTREAMTREFLE(KroUnicodeString unused);

 protected:
  ~KroMmdUtilDebugAdapt() override;
};

#endif
