// A spec that the modeling journal names: its journaling name and its naming reference. Only
// specs that have a journaling name answer this interface.
#ifndef KroIJournalingSpec_H
#define KroIJournalingSpec_H

#include "KroBaseUnknown.h"
#include "KroResult.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroIJournalingSpec : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIJournalingSpec)

 public:
  virtual KroUnicodeString GetJournalingName() const = 0;
  // Fills the naming reference (the journaling name unless the document gave another one);
  // it may be empty.
  virtual KroResult GetNamingReference(KroUnicodeString& reference) const = 0;
};

typedef KroVar<KroIJournalingSpec> KroIJournalingSpec_var;

#endif
