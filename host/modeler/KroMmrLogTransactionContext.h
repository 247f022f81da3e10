// The context of one transaction on the modeling log: the software configuration it runs
// under and the kind of access. Log element tables are made on it; it must outlive them.
#ifndef KroMmrLogTransactionContext_H
#define KroMmrLogTransactionContext_H

#include "KroIMmiLogTransactionPriv.h"
#include "KroSoftwareConfiguration.h"

class KroMmrLogTransactionContext {
 public:
  // Keeps a reference to the configuration (may be null: the context is then not usable).
  KroMmrLogTransactionContext(KroSoftwareConfiguration* configuration,
                              KroIMmiLogTransactionPriv::LogTransactionType type);
  KroMmrLogTransactionContext(const KroMmrLogTransactionContext&) = delete;
  KroMmrLogTransactionContext& operator=(const KroMmrLogTransactionContext&) = delete;

  const KroSoftwareConfiguration_var& GetConfiguration() const { return _Configuration; }
  KroIMmiLogTransactionPriv::LogTransactionType GetType() const { return _Type; }
  // A configuration and a transaction type that allows reading the log.
  bool CanRead() const;

 private:
  KroSoftwareConfiguration_var _Configuration;
  KroIMmiLogTransactionPriv::LogTransactionType _Type;
};

#endif
