// The context of a log transaction.
#include "KroMmrLogTransactionContext.h"

KroMmrLogTransactionContext::KroMmrLogTransactionContext(
    KroSoftwareConfiguration* configuration, KroIMmiLogTransactionPriv::LogTransactionType type)
    : _Configuration(configuration), _Type(type) {}

bool KroMmrLogTransactionContext::CanRead() const {
  return _Configuration && (_Type == KroIMmiLogTransactionPriv::ReadTransaction ||
                            _Type == KroIMmiLogTransactionPriv::WriteTransaction);
}
