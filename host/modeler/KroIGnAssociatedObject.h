// A generic-naming associated object: an object of a document (a feature, for example) that
// the generic-naming graph names by a scope. Its identifier is of kind 1 ("#n") for features.
#ifndef KroIGnAssociatedObject_H
#define KroIGnAssociatedObject_H

#include "KroBaseUnknown.h"
#include "KroGnIdentifier.h"
#include "KroResult.h"
#include "KroVar.h"

class KroIGnAssociatedObject : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIGnAssociatedObject)

 public:
  // Fills the object's generic-naming identifier. option: 0 (every value behaves as 0).
  virtual KroResult GetGnIdentifier(KroGnIdentifier& identifier, int option = 0) const = 0;
};

typedef KroVar<KroIGnAssociatedObject> KroIGnAssociatedObject_var;

#endif
