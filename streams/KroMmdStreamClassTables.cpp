// Class-level string tables of the compact geometric streams.
//
// The geometric selector's tables (KroMmdGeomSelectorForODT::_sSeparator and _TabType) are
// defined with the selector in builders/, the layer it lives in, since this layer cannot see
// it. Nothing reads either class's tables while the library is loaded or unloaded, so the order
// between the two files, which is unspecified, does not matter.
#include "KroMmdStreamGeomRefForODT.h"

const KroUnicodeString KroMmdStreamGeomRefForODT::_sSeparator("_");

const KroUnicodeString KroMmdStreamGeomRefForODT::_TabType[KroMmdStreamGeomRefForODT::_nbTypes] = {
    "Vrtx", "Edge", "Face", "Wire", "Axis", "Feat", "Vlme"};
