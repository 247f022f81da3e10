// The generic-naming graph of a part document: scopes, BRep objects and their iterator.
#include "KroBrpGraph.h"

#include <algorithm>

#include "KroInterfaceDictionary.h"
#include "KroMfLog.h"
#include "KroMfPart.h"
#include "KroMfPartImpl.h"

KRO_REGISTER_INTERFACE(KroBrpGraph);
KRO_REGISTER_INTERFACE(KroBrpScope);
KRO_REGISTER_INTERFACE(KroBrpObject);

namespace {

// Identity of an object whatever interface shows it.
const KroBaseUnknown* Identity(const KroBaseUnknown* object) { return object; }

// Cell dimensions in the order a scope names them: faces, edges, vertices, volumes.
constexpr short kNamingOrder[] = {2, 1, 0, 3};

}  // namespace

// --- BRep objects --------------------------------------------------------------------------

KroBrpObject::KroBrpObject(KroMfPart* part, KroBrpScope* scope, int elementNumber, unsigned int tag)
    : KroMfPartObject(part), _Scope(scope), _ElementNumber(elementNumber), _Tag(tag) {}

KroTopology_var KroBrpObject::GetTopology(int /*mode*/) const {
  KroMfPart* part = GetPart();
  if (!part) return KroTopology_var();
  KroGeoFactory_var factory = part->GetGeoFactory();
  if (!factory) return KroTopology_var();
  return KroTopology_var(factory->FindObjectFromTag(_Tag, KroGeoFactory::kTopologyType));
}

// --- Scopes --------------------------------------------------------------------------------

KroBrpScope::KroBrpScope(KroMfPart* part, KroBrpGraph* graph, int elementNumber,
                         KroIGnAssociatedObject* object, KroBody* body)
    : KroMfPartObject(part),
      _Graph(graph),
      _ElementNumber(elementNumber),
      _Object(object),
      _Body(body) {}

KroIGnAssociatedObject_var KroBrpScope::GetAssociatedObject() const {
  return KroIGnAssociatedObject_var(_Object);
}

KroBody_var KroBrpScope::GetBody(int /*mode*/) const { return KroBody_var(_Body); }

KroResult KroBrpScope::GetBrpObjects(KroTopology* topology, KroListPtrKroBrpObject& objects) const {
  objects.RemoveAll();
  if (!topology) return KRO_E_FAIL;
  auto found = _ObjectsByTag.find(topology->GetTag());
  if (found != _ObjectsByTag.end()) objects.Append(found->second);
  return KRO_S_OK;
}

KroBrpObject* KroBrpScope::GetBrpObject(int index) const {
  if (index < 1 || index > GetBrpObjectCount()) return nullptr;
  return _Objects[static_cast<size_t>(index - 1)];
}

KroBrpObject* KroBrpScope::_AddBrpObject(int elementNumber, unsigned int tag) {
  KroBrpObject* object = new KroBrpObject(GetPart(), this, elementNumber, tag);
  _Objects.push_back(object);
  _ObjectsByTag.emplace(tag, object);
  return object;
}

// --- Graph ---------------------------------------------------------------------------------

KroBrpGraph::KroBrpGraph(KroMfPart* part) : KroMfPartObject(part) {}

KroBrpScope* KroBrpGraph::GetScope(KroIGnAssociatedObject* object) const {
  if (!object) return nullptr;
  auto found = _ScopeOfObject.find(Identity(object));
  return found == _ScopeOfObject.end() ? nullptr : found->second;
}

KroBrpScope* KroBrpGraph::GetScope(KroBody* body) const {
  if (!body) return nullptr;
  auto found = _ScopeOfBody.find(Identity(body));
  return found == _ScopeOfBody.end() ? nullptr : found->second;
}

KroBrpScope* KroBrpGraph::GetScope(const KroGnIdentifier& identifier) const {
  if (identifier.GetKind() == 0) return nullptr;
  auto found = _ScopeOfIdentifier.find(identifier);
  if (found != _ScopeOfIdentifier.end()) return found->second;
  // Log elements (kind 3) are named on first need: make the document's log, then look again.
  if (_LogWouldName(identifier) && KroMfLog::Of(GetPart())) return GetScope(identifier);
  return nullptr;
}

KroBrpScope* KroBrpGraph::GetScopeFromElementNumber(int elementNumber) const {
  // Element numbers rise along the scopes: search by halves.
  auto at = std::lower_bound(
      _Scopes.begin(), _Scopes.end(), elementNumber,
      [](const KroBrpScope* scope, int number) { return scope->_ElementNumber < number; });
  if (at != _Scopes.end() && (*at)->_ElementNumber == elementNumber) return *at;
  // A number past every one given so far may be a log element's, named on first need.
  if (_LogWouldName(elementNumber) && KroMfLog::Of(GetPart()))
    return GetScopeFromElementNumber(elementNumber);
  return nullptr;
}

