// BRep accesses of part documents: the access object (which makes the delegate of its cell and
// gives its selection path), the ways of making one, and the report selectors that name a cell
// through its feature's construction log.
#include <cstdlib>
#include <string>
#include <vector>

#include "KroBRepDecode.h"
#include "KroBrpGraph.h"
#include "KroBrpScope.h"
#include "KroIBRepAccessPriv.h"
#include "KroIGnAssociatedObject.h"
#include "KroILinkableObject.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiMechanicalFeature.h"
#include "KroIPathAccess.h"
#include "KroMfDelegate.h"
#include "KroMfLog.h"
#include "KroMfLogElement.h"
#include "KroMfPartImpl.h"
#include "KroReportSelect.h"

KRO_REGISTER_INTERFACE(KroIBRepAccess);
KRO_REGISTER_INTERFACE(KroIBRepAccessPriv);
KRO_REGISTER_INTERFACE(KroIMmiMechanicalFeature);

namespace {

// The kernel surfaces whose faces have an axis.
bool IsOfRevolution(const KroBRepCell& face) {
  const std::string type = face.GeometryType();
  return type == "Cylinder" || type == "Cone" || type == "Sphere" || type == "Torus" ||
         type == "Revolution";
}

// Whether the cell is one of the body's own: cells of a document are one object each.
bool HoldsCell(const KroBody_var& body, const KroCell_var& cell) {
  return !!body && !!cell && cell->GetBody().IsSame(body);
}

// The number of a feature that keeps a construction log: its identifier of kind 1.
bool RootNumberOf(const KroBaseUnknown_var& object, uint32_t& number) {
  KroIGnAssociatedObject_var named = object;
  KroGnIdentifier identifier;
  return !!named && KroSucceeded(named->GetGnIdentifier(identifier, 0)) &&
         KroSucceeded(identifier.GetULong32(number));
}

// The element of the root's construction log that logs the cell of the dimension and index
// (from 1) of its body, or null. A log lists its elements in groups, one per cell type, each in
// the body's order: the search steps from group to group.
KroMfLogElement* FindLogElement(const KroMfLog* log, uint32_t root, const KroBody_var& body,
                                short dimension, int index) {
  const int count = log->GetElementCount(root);
  for (int at = 1; at <= count;) {
    const KroMfLogElement* first = log->GetElement(root, at);
    const int length = first != nullptr ? body->GetCellCount(first->GetCellDimension()) : 0;
    if (length <= 0) return nullptr;
    if (first->GetCellDimension() == dimension) {
      KroMfLogElement* element =
          index >= 1 && index <= length ? log->GetElement(root, at + index - 1) : nullptr;
      return element != nullptr && element->GetCellDimension() == dimension &&
                     element->GetCellIndex() == index
                 ? element
                 : nullptr;
    }
    at += length;
  }
  return nullptr;
}

std::vector<std::string> KeysOf(const KroMfLogElement* element) {
  std::vector<std::string> keys;
  for (const KroUnicodeString& key : element->GetKeys()) keys.push_back(key.ToStdString());
  return keys;
}

class KroMfBRepAccess : public virtual KroIBRepAccess,
                        public virtual KroIBRepAccessPriv,
                        public virtual KroILinkableObject,
                        public virtual KroIPathAccess,
                        public virtual KroIMmiDelegateBuilder {
 public:
  KroMfBRepAccess(const KroIGeometricalElement_var& support, const KroCell_var& cell, int kind)
      : _Support(support), _Cell(cell), _Kind(kind) {}
  // The late type that extensions of BRep accesses name.
  const char* GetLateType() const override { return "KroBRepAccessImpl"; }

  KroTopology_var GetTopology() const override { return KroTopology_var(_Cell); }
  int GetKindCode() const override { return _Kind; }
  KroBaseUnknown_var GetSupportingObject() const override { return _Support; }

  KroReportSelect* GetReportSelector() const override {
    uint32_t root = 0;
    const KroBRepCell* cell = KroMfCellData::KernelCellOf(_Cell.get());
    KroMfLog* log = KroMfLog::Of(KroMfPart::FromContext(_Support.get()));
    if (cell == nullptr || log == nullptr || !RootNumberOf(_Support, root)) return nullptr;
    const KroMfLogElement* element =
        FindLogElement(log, root, _Support->GetBodyResult(), static_cast<short>(cell->Dimension()),
                       cell->Index() + 1);
    return element != nullptr ? KroReportSelect::Make(_Kind, KeysOf(element)) : nullptr;
  }

  // The delegate of the cell: it stands for this access and gives the cell.
  KroResult MakeDelegate(const KroIMmiContract_var& contract,
                         KroIMmiDelegateObject_var& delegate) const override {
    delegate = nullptr;
    if (!_Cell || !_Support) return KRO_E_FAIL;
    KroListValKroBaseUnknown_var topos;
    topos.Append(KroBaseUnknown_var(_Cell));
    delegate =
        KroMfMakeDelegate(KroBaseUnknown_var(const_cast<KroMfBRepAccess*>(this)), topos, contract);
    return KRO_S_OK;
  }

  // The document, the supporting feature, then this access.
  KroResult GetPathElement(KroPathElement*& path) const override {
    path = KroMfMakePath(_Support.get(), {KroBaseUnknown_var(_Support),
                                          KroBaseUnknown_var(const_cast<KroMfBRepAccess*>(this))});
    return path != nullptr ? KRO_S_OK : KRO_E_FAIL;
  }

 private:
  ~KroMfBRepAccess() override = default;

  KroIGeometricalElement_var _Support;
  KroCell_var _Cell;
  int _Kind;
};

KroIBRepAccess_var MakeAccess(const KroIGeometricalElement_var& element, const KroCell_var& cell,
                              int kind) {
  return KroIBRepAccess_var::Adopt(new KroMfBRepAccess(element, cell, kind));
}

}  // namespace

