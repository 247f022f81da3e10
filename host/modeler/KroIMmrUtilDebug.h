// The debugging service of a BRep access: asked through this interface, an access writes the
// delegate stream of its cell on the trace output under a caller's label. The modeler only
// declares it; a library implements it as an extension of the access's late type.
#ifndef KroIMmrUtilDebug_H
#define KroIMmrUtilDebug_H

#include "KroBaseUnknown.h"
#include "KroMetaClass.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroIMmrUtilDebug : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmrUtilDebug)

 public:
  // The meta object of the interface.
  static const KroMetaClass* MetaObject();

  // Dumps the stream of the object under the label; 0 on success.
  [[nodiscard]] virtual long DumpStreamTrefle(KroUnicodeString label) const = 0;
};

typedef KroVar<KroIMmrUtilDebug> KroIMmrUtilDebug_var;

#endif
