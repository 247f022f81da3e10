// A document seen as the holder of its BRep objects: it gives its generic-naming (BRep) graph.
#ifndef KroIMfBrepContainer_H
#define KroIMfBrepContainer_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroBrpGraph;

class KroIMfBrepContainer : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMfBrepContainer)

 public:
  // The document's graph: a plain pointer, valid while the caller holds a reference to any
  // object of the document; the caller does not release it.
  virtual KroBrpGraph* GetBRepGraph() const = 0;
};

typedef KroVar<KroIMfBrepContainer> KroIMfBrepContainer_var;

#endif
