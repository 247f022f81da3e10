// Base of every object that a part document owns (features, bodies, cells, geometry, the
// factory, the naming graph and its scopes and BRep objects). Such an object shares the
// document's reference count: holding any of them keeps the whole document alive, and the
// document frees all of them together when its last reference goes. So objects of one document
// may point at each other freely with plain pointers, and no reference cycle can form. Objects
// of the document must never hold counted references (KroVar) to each other.
//
// To add a new kind of document object, derive from this class (besides its interfaces) and
// construct it with the document: the document takes it over at once.
#ifndef KroMfPartObject_H
#define KroMfPartObject_H

#include "KroBaseUnknown.h"
#include "KroVar.h"

class KroMfPart;

class KroMfPartObject : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(KroMfPartObject)

 public:
  // The owning document. Never null for an object made with a document.
  KroMfPart* GetPart() const { return _Part; }

  unsigned long AddRef() override;
  unsigned long Release() override;
  unsigned long RefCount() const override;

 protected:
  // The document (not null) takes the new object over; the object's own first reference is
  // not used: references to it are references to the document.
  explicit KroMfPartObject(KroMfPart* part);
  ~KroMfPartObject() override;

 private:
  friend class KroMfPart;
  KroMfPart* _Part;
};

typedef KroVar<KroMfPartObject> KroMfPartObject_var;

#endif
