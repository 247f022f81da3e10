// The host's own side of a BRep access: the object that supports it and the report selector that
// names its cell through the supporting feature's construction log.
#ifndef KroIBRepAccessPriv_H
#define KroIBRepAccessPriv_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroReportSelect;

class KroIBRepAccessPriv : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIBRepAccessPriv)

 public:
  // The feature whose body holds the cell.
  virtual KroBaseUnknown_var GetSupportingObject() const = 0;
  // A new report selector with one reference for the caller, who releases it; null when the
  // supporting feature logs no element for the cell.
  virtual KroReportSelect* GetReportSelector() const = 0;
};

typedef KroVar<KroIBRepAccessPriv> KroIBRepAccessPriv_var;

#endif
