// A list of topological objects (cells and bodies). Indexed from 1; holds a reference on each entry
// (see KroListPtr). Host queries that hand over a new list leave its deletion to the caller.
#ifndef KroListPtrKroTopology_H
#define KroListPtrKroTopology_H

#include "KroListPtr.h"
#include "KroTopology.h"

class KroListPtrKroTopology : public KroListPtr<KroTopology> {};

#endif