bool KroBrpGraph::_LogWouldName(const KroGnIdentifier& identifier) const {
  uint32_t root = 0, number = 0;
  if (KroMfLog::Find(GetPart()) || KroFailed(identifier.GetULong32X2(root, number))) return false;
  return number >= 1 && number <= static_cast<uint32_t>(KroMfLog::CountElements(GetPart(), root));
}

bool KroBrpGraph::_LogWouldName(int elementNumber) const {
  // The log names its elements after every scope there is when it is made: the numbers from
  // the next one on, one per element.
  if (KroMfLog::Find(GetPart()) || elementNumber < _NextElementNumber) return false;
  return static_cast<long long>(elementNumber) - _NextElementNumber <
         static_cast<long long>(KroMfLog::CountElements(GetPart()));
}

KroBrpScope* KroBrpGraph::GetNodeFromBodyTag(unsigned int tag) const {
  auto found = _ScopeOfBodyTag.find(tag);
  return found == _ScopeOfBodyTag.end() ? nullptr : found->second;
}

KroBrpScope* KroBrpGraph::GetScopeAt(int index) const {
  if (index < 1 || index > GetScopeCount()) return nullptr;
  return _Scopes[static_cast<size_t>(index - 1)];
}

KroBrpObject* KroBrpGraph::GetBrpObjectAt(int index) const {
  if (index < 1 || index > GetBrpObjectCount()) return nullptr;
  return _Objects[static_cast<size_t>(index - 1)];
}

KroBrpObject* KroBrpGraph::FindBrpObject(int elementNumber) const {
  // Element numbers rise along the list: search by halves.
  size_t low = 0, high = _Objects.size();
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    const int number = _Objects[mid]->GetElementNumber();
    if (number == elementNumber) return _Objects[mid];
    if (number < elementNumber)
      low = mid + 1;
    else
      high = mid;
  }
  return nullptr;
}

KroBrpScope* KroBrpGraph::AddScope(KroIGnAssociatedObject* object, KroBody* body) {
  if (!object) return nullptr;
  // The scope keeps plain pointers, which only objects of this document may be: they live as
  // long as the graph does, whereas any other object may go first.
  if (KroMfPart::FromContext(object) != GetPart()) return nullptr;
  if (body && KroMfPart::FromContext(body) != GetPart()) return nullptr;
  KroBrpScope* scope = new KroBrpScope(GetPart(), this, _NextElementNumber++, object, body);
  _Scopes.push_back(scope);
  ++_Revision;
  // Each map keeps the first scope of its key, as a walk of the scopes in order would find.
  _ScopeOfObject.emplace(Identity(object), scope);
  KroGnIdentifier identifier;
  if (KroSucceeded(object->GetGnIdentifier(identifier, 0)) && identifier.GetKind() != 0)
    _ScopeOfIdentifier.emplace(identifier, scope);
  if (body) {
    _ScopeOfBody.emplace(Identity(body), scope);
    _ScopeOfBodyTag.emplace(body->GetTag(), scope);
  }
  const KroMfBody* bodyObject = dynamic_cast<const KroMfBody*>(body);
  if (bodyObject) {
    const KroBRepSolid* solid = bodyObject->GetSolid();
    for (short dimension : kNamingOrder) {
      const int count = solid->CellCount(dimension);
      for (int i = 0; i < count; ++i) {
        const KroBRepCell cell = solid->Cell(dimension, i);
        if (cell.IsNull()) continue;
        _Objects.push_back(scope->_AddBrpObject(_NextElementNumber++, cell.Tag()));
      }
    }
  }
  return scope;
}

// --- Iterator ------------------------------------------------------------------------------

KroBrpObjectIter::KroBrpObjectIter(const KroBrpGraph* graph, const KroUnicodeString& typeName)
    : _Graph(graph), _TypeName(typeName) {}

KroBrpObject* KroBrpObjectIter::Next() {
  if (!_Graph) return nullptr;
  KroInterfaceCaster caster = nullptr;
  if (!_TypeName.IsEmpty()) {
    caster = KroInterfaceDictionary::FindCaster(_TypeName.CastToCharPtr());
    if (!caster) {  // no such interface: nothing qualifies
      _Next = _Graph->GetBrpObjectCount();
      return nullptr;
    }
  }
  while (_Next < _Graph->GetBrpObjectCount()) {
    KroBrpObject* object = _Graph->GetBrpObjectAt(++_Next);
    if (!caster) return object;
    KroTopology_var topology = object->GetTopology(1);
    if (topology && caster(topology.get())) return object;
  }
  return nullptr;
}
