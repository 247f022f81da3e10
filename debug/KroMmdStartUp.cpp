// What the library builds when it is loaded, in this order (the order of definition in this
// file, which the language keeps for construction, and reversed for destruction at unload):
//   1. the geometric selector's separator and type table,
//   2. the geometric link stream's separator and type table,
//   3. the library's object module, which registers the debugging extension of BRep accesses
//      in the host's interface dictionary, and takes it back at unload.
// The module's table of dictionary-entry functions lies in a section of its own, which
// KroOdtModuleTable.ld places in the part of the library that is read-only once loaded; the
// linker gives its bounds as __start_ and __stop_ of the section.
#include "KroFillDictionary.h"
#include "KroIMmrUtilDebug.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroMmdUtilDebugExt.h"
#include "KroOMModule.h"
#include "KroOMModuleInfo.h"

// ---- 1 and 2: the compact streams' constant tables. ----

const KroUnicodeString KroMmdGeomSelectorForODT::_sSeparator("_");
const KroUnicodeString KroMmdGeomSelectorForODT::_TabType[KroMmdGeomSelectorForODT::_nbTypes] = {
    "Vrtx", "Edge", "Face", "Wire", "Axis", "Vlme"};

const KroUnicodeString KroMmdStreamGeomRefForODT::_sSeparator("_");
const KroUnicodeString KroMmdStreamGeomRefForODT::_TabType[KroMmdStreamGeomRefForODT::_nbTypes] = {
    "Vrtx", "Edge", "Face", "Wire", "Axis", "Feat", "Vlme"};

// ---- 3: the object module. ----

extern "C" {
extern const KroOMDictionaryEntry __start_kroodt_om_dictionary[];
extern const KroOMDictionaryEntry __stop_kroodt_om_dictionary[];
}

namespace {

KroOMModule* RegisterDebugExtension();

// One entry between empty slots.
__attribute__((section("kroodt_om_dictionary"), used))
const KroOMDictionaryEntry kDictionaryEntries[] = {nullptr, &RegisterDebugExtension, nullptr};

KroOMModule g_Module(KroOMModuleInfo{__start_kroodt_om_dictionary, __stop_kroodt_om_dictionary});

// The debugging extension of BRep accesses, replacing any earlier one; gives the library's
// module, or null when the dictionary refused it.
KroOMModule* RegisterDebugExtension() {
  const KroResult rc = KroFillDictionary::Register(
      KroMmdUtilDebugExt::MetaObject(), KroIMmrUtilDebug::MetaObject(),
      &CreateBOAKroIMmrUtilDebugKroMmdUtilDebugExt, nullptr, KroFillDictionary::kReplace);
  return KroSucceeded(rc) ? &g_Module : nullptr;
}

}  // namespace
