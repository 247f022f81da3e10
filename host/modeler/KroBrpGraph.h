// The generic-naming graph of a document: its scopes (one per feature, in feature order) and
// the BRep objects they hold. Element numbers are unique in the graph: each scope takes the
// next number, then its BRep objects take the following ones (the body's faces, edges,
// vertices, then volumes, each in the body's order), so they are the same each time the same
// model is loaded. Lookups give plain pointers that the caller does not release; each one is a
// map or a search by halves, kept up to date by AddScope, never a walk of every scope.
#ifndef KroBrpGraph_H
#define KroBrpGraph_H

#include <map>
#include <unordered_map>
#include <vector>

#include "KroBody.h"
#include "KroBrpObject.h"
#include "KroBrpObjectIter.h"
#include "KroBrpScope.h"
#include "KroGnIdentifier.h"
#include "KroIGnAssociatedObject.h"
#include "KroMfPartObject.h"
#include "KroUnicodeString.h"

class KroBrpGraph : public KroMfPartObject {
  KRO_DECLARE_INTERFACE(KroBrpGraph)

 public:
  const char* GetLateType() const override { return "KroBrpGraph"; }

  // The scope of an associated object (the same object), of a body (the first scope with that
  // body object), of an identifier (the first scope whose object has an equal identifier), of
  // an element number (scopes only, not BRep objects); null when none. The log elements of the
  // document are scopes too, named on first need: a lookup that names one of them makes the
  // log; a lookup that fails leaves the graph as it was.
  KroBrpScope* GetScope(KroIGnAssociatedObject* object) const;
  KroBrpScope* GetScope(KroBody* body) const;
  KroBrpScope* GetScope(const KroGnIdentifier& identifier) const;
  KroBrpScope* GetScopeFromElementNumber(int elementNumber) const;
  // The node (scope) whose body has that tag; null when none.
  KroBrpScope* GetNodeFromBodyTag(unsigned int tag) const;

  int GetScopeCount() const { return static_cast<int>(_Scopes.size()); }
  KroBrpScope* GetScopeAt(int index) const;  // from 1; null outside

  KroBrpObjectIter CreateIterator(const KroUnicodeString& typeName = "") const {
    return KroBrpObjectIter(this, typeName);
  }
  int GetBrpObjectCount() const { return static_cast<int>(_Objects.size()); }
  KroBrpObject* GetBrpObjectAt(int index) const;  // from 1; null outside
  // The BRep object of that element number, or null.
  KroBrpObject* FindBrpObject(int elementNumber) const;

  // Adds a scope for an object of the same document and its body (may be null), then names
  // every cell of the body. Null, and nothing added, for a null object and for an object or a
  // body of another document or of none.
  KroBrpScope* AddScope(KroIGnAssociatedObject* object, KroBody* body);
  // Counts the scopes added so far: what is read from the document once and kept (the log
  // tables of its roots) is dropped when the graph moves on.
  unsigned long GetRevision() const { return _Revision; }

 private:
  friend class KroMfPart;
  explicit KroBrpGraph(KroMfPart* part);

  // Whether the document's log, not made yet, would name a scope for that identifier or
  // element number: the lookup then makes it; otherwise the lookup fails as it stands.
  bool _LogWouldName(const KroGnIdentifier& identifier) const;
  bool _LogWouldName(int elementNumber) const;

  std::vector<KroBrpScope*> _Scopes;    // element numbers rise along the list
  std::vector<KroBrpObject*> _Objects;  // every scope's, in graph order
  int _NextElementNumber = 1;
  unsigned long _Revision = 0;
  // The first scope of each associated object, body, body tag and identifier.
  std::unordered_map<const KroBaseUnknown*, KroBrpScope*> _ScopeOfObject;
  std::unordered_map<const KroBaseUnknown*, KroBrpScope*> _ScopeOfBody;
  std::unordered_map<unsigned int, KroBrpScope*> _ScopeOfBodyTag;
  std::map<KroGnIdentifier, KroBrpScope*> _ScopeOfIdentifier;
};

#endif
