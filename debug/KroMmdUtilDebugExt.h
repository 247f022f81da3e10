// The library's debugging extension of BRep accesses (late type "KroBRepAccessImpl"): made by
// the interface dictionary when a caller asks an access for KroIMmrUtilDebug, it writes the
// delegate stream of the access's cell on the host's trace output when the dump switch is on.
#ifndef KroMmdUtilDebugExt_H
#define KroMmdUtilDebugExt_H

#include "KroBaseUnknown.h"
#include "KroMetaClass.h"
#include "KroMmdUtilDebugAdapt.h"
#include "KroUnicodeString.h"

class KroMmdUtilDebugExt : public KroMmdUtilDebugAdapt {
 public:
  KroMmdUtilDebugExt();

  // The meta object of the class, made on first need under the object-model guard.
  static const KroMetaClass* MetaObject();

  const KroMetaClass* GetMetaObject() const override;
  const char* IsA() const override;
  bool IsAKindOf(const char* className) const override;

  // Makes the delegate of the extended access's cell and writes its delegate stream; when the
  // dump switch is on, writes "<label>_StreamTrefleBRepAccess", two spaces, the stream and a
  // line feed on the trace output (the stream is empty when it cannot be written). Runs in a
  // protected block. Stages: 9001 the extended object is no BRep access; 9002 the access is no
  // delegate builder; 9003 it made no delegate; 9099 a host error (KroError) was raised, which
  // is flushed (one raised while it is handled goes on to the caller's block). Other exceptions
  // are not caught: the host's null-reference error (KroNullReferenceError) is a fault of the
  // code that used an empty reference, not a host error, and goes on to the caller (the dump
  // itself tests every reference before it uses it).
  [[nodiscard]] long DumpStreamTrefle(KroUnicodeString label) const override;

 protected:
  ~KroMmdUtilDebugExt() override;
};

// The creation function that the interface dictionary calls for the extension: the extension of
// implementation (object when null), with one reference for the caller, or null.
extern "C" __attribute__((visibility("default"))) KroBaseUnknown*
CreateBOAKroIMmrUtilDebugKroMmdUtilDebugExt(KroBaseUnknown* object, KroBaseUnknown* implementation);

#endif
