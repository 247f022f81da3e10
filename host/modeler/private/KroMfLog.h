// The modeling log of a part document: every feature is a log root whose construction log
// holds one element per cell of its body (faces, edges, vertices, then the volume, each in the
// body's order). Made on first need, all features at once and in feature order, so that element
// numbers and paths are the same at every load of the same model. Each element is then also a
// scope of the document's graph, numbered after every scope that was there before.
#ifndef KroMfLog_H
#define KroMfLog_H

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "KroIMmiLogElement.h"
#include "KroList.h"
#include "KroMfPartObject.h"
#include "KroMmrLogElementTable.h"
#include "KroResult.h"

class KroMfLogElement;

class KroMfLog : public KroMfPartObject {
  KRO_DECLARE_INTERFACE(KroMfLog)

 public:
  const char* GetLateType() const override { return "KroMfLog"; }

  // The log of the document, made (and named in the graph) on the first call. Null for a null
  // document. A plain pointer owned by the document.
  static KroMfLog* Of(KroMfPart* part);
  // The log when it was made already, else null; makes nothing.
  static KroMfLog* Find(const KroMfPart* part);
  // The log of the document whose feature root is (made on first need), with the root's
  // number; null when root is no feature of a document.
  static KroMfLog* OfRoot(KroIMmiLogElement* root, uint32_t& rootNumber);

  // How many elements the document's log holds under the root with that number, or under all
  // roots; the same before and after the log is made, and makes nothing.
  static int CountElements(const KroMfPart* part, uint32_t rootNumber);
  static int CountElements(const KroMfPart* part);

  // The elements of the root with that feature number, from 1; 0 and null outside.
  int GetElementCount(uint32_t rootNumber) const;
  KroMfLogElement* GetElement(uint32_t rootNumber, int index) const;
  // What a log root answers as KroIMmiLogElement::GetLogChild.
  KroResult GetRootChild(uint32_t rootNumber, int index, KroListValKroUnicodeString& keys,
                         KroIMmiLogElement_var& child) const;

  // What log tables read of the root with that number, kept so that every table on the root
  // shares one reading. Dropped as soon as the document changes (a scope added to its graph):
  // FindRead then gives null until KeepRead stores a new reading.
  std::shared_ptr<const KroMmrLogElementTable::ReadLog> FindRead(uint32_t rootNumber);
  void KeepRead(uint32_t rootNumber, std::shared_ptr<const KroMmrLogElementTable::ReadLog> read);

 protected:
  ~KroMfLog() override;

 private:
  explicit KroMfLog(KroMfPart* part);
  void _Build();
  // The revision of the document's graph, which the readings are valid for.
  unsigned long _Revision() const;

  // Elements by root (feature) number, in element order; owned by the document.
  std::map<uint32_t, std::vector<KroMfLogElement*>> _Roots;
  // Readings of the roots' logs, valid for the graph's revision _ReadRevision. They hold
  // plain pointers to the document's elements, never references (no cycle through the
  // document).
  std::map<uint32_t, std::shared_ptr<const KroMmrLogElementTable::ReadLog>> _Read;
  unsigned long _ReadRevision = 0;
};

#endif
