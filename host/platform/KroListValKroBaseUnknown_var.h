// A list of counted references to host objects of any kind, indexed from 1 (see KroList): each
// entry holds its own reference, given back when the entry or the list goes. Entries may be
// empty.
#ifndef KroListValKroBaseUnknown_var_H
#define KroListValKroBaseUnknown_var_H

#include "KroList.h"
#include "KroVar.h"

typedef KroList<KroBaseUnknown_var> KroListValKroBaseUnknown_var;

#endif
