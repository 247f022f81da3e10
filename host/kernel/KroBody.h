// A body of a document: one solid of the modeler's kernel, the result of a feature. It gives
// its cells by dimension in a stable order (the same order each time the same model is
// loaded) and is where the geometric cell search (GetCellsOnBodyFromPointByGeomReroute) runs.
#ifndef KroBody_H
#define KroBody_H

#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroListPtrKroCell;

class KroBody : public virtual KroTopology {
  KRO_DECLARE_INTERFACE(KroBody)

 public:
  // Empties cells, then appends the body's cells of the dimension (0 vertices, 1 edges,
  // 2 faces, 3 volumes) in the body's order. Fails for any other dimension (list empty).
  virtual KroResult GetAllCells(KroListPtrKroCell& cells, short dimension) const = 0;
  virtual int GetCellCount(short dimension) const = 0;
  // The solid's name in the model ("Solid.1", a STEP product name, a feature name).
  virtual KroUnicodeString GetName() const = 0;
};

typedef KroVar<KroBody> KroBody_var;

#endif
