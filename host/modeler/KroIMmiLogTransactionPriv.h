// A transaction on the modeling log: the kinds of access that a log transaction context is
// opened for. Lookups in the log (paths, selectors) need a read transaction.
#ifndef KroIMmiLogTransactionPriv_H
#define KroIMmiLogTransactionPriv_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroIMmiLogTransactionPriv : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmiLogTransactionPriv)

 public:
  enum LogTransactionType { NoTransaction = 0, ReadTransaction = 1, WriteTransaction = 2 };

  virtual LogTransactionType GetLogTransactionType() const = 0;
};

typedef KroVar<KroIMmiLogTransactionPriv> KroIMmiLogTransactionPriv_var;

#endif
