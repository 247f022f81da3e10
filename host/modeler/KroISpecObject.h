// A spec: a member of a document's spec container (a feature, for example), with its name.
#ifndef KroISpecObject_H
#define KroISpecObject_H

#include "KroBaseUnknown.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroISpecObject : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroISpecObject)

 public:
  // The spec's name ("Boss", "Hole.1", "Solid.2"...); names need not be unique.
  virtual KroUnicodeString GetName() const = 0;
};

typedef KroVar<KroISpecObject> KroISpecObject_var;

#endif
