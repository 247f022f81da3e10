// A naming context: the document within which names (generic-naming identifiers, feature
// names, tags) are resolved. Compact streams are read within one; the context services
// (KroMfBRepUtils, KroMfGNServices, KroMfBRepServices) take it like any object of the document.
#ifndef KroINamingContext_H
#define KroINamingContext_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroINamingContext : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroINamingContext)
};

typedef KroVar<KroINamingContext> KroINamingContext_var;

#endif
