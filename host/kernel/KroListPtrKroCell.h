// A list of cells (vertices, edges, faces, volumes) of a body, as the body, a cell and the cell
// search give them. Indexed from 1; holds a reference on each entry (see KroListPtr). Host queries
// that hand over a new list leave its deletion to the caller.
#ifndef KroListPtrKroCell_H
#define KroListPtrKroCell_H

#include "KroCell.h"
#include "KroListPtr.h"

class KroListPtrKroCell : public KroListPtr<KroCell> {};

#endif
