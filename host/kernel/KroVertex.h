// A vertex of a body, seen as such: besides being a cell, it gives its geometric point, whose
// model point holds the vertex's coordinates.
#ifndef KroVertex_H
#define KroVertex_H

#include "KroCell.h"
#include "KroPoint.h"
#include "KroVar.h"

class KroVertex : public virtual KroCell {
  KRO_DECLARE_INTERFACE(KroVertex)

 public:
  // The vertex's geometric point; empty when the vertex has none.
  virtual KroPoint_var GetPoint() const = 0;
};

typedef KroVar<KroVertex> KroVertex_var;

#endif
