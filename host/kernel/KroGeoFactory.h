// The geometric factory of a document: it holds the document's bodies, cells and their
// geometry, and finds them again by tag. Every document has one (KroMfBRepServices::
// GetGeoFactory gives it from any object of the document).
#ifndef KroGeoFactory_H
#define KroGeoFactory_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroGeoFactory : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroGeoFactory)

 public:
  // Object-type codes of FindObjectFromTag.
  static constexpr unsigned int kTopologyType = 0x8000002;  // any topological object
  static constexpr unsigned int kBodyType = 0x8000004;      // bodies only

  // The object of the document with that tag, with a reference for the caller, or an empty
  // reference. kBodyType finds bodies only; kTopologyType finds cells and bodies (a body is a
  // topological object too); any other code finds nothing. Tags are unique in a document.
  virtual KroBaseUnknown_var FindObjectFromTag(unsigned int tag, unsigned int type) const = 0;
};

typedef KroVar<KroGeoFactory> KroGeoFactory_var;

#endif
