// The geometric delegate factory: the delegate (geometry access) of a linkable object under a
// contract. The host makes it by its late type "DelegateFactory" (KroObject) and reaches this
// interface by a query by identifier.
#ifndef KroIMmiGeomDelegateFactory_H
#define KroIMmiGeomDelegateFactory_H

#include "KroBaseUnknown.h"
#include "KroILinkableObject.h"
#include "KroIMmiContract.h"
#include "KroIMmiGeometryAccess.h"
#include "KroResult.h"
#include "KroVar.h"

class KroIMmiGeomDelegateFactory : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIMmiGeomDelegateFactory)

 public:
  // The late type name under which the factory is made.
  static constexpr const char* kLateType = "DelegateFactory";

  // access is emptied first. A feature gives a whole-feature delegate, a BRep access the
  // delegate of its cell, each under the contract (which may be empty); option: 0 (every value
  // behaves as 0). Succeeds without an access for a linkable object of any other kind. Fails
  // for an empty object.
  virtual KroResult GetGeometryAccess(const KroILinkableObject_var& object,
                                      const KroIMmiContract_var& contract, int option,
                                      KroIMmiGeometryAccess_var& access) const = 0;
};

typedef KroVar<KroIMmiGeomDelegateFactory> KroIMmiGeomDelegateFactory_var;

#endif
