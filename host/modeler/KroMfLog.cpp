// The modeling log of a part document: its log elements, made on first need and named in the
// document's graph.
#include "KroMfLog.h"

#include "KroBrpGraph.h"
#include "KroIGeometricalElement.h"
#include "KroMfLogElement.h"
#include "KroMfPart.h"
#include "KroMfPartImpl.h"
#include "KroMmiLogProtocolKeys.h"

KRO_REGISTER_INTERFACE(KroIMmiLogElement);
KRO_REGISTER_INTERFACE(KroMfLogElement);
KRO_REGISTER_INTERFACE(KroMfLog);

namespace {

// Cell types in the order a log lists them, with the key of each.
struct CellType {
  short dimension;
  const char* key;
};
constexpr CellType kCellTypes[] = {{2, "Face"}, {1, "Edge"}, {0, "Vertex"}, {3, "Volume"}};

const char* CellTypeKey(short dimension) {
  for (const CellType& type : kCellTypes)
    if (type.dimension == dimension) return type.key;
  return "Cell";
}

// One root of a document's log: a feature number and the body whose cells it logs.
struct LogRoot {
  uint32_t number;
  KroBody_var body;
};

// The roots of a document's log in feature order: the first feature of each number that has a
// body (features without a plain number have no log).
std::vector<LogRoot> RootsOf(const KroMfPart* part) {
  std::vector<LogRoot> roots;
  std::map<uint32_t, bool> hasBody;
  for (int f = 1; f <= part->GetFeatureCount(); ++f) {
    KroISpecObject_var feature = part->GetFeature(f);
    KroIGnAssociatedObject_var named(feature);
    KroGnIdentifier identifier;
    uint32_t rootNumber = 0;
    if (!named || KroFailed(named->GetGnIdentifier(identifier, 0)) ||
        KroFailed(identifier.GetULong32(rootNumber)))
      continue;
    KroIGeometricalElement_var geometrical(feature);
    KroBody_var body = geometrical ? geometrical->GetBodyResult() : KroBody_var();
    bool& taken = hasBody[rootNumber];
    if (!body || taken) continue;
    taken = true;
    roots.push_back({rootNumber, body});
  }
  return roots;
}

int CellCountOf(const KroBody_var& body) {
  int count = 0;
  for (const CellType& type : kCellTypes) count += body->GetCellCount(type.dimension);
  return count;
}

}  // namespace

// --- Log elements --------------------------------------------------------------------------

KroMfLogElement::KroMfLogElement(KroMfPart* part, uint32_t rootNumber, uint32_t number,
                                 short cellDimension, int cellIndex)
    : KroMfPartObject(part),
      _RootNumber(rootNumber),
      _Number(number),
      _CellDimension(cellDimension),
      _CellIndex(cellIndex) {
  KroUnicodeString index;
  index.BuildFromNum(cellIndex, "%d");
  _Keys.Append(KroMmiLogProtocolKeys::GFLog::_Construction);
  _Keys.Append(CellTypeKey(cellDimension));
  _Keys.Append(index);
}

KroResult KroMfLogElement::GetGnIdentifier(KroGnIdentifier& identifier, int /*option*/) const {
  identifier = KroGnIdentifier(_RootNumber, _Number);
  return KRO_S_OK;
}

KroResult KroMfLogElement::GetLogChild(int /*index*/, KroListValKroUnicodeString& keys,
                                       KroIMmiLogElement_var& child) const {
  keys.RemoveAll();
  child = nullptr;
  return KRO_E_FAIL;
}

// --- The log -------------------------------------------------------------------------------

KroMfLog::KroMfLog(KroMfPart* part) : KroMfPartObject(part) {}

// The document frees its objects before its implementation data: the slot is still there.
KroMfLog::~KroMfLog() { KroMfPartImplOf(*GetPart()).log = nullptr; }

KroMfLog* KroMfLog::Find(const KroMfPart* part) {
  return part ? KroMfPartImplOf(*part).log : nullptr;
}

