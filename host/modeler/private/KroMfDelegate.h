// Delegates of part documents, shared by the sources that make them: the BRep access (a cell
// delegate) and the geometric delegate factory (a whole-feature delegate).
#ifndef KroMfDelegate_H
#define KroMfDelegate_H

#include "KroIMmiContract.h"
#include "KroIMmiGeometryAccess.h"
#include "KroListValKroBaseUnknown_var.h"
#include "KroPathElement.h"

// A new delegate that stands for the linkable object, gives the topological objects and was
// made under the contract (which may be empty).
KroIMmiGeometryAccess_var KroMfMakeDelegate(const KroBaseUnknown_var& linkable,
                                            const KroListValKroBaseUnknown_var& topos,
                                            const KroIMmiContract_var& contract);

// The selection path of an object of a document: the document, then the elements given
// (outermost first). Null when object belongs to no document.
KroPathElement* KroMfMakePath(KroBaseUnknown* object,
                              const std::vector<KroBaseUnknown_var>& elements);

#endif
