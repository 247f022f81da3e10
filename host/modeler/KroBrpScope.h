// A scope (node) of the generic-naming graph: it ties one associated object (a feature) to its
// body, carries an element number unique in the graph, and holds one BRep object per cell of
// the body that it names. A plain pointer owned by the document; callers never release it.
#ifndef KroBrpScope_H
#define KroBrpScope_H

#include <map>
#include <vector>

#include "KroBody.h"
#include "KroIGnAssociatedObject.h"
#include "KroListPtrKroBrpObject.h"
#include "KroMfPartObject.h"
#include "KroResult.h"
#include "KroVar.h"

class KroBrpGraph;

class KroBrpScope : public KroMfPartObject {
  KRO_DECLARE_INTERFACE(KroBrpScope)

 public:
  const char* GetLateType() const override { return "KroBrpScope"; }

  KroIGnAssociatedObject_var GetAssociatedObject() const;
  // The scope's body. mode: 1 (every value behaves as 1). Empty for a scope without a body.
  KroBody_var GetBody(int mode = 1) const;
  int GetElementNumber() const { return _ElementNumber; }
  KroBrpGraph* GetGraph() const { return _Graph; }

  // Empties objects, then appends the BRep objects that the scope holds for the topological
  // object, matched by tag (at most one per cell; none for a body or a cell the scope has not
  // named). Fails for a null topological object.
  KroResult GetBrpObjects(KroTopology* topology, KroListPtrKroBrpObject& objects) const;
  // The scope's BRep objects in order (from 1); null outside.
  int GetBrpObjectCount() const { return static_cast<int>(_Objects.size()); }
  KroBrpObject* GetBrpObject(int index) const;

 private:
  friend class KroBrpGraph;
  KroBrpScope(KroMfPart* part, KroBrpGraph* graph, int elementNumber,
              KroIGnAssociatedObject* object, KroBody* body);
  // Names the cell of that tag with a new BRep object of that element number.
  KroBrpObject* _AddBrpObject(int elementNumber, unsigned int tag);

  KroBrpGraph* _Graph;
  int _ElementNumber;
  KroIGnAssociatedObject* _Object;  // an object of the same document
  KroBody* _Body;                   // idem, may be null
  std::vector<KroBrpObject*> _Objects;
  std::map<unsigned int, KroBrpObject*> _ObjectsByTag;
};

#endif
