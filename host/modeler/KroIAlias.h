// The alias of a spec: a second, user-given name. Only specs that have an alias answer this
// interface.
#ifndef KroIAlias_H
#define KroIAlias_H

#include "KroBaseUnknown.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroIAlias : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIAlias)

 public:
  virtual KroUnicodeString GetAlias() const = 0;
};

typedef KroVar<KroIAlias> KroIAlias_var;

#endif
