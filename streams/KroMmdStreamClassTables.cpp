// Class-level string tables of the compact geometric streams.
//
// All of them are defined in this one file on purpose: objects of one file are built in the
// order of their definitions when the library is loaded and destroyed in the reverse order when
// it is unloaded, whereas the order between files is unspecified. The geometric selector's
// tables (KroMmdGeomSelectorForODT::_sSeparator and _TabType) belong in the first section below,
// so that they are built before the link stream's tables and destroyed after them; define them
// nowhere else.
#include "KroMmdStreamGeomRefForODT.h"

// ---- 1. Geometric selector tables (built first). ----

// ---- 2. Geometric link stream tables (built second). ----

const KroUnicodeString KroMmdStreamGeomRefForODT::_sSeparator("_");

const KroUnicodeString KroMmdStreamGeomRefForODT::_TabType[KroMmdStreamGeomRefForODT::_nbTypes] = {
    "Vrtx", "Edge", "Face", "Wire", "Axis", "Feat", "Vlme"};
