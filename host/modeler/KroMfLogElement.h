// An element of a part document's modeling log: what building a feature made, one element per
// cell of the feature's body. Its identifier has two numbers: the feature's number and the
// element's number under that feature. Owned by the document (KroMfLog makes every element).
#ifndef KroMfLogElement_H
#define KroMfLogElement_H

#include <cstdint>

#include "KroIGnAssociatedObject.h"
#include "KroIMmiLogElement.h"
#include "KroList.h"
#include "KroMfPartObject.h"

class KroMfLogElement : public KroMfPartObject,
                        public virtual KroIGnAssociatedObject,
                        public virtual KroIMmiLogElement {
  KRO_DECLARE_INTERFACE(KroMfLogElement)

 public:
  const char* GetLateType() const override { return "KroMfLogElement"; }

  // Kind 3: the root's number, then the element's number under the root (from 1).
  KroResult GetGnIdentifier(KroGnIdentifier& identifier, int option = 0) const override;
  // Elements of a construction log are leaves.
  int GetLogChildCount() const override { return 0; }
  KroResult GetLogChild(int index, KroListValKroUnicodeString& keys,
                        KroIMmiLogElement_var& child) const override;

  // The keys that lead from the root to the element: the construction key, the cell type
  // ("Face", "Edge", "Vertex", "Volume") and the cell's index among the body's cells of that
  // type, from 1.
  const KroListValKroUnicodeString& GetKeys() const { return _Keys; }
  uint32_t GetRootNumber() const { return _RootNumber; }
  uint32_t GetNumber() const { return _Number; }
  // The logged cell: its dimension (0 to 3) and index (from 1) in the root's body.
  short GetCellDimension() const { return _CellDimension; }
  int GetCellIndex() const { return _CellIndex; }

 private:
  friend class KroMfLog;
  KroMfLogElement(KroMfPart* part, uint32_t rootNumber, uint32_t number, short cellDimension,
                  int cellIndex);

  uint32_t _RootNumber;
  uint32_t _Number;
  short _CellDimension;
  int _CellIndex;
  KroListValKroUnicodeString _Keys;
};

#endif
