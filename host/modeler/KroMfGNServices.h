// Generic-naming services of the host modeler, reached from a context object: any object of a
// document (the document, a feature, a body, a cell, a scope...) leads to the document's
// generic-naming graph.
#ifndef KroMfGNServices_H
#define KroMfGNServices_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroBrpGraph;

class KroMfGNServices {
 public:
  // The graph of the context's document, or null (null context, object of no document). A
  // plain pointer, valid while the context is held; the caller does not release it.
  static KroBrpGraph* GetGraph(KroBaseUnknown* context);
  template <class I>
  static KroBrpGraph* GetGraph(const KroVar<I>& context) {
    return GetGraph(static_cast<KroBaseUnknown*>(context.get()));
  }
};

#endif
