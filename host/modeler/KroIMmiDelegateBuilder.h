// What makes the delegate of a cell: a BRep access answers it.
#ifndef KroIMmiDelegateBuilder_H
#define KroIMmiDelegateBuilder_H

#include "KroBaseUnknown.h"
#include "KroIMmiContract.h"
#include "KroIMmiDelegateObject.h"
#include "KroResult.h"
#include "KroVar.h"

class KroIMmiDelegateBuilder : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmiDelegateBuilder)

 public:
  // A new delegate of the cell under the contract (which may be empty). Fails, delegate empty,
  // when the cell or its feature is gone.
  virtual KroResult MakeDelegate(const KroIMmiContract_var& contract,
                                 KroIMmiDelegateObject_var& delegate) const = 0;
};

typedef KroVar<KroIMmiDelegateBuilder> KroIMmiDelegateBuilder_var;

#endif
