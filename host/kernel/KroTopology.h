// A topological object of a document: a cell (KroCell: vertex, edge, face, volume) or a body
// (KroBody). Its tag is a 32-bit number unique in the document and the same each time the same
// model is loaded; it is what identifies the object (one document gives one object per tag).
#ifndef KroTopology_H
#define KroTopology_H

#include "KroBaseUnknown.h"
#include "KroGeoFactory.h"
#include "KroVar.h"

class KroTopology : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroTopology)

 public:
  virtual unsigned int GetTag() const = 0;
  // The factory of the object's document (empty when it belongs to none).
  virtual KroGeoFactory_var GetGeoFactory() const = 0;
};

typedef KroVar<KroTopology> KroTopology_var;

#endif
