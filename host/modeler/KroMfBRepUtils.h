// Utilities of the host modeler that reach a document's services from a context object (any
// object of a document: the document, a feature, a body, a cell, a scope...): the BRep graph,
// the spec container, the body of an object and the document's containers.
#ifndef KroMfBRepUtils_H
#define KroMfBRepUtils_H

#include "KroBaseUnknown.h"
#include "KroBody.h"
#include "KroIContainer.h"
#include "KroResult.h"
#include "KroVar.h"

class KroBrpGraph;

class KroMfBRepUtils {
 public:
  // The BRep (generic-naming) graph of the context's document, or null; a plain pointer that
  // the caller does not release.
  static KroBrpGraph* GetGraph(KroBaseUnknown* context);
  // The spec container of the context's document (the document itself), or empty.
  static KroIContainer_var GetSpecContainer(KroBaseUnknown* context);
  // The body of an object: a body itself; a feature's (geometrical element's) body; a cell's
  // body; a scope's body; the document's main body for the document. Empty otherwise.
  static KroBody_var GetBody(KroBaseUnknown* object);
  // The containers of the context's document: the spec container first, then the graph; the
  // second and third containers are always empty in this host. Fails (all outputs empty) for
  // an object of no document.
  static KroResult GetAssociatedContainers(KroBaseUnknown* context, KroIContainer_var& specs,
                                           KroBrpGraph*& graph, KroIContainer_var& second,
                                           KroIContainer_var& third);

  template <class I>
  static KroBrpGraph* GetGraph(const KroVar<I>& context) {
    return GetGraph(static_cast<KroBaseUnknown*>(context.get()));
  }
  template <class I>
  static KroIContainer_var GetSpecContainer(const KroVar<I>& context) {
    return GetSpecContainer(static_cast<KroBaseUnknown*>(context.get()));
  }
  template <class I>
  static KroBody_var GetBody(const KroVar<I>& object) {
    return GetBody(static_cast<KroBaseUnknown*>(object.get()));
  }
  template <class I>
  static KroResult GetAssociatedContainers(const KroVar<I>& context, KroIContainer_var& specs,
                                           KroBrpGraph*& graph, KroIContainer_var& second,
                                           KroIContainer_var& third) {
    return GetAssociatedContainers(static_cast<KroBaseUnknown*>(context.get()), specs, graph,
                                   second, third);
  }
};

#endif
