// A BRep object of the generic-naming graph: one cell that a scope has named. It carries an
// element number, unique in the graph and the same each time the same model is loaded, and
// gives back its topological object (the cell).
#ifndef KroBrpObject_H
#define KroBrpObject_H

#include "KroMfPartObject.h"
#include "KroTopology.h"
#include "KroVar.h"

class KroBrpScope;

class KroBrpObject : public KroMfPartObject {
  KRO_DECLARE_INTERFACE(KroBrpObject)

 public:
  const char* GetLateType() const override { return "KroBrpObject"; }

  int GetElementNumber() const { return _ElementNumber; }
  // The named cell. mode: 1 (every value behaves as 1).
  KroTopology_var GetTopology(int mode = 1) const;
  // Tag of the named cell.
  unsigned int GetTopologyTag() const { return _Tag; }
  // The scope that named the cell.
  KroBrpScope* GetScope() const { return _Scope; }

 private:
  friend class KroBrpScope;
  KroBrpObject(KroMfPart* part, KroBrpScope* scope, int elementNumber, unsigned int tag);

  KroBrpScope* _Scope;
  int _ElementNumber;
  unsigned int _Tag;
};

#endif