// --- Making accesses -----------------------------------------------------------------------

KroIBRepAccess_var KroBRepDecode(const KroCell_var& cell,
                                 const KroIGeometricalElement_var& element) {
  if (!element || !HoldsCell(element->GetBodyResult(), cell)) return KroIBRepAccess_var();
  return MakeAccess(element, cell, cell->GetDimension());
}

KroIBRepAccess_var KroBRepDecodeAxis(const KroCell_var& cell,
                                     const KroIGeometricalElement_var& element) {
  if (!element || !HoldsCell(element->GetBodyResult(), cell)) return KroIBRepAccess_var();
  const KroBRepCell* face = KroMfCellData::KernelCellOf(cell.get());
  if (face == nullptr || face->Dimension() != kKroBRepFace || !IsOfRevolution(*face))
    return KroIBRepAccess_var();
  return MakeAccess(element, cell, KroIBRepAccess::kAxisKind);
}

KroIBRepAccess_var KroBRepDecode(const KroIContainer_var& container, const KroCell_var& cell,
                                 const KroBody_var& body) {
  KroMfPart* part = KroMfPart::FromContext(container.get());
  if (part == nullptr || !body || KroMfPart::FromContext(body.get()) != part) {
    return KroIBRepAccess_var();
  }
  KroBrpScope* scope = part->GetBRepGraph()->GetScope(body.get());
  if (scope == nullptr) return KroIBRepAccess_var();
  return KroBRepDecode(cell, KroIGeometricalElement_var(scope->GetAssociatedObject()));
}

KroResult KroBRepDecodeTopologyInBody(KroIBRepAccess_var& access, const KroTopology_var& topology,
                                      const KroBody_var& body) {
  access = nullptr;
  const KroCell_var cell = topology;
  if (!HoldsCell(body, cell)) return KRO_E_FAIL;
  KroBrpGraph* graph = KroMfPart::FromContext(body.get()) != nullptr
                           ? KroMfPart::FromContext(body.get())->GetBRepGraph()
                           : nullptr;
  KroBrpScope* scope = graph != nullptr ? graph->GetScope(body.get()) : nullptr;
  const KroIGeometricalElement_var element =
      scope != nullptr ? KroIGeometricalElement_var(scope->GetAssociatedObject())
                       : KroIGeometricalElement_var();
  if (!element) return KRO_E_FAIL;
  access = MakeAccess(element, cell, cell->GetDimension());
  return KRO_S_OK;
}

