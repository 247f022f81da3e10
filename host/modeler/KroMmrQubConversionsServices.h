// Conversion services of the modeler's queries: giving back what a query handed over.
#ifndef KroMmrQubConversionsServices_H
#define KroMmrQubConversionsServices_H

#include "KroListPtrKroTopology.h"

class KroMmrQubConversionsServices {
 public:
  // Gives back the references that a query added to the list's entries and empties it.
  static void ReleaseList(KroListPtrKroTopology& topos) { topos.RemoveAll(); }
};

#endif