KroMfLog* KroMfLog::OfRoot(KroIMmiLogElement* root, uint32_t& rootNumber) {
  rootNumber = 0;
  KroMfPartObject* object = dynamic_cast<KroMfPartObject*>(root);
  KroIGnAssociatedObject* named = dynamic_cast<KroIGnAssociatedObject*>(root);
  KroGnIdentifier identifier;
  uint32_t number = 0;
  if (!object || !named || KroFailed(named->GetGnIdentifier(identifier, 0)) ||
      KroFailed(identifier.GetULong32(number)))
    return nullptr;
  KroMfPart* part = object->GetPart();
  const KroBaseUnknown* feature = part ? part->GetFeature(static_cast<int>(number)).get() : nullptr;
  if (!feature || feature != static_cast<const KroBaseUnknown*>(root)) return nullptr;
  rootNumber = number;
  return Of(part);
}

int KroMfLog::CountElements(const KroMfPart* part, uint32_t rootNumber) {
  if (!part) return 0;
  if (const KroMfLog* log = Find(part)) return log->GetElementCount(rootNumber);
  for (const LogRoot& root : RootsOf(part))
    if (root.number == rootNumber) return CellCountOf(root.body);
  return 0;
}

int KroMfLog::CountElements(const KroMfPart* part) {
  if (!part) return 0;
  int count = 0;
  if (const KroMfLog* log = Find(part)) {
    for (const auto& root : log->_Roots) count += static_cast<int>(root.second.size());
    return count;
  }
  for (const LogRoot& root : RootsOf(part)) count += CellCountOf(root.body);
  return count;
}

KroMfLog* KroMfLog::Of(KroMfPart* part) {
  if (!part) return nullptr;
  if (KroMfLog* log = Find(part)) return log;
  KroMfLog* log = new KroMfLog(part);  // the document owns it from here
  KroMfPartImplOf(*part).log = log;
  log->_Build();
  return log;
}

void KroMfLog::_Build() {
  KroMfPart* part = GetPart();
  KroBrpGraph* graph = part->GetBRepGraph();
  std::vector<KroMfLogElement*> made;
  for (const LogRoot& root : RootsOf(part)) {
    std::vector<KroMfLogElement*>& elements = _Roots[root.number];
    for (const CellType& type : kCellTypes) {
      const int count = root.body->GetCellCount(type.dimension);
      for (int i = 1; i <= count; ++i) {
        const uint32_t number = static_cast<uint32_t>(elements.size()) + 1;
        elements.push_back(new KroMfLogElement(part, root.number, number, type.dimension, i));
        made.push_back(elements.back());
      }
    }
  }
  // Named in the graph once every element exists, root by root in element order.
  if (graph)
    for (KroMfLogElement* element : made) graph->AddScope(element, nullptr);
}

int KroMfLog::GetElementCount(uint32_t rootNumber) const {
  auto found = _Roots.find(rootNumber);
  return found == _Roots.end() ? 0 : static_cast<int>(found->second.size());
}

KroMfLogElement* KroMfLog::GetElement(uint32_t rootNumber, int index) const {
  if (index < 1 || index > GetElementCount(rootNumber)) return nullptr;
  return _Roots.at(rootNumber)[static_cast<size_t>(index - 1)];
}

KroResult KroMfLog::GetRootChild(uint32_t rootNumber, int index, KroListValKroUnicodeString& keys,
                                 KroIMmiLogElement_var& child) const {
  keys.RemoveAll();
  child = nullptr;
  KroMfLogElement* element = GetElement(rootNumber, index);
  if (!element) return KRO_E_FAIL;
  keys = element->GetKeys();
  child = KroIMmiLogElement_var(element);
  return KRO_S_OK;
}

unsigned long KroMfLog::_Revision() const {
  const KroBrpGraph* graph = GetPart()->GetBRepGraph();
  return graph ? graph->GetRevision() : 0;
}

std::shared_ptr<const KroMmrLogElementTable::ReadLog> KroMfLog::FindRead(uint32_t rootNumber) {
  if (_ReadRevision != _Revision()) return nullptr;
  auto found = _Read.find(rootNumber);
  return found == _Read.end() ? nullptr : found->second;
}

void KroMfLog::KeepRead(uint32_t rootNumber,
                        std::shared_ptr<const KroMmrLogElementTable::ReadLog> read) {
  const unsigned long revision = _Revision();
  if (_ReadRevision != revision) {
    _Read.clear();
    _ReadRevision = revision;
  }
  _Read[rootNumber] = std::move(read);
}
