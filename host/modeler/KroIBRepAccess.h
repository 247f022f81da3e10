// A BRep access: one cell of a feature's body (a vertex, edge, face or volume), or the axis of a
// face whose surface is of revolution, reached through the feature that supports it. Made by
// KroBRepDecode, KroBRepDecodeAxis and KroBRepDecodeTopologyInBody; a counted object of its own
// that holds its feature and cell, and so their document, while it lives.
#ifndef KroIBRepAccess_H
#define KroIBRepAccess_H

#include "KroBaseUnknown.h"
#include "KroTopology.h"
#include "KroVar.h"

class KroIBRepAccess : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroIBRepAccess)

 public:
  // The kind code of an axis; any other access has the dimension of its cell (0 to 3).
  static constexpr int kAxisKind = 7;

  // The cell the access stands for; for an axis, the face of revolution.
  virtual KroTopology_var GetTopology() const = 0;
  virtual int GetKindCode() const = 0;
};

typedef KroVar<KroIBRepAccess> KroIBRepAccess_var;

#endif