// --- Report selectors ----------------------------------------------------------------------

KroReportSelect::KroReportSelect(int kindCode, const std::vector<std::string>& keys)
    : _KindCode(kindCode), _Keys(keys) {}

const char* KroReportSelect::KindWord(int kindCode) {
  static const char* const kWords[] = {"Vertex", "Edge", "Face", "Volume"};
  if (kindCode >= 0 && kindCode <= 3) return kWords[kindCode];
  return kindCode == KroIBRepAccess::kAxisKind ? "Axis" : nullptr;
}

KroReportSelect* KroReportSelect::Make(int kindCode, const std::vector<std::string>& keys) {
  if (KindWord(kindCode) == nullptr || keys.empty()) return nullptr;
  for (const std::string& key : keys) {
    if (key.empty() || key.find_first_of(".:") != std::string::npos) return nullptr;
  }
  return new KroReportSelect(kindCode, keys);
}

KroReportSelect* KroReportSelect::GetSelect(const KroString& text) {
  const std::string& whole = text.ToStdString();
  const size_t colon = whole.find(':');
  if (colon == std::string::npos) return nullptr;
  const std::string word = whole.substr(0, colon);
  int kind = -1;
  for (int code : {0, 1, 2, 3, KroIBRepAccess::kAxisKind}) {
    if (word == KindWord(code)) kind = code;
  }
  std::vector<std::string> keys;
  for (size_t start = colon + 1;;) {
    const size_t dot = whole.find('.', start);
    keys.push_back(whole.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return Make(kind, keys);
}

KroString* KroReportSelect::GetText() const {
  std::string text = std::string(KindWord(_KindCode)) + ":";
  for (size_t i = 0; i < _Keys.size(); ++i) text += (i == 0 ? "" : ".") + _Keys[i];
  return new KroString(text);
}

KroListValKroBaseUnknown_var* KroReportSelect::SelectObjects(KroBrpScope* scope,
                                                             KroBrpGraph* graph) const {
  if (scope == nullptr || graph == nullptr || scope->GetGraph() != graph) return nullptr;
  const KroBaseUnknown_var root = KroBaseUnknown_var(scope->GetAssociatedObject());
  const KroIGeometricalElement_var feature = root;
  uint32_t rootNumber = 0;
  KroMfLog* log = KroMfLog::Of(scope->GetPart());
  if (!feature || log == nullptr || !RootNumberOf(root, rootNumber)) return nullptr;
  const KroBody_var body = feature->GetBodyResult();
  const KroMfBody* bodyObject = dynamic_cast<const KroMfBody*>(body.get());
  if (bodyObject == nullptr) return nullptr;

  // The element of the path: where the path says it is when it reads as a construction path,
  // else the first element of the log with that path.
  const short dimension =
      static_cast<short>(_KindCode == KroIBRepAccess::kAxisKind ? kKroBRepFace : _KindCode);
  const KroMfLogElement* element =
      FindLogElement(log, rootNumber, body, dimension, std::atoi(_Keys.back().c_str()));
  if (element == nullptr || KeysOf(element) != _Keys) {
    element = nullptr;
    for (int i = 1; i <= log->GetElementCount(rootNumber) && element == nullptr; ++i) {
      const KroMfLogElement* candidate = log->GetElement(rootNumber, i);
      if (candidate != nullptr && KeysOf(candidate) == _Keys) element = candidate;
    }
  }
  if (element == nullptr || element->GetCellDimension() != dimension) return nullptr;
  KroMfPart::Impl& impl = KroMfPartImplOf(*bodyObject->GetPart());
  KroCell* cell =
      impl.CellObject(bodyObject->GetSolid()->Cell(dimension, element->GetCellIndex() - 1));
  if (cell == nullptr) return nullptr;
  auto* objects = new KroListValKroBaseUnknown_var;
  objects->Append(KroBaseUnknown_var(cell));
  return objects;
}
