// A mechanical feature of a part (a pad, a hole...), as the modeler's queries on topological
// results take it to narrow their answer. This host's queries take an empty one.
#ifndef KroIMmiMechanicalFeature_H
#define KroIMmiMechanicalFeature_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroIMmiMechanicalFeature : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmiMechanicalFeature)
};

typedef KroVar<KroIMmiMechanicalFeature> KroIMmiMechanicalFeature_var;

#endif
