// The geometric side of a delegate: the topological objects it gives and the contract it was
// made under, besides the object it stands for.
#ifndef KroIMmiGeometryAccess_H
#define KroIMmiGeometryAccess_H

#include "KroIMmiContract.h"
#include "KroIMmiDelegateObject.h"
#include "KroListValKroBaseUnknown_var.h"
#include "KroResult.h"
#include "KroVar.h"

class KroIMmiGeometryAccess : public virtual KroIMmiDelegateObject {
  KRO_DECLARE_INTERFACE(KroIMmiGeometryAccess)

 public:
  // Empties objects, then appends the delegate's topological objects: the cell of a cell
  // delegate, the body of a whole-feature delegate (none when the feature has no body).
  virtual KroResult GetTopologicalObjects(KroListValKroBaseUnknown_var& objects) const = 0;
  // The contract the delegate was made under; empty when none.
  virtual KroResult GetContract(KroIMmiContract_var& contract) const = 0;
};

typedef KroVar<KroIMmiGeometryAccess> KroIMmiGeometryAccess_var;

#endif
