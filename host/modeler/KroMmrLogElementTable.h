// The table of a log root: every element logged under the root with its key path, as read in
// one log transaction. It finds elements from paths ("Construction.Face.12") and selectors
// ("Construction//*") and gives the paths of an element. Made on a transaction context that
// must outlive it; Init must come first. The log of a feature of a part document is read once
// per state of the document and shared by every table on that root; any other log is read by
// each Init.
//
// Paths and selectors: keys separated by "." or "/". In a selector, "*" stands for any one
// key and an empty key (as in "//") for any number of keys, none included.
#ifndef KroMmrLogElementTable_H
#define KroMmrLogElementTable_H

#include <memory>

#include "KroIMmiLogElement.h"
#include "KroList.h"
#include "KroListValKroIMmiLogElement_var.h"
#include "KroMmrLogTransactionContext.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmrLogElementTable {
 public:
  // Logs nested deeper than this, or holding more entries, are refused by Init.
  static constexpr int kMaxDepth = 64;
  static constexpr size_t kMaxEntries = 1000000;

  // What Init reads of one root's log: every entry with its keys, indexed by keys and by
  // element. Opaque outside the table; documents keep those of their own roots.
  struct ReadLog;

  explicit KroMmrLogElementTable(const KroMmrLogTransactionContext& context);
  KroMmrLogElementTable(const KroMmrLogTransactionContext&&) = delete;
  KroMmrLogElementTable(const KroMmrLogElementTable&) = delete;
  KroMmrLogElementTable& operator=(const KroMmrLogElementTable&) = delete;

  // Reads the log of root: every element reachable from it, once per path that leads to it.
  // Fails for a null root, a context that cannot read, a log that loops back into itself or
  // that exceeds kMaxDepth or kMaxEntries (the table is then empty and not initialised).
  [[nodiscard]] KroResult Init(KroIMmiLogElement* root);

  // The one element at path under root (the root given to Init). Fails, element null, when the
  // table is not initialised for that root, when path is not a list of keys, names nothing,
  // or names several elements.
  [[nodiscard]] KroResult QueryLogSelector(KroIMmiLogElement* root, const KroUnicodeString& path,
                                           KroIMmiLogElement_var& element) const;
  // Every element whose path matches selector, once each, in table order; none is a success.
  // The answer to a selector is kept with the reading; the list shares it (and the reading),
  // so asking again costs nothing however big the log.
  // Fails, list empty, when the table is not initialised for root or selector is empty.
  [[nodiscard]] KroResult QueryLogSelectorAll(KroIMmiLogElement* root,
                                              const KroUnicodeString& selector,
                                              KroListValKroIMmiLogElement_var& elements) const;
  // Every path of element in the table (none for an element outside root's log), keys joined
  // by separator, in table order. Fails, list empty, for a null element or a table not
  // initialised.
  [[nodiscard]] KroResult GetLogPathes(KroIMmiLogElement* element,
                                       const KroUnicodeString& separator,
                                       KroListValKroUnicodeString& paths) const;

 private:
  bool _IsRoot(KroIMmiLogElement* root) const;

  const KroMmrLogTransactionContext& _Context;
  KroIMmiLogElement_var _Root;  // keeps the reading's elements alive
  std::shared_ptr<const ReadLog> _Log;
};

#endif
