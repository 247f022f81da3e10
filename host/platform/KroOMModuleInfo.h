// What a library tells the host's object model about itself when it loads: the bounds of its
// table of dictionary-entry functions. The table lies in a read-only data section of the
// library's own; empty (null) slots may stand anywhere in it.
#ifndef KroOMModuleInfo_H
#define KroOMModuleInfo_H

class KroOMModule;

// A dictionary-entry function: registers some of the library's classes in the interface
// dictionary (KroFillDictionary) and gives the library's module.
typedef KroOMModule* (*KroOMDictionaryEntry)();

struct KroOMModuleInfo {
  const KroOMDictionaryEntry* begin;  // the first slot of the table
  const KroOMDictionaryEntry* end;    // past the last slot
};

#endif
