// A list of BRep objects of the generic-naming graph, as a scope gives them for a topological
// object. Indexed from 1; holds a reference on each entry (see KroListPtr). Host queries that hand
// over a new list leave its deletion to the caller.
#ifndef KroListPtrKroBrpObject_H
#define KroListPtrKroBrpObject_H

#include "KroBrpObject.h"
#include "KroListPtr.h"

class KroListPtrKroBrpObject : public KroListPtr<KroBrpObject> {};

#endif
