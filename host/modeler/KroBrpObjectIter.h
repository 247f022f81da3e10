// Walks the BRep objects of a generic-naming graph in the graph's order (scope by scope, in
// the order each scope named its cells), optionally only those whose topological object
// implements a named interface (for example "KroVertex"). Valid while the graph's document is.
#ifndef KroBrpObjectIter_H
#define KroBrpObjectIter_H

#include "KroUnicodeString.h"

class KroBrpGraph;
class KroBrpObject;

class KroBrpObjectIter {
 public:
  KroBrpObjectIter() = default;  // walks nothing
  // typeName: empty for every BRep object, else an interface name of the topological objects.
  KroBrpObjectIter(const KroBrpGraph* graph, const KroUnicodeString& typeName);

  // Back to the first object.
  void Reset() { _Next = 0; }
  // The next BRep object, or null at the end.
  KroBrpObject* Next();

 private:
  const KroBrpGraph* _Graph = nullptr;
  KroUnicodeString _TypeName;
  int _Next = 0;
};

#endif
