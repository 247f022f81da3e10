// Topology stream: the body is named by the generic-naming identifier of its feature ("#1"),
// the geometric type is the dimension of the cell, and the specialised part is always empty.
#include "KroMmdStreamTopoForODT.h"

#include "KroBrpGraph.h"
#include "KroBrpScope.h"
#include "KroCell.h"
#include "KroGnIdentifier.h"
#include "KroIGnAssociatedObject.h"
#include "KroMfBRepUtils.h"
#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroSysBftier.h"

KroMmdStreamTopoForODT::KroMmdStreamTopoForODT() : _GeoType(NoGeoType) {}

KroMmdStreamTopoForODT::KroMmdStreamTopoForODT(const KroMmdStreamTopoForODT& other)
    : KroMmdStreamGeomRefForODT(other),
      _Body(other._Body),
      _SubElem(other._SubElem),
      _NamingContext(other._NamingContext),
      _GeoType(other._GeoType) {}

KroMmdStreamTopoForODT& KroMmdStreamTopoForODT::operator=(const KroMmdStreamTopoForODT& other) {
  if (this == &other) return *this;
  KroMmdStreamGeomRefForODT::operator=(other);
  _Body = other._Body;
  _SubElem = other._SubElem;
  _NamingContext = other._NamingContext;
  _GeoType = other._GeoType;
  return *this;
}

KroMmdStreamTopoForODT::~KroMmdStreamTopoForODT() {
  _NamingContext = nullptr;
  _SubElem = nullptr;
  _Body = nullptr;
}

void KroMmdStreamTopoForODT::_Clear() {
  _Body = nullptr;
  _SubElem = nullptr;
  _NamingContext = nullptr;
  _GeoType = NoGeoType;
}

KroResult KroMmdStreamTopoForODT::GetStreamFromTopo(KroBody_var& body, KroTopology_var& cell,
                                                    KroUnicodeString& stream) {
  _Clear();
  if (!body) return KroSysFail(100, "KroMmdStreamTopoForODT::GetStreamFromTopo");
  _Body = body;
  _SubElem = cell;
  if (KroFailed(StreamGeomLinkForODT(stream)))
    return KroSysFail(200, "KroMmdStreamTopoForODT::GetStreamFromTopo");
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::GetTopoFromStream(const KroUnicodeString& stream,
                                                    const KroINamingContext_var& context,
                                                    KroBody_var& body, KroTopology_var& cell) {
  _Clear();
  _NamingContext = context;
  if (KroFailed(ParseGeomLinkForODT(stream)))
    return KroSysFail(100, "KroMmdStreamTopoForODT::GetTopoFromStream");
  body = _Body;
  cell = _SubElem;
  return KRO_S_OK;
}

// ---- Hooks. ----

KroResult KroMmdStreamTopoForODT::GetBodyIdentifier(KroUnicodeString& identifier) {
  static const char* const name = "KroMmdStreamTopoForODT::GetBodyIdentifier";
  KroBrpGraph* graph = KroMfBRepUtils::GetGraph(_Body);
  if (graph == nullptr) return KroSysFail(100, name);
  KroBrpScope* node = graph->GetScope(_Body.get());
  if (node == nullptr) return KroSysFail(300, name);
  KroIGnAssociatedObject_var object = node->GetAssociatedObject();
  if (!object) return KroSysFail(400, name);
  KroGnIdentifier gnIdentifier;
  if (KroFailed(object->GetGnIdentifier(gnIdentifier, 0))) return KroSysFail(500, name);
  if (KroFailed(
          KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(gnIdentifier, identifier)))
    return KroSysFail(600, name);
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::ParseBodyIdentifier(const KroUnicodeString& identifier,
                                                      KroBody_var& body) {
  static const char* const name = "KroMmdStreamTopoForODT::ParseBodyIdentifier";
  KroBrpGraph* graph = KroMfBRepUtils::GetGraph(_NamingContext);
  _Body = nullptr;
  body = nullptr;
  if (graph == nullptr) return KroSysFail(100, name);
  KroGnIdentifier gnIdentifier;
  if (KroFailed(
          KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(identifier, gnIdentifier)))
    return KroSysFail(200, name);
  KroBrpScope* node = graph->GetScope(gnIdentifier);
  if (node == nullptr) return KroSysFail(300, name);
  // A node without a body gives an empty body; finding a sub-element in it then fails.
  _Body = node->GetBody(1);
  body = _Body;
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::GetMyGeoType(MyGeoType& type) {
  KroCell_var cell = _SubElem;
  if (!!cell) {
    // The dimension is the index of the token: a volume is written "Wire" and read back by a
    // search for cells of dimension 3.
    type = static_cast<MyGeoType>(static_cast<int>(cell->GetDimension()));
  } else if (!!_Body) {
    type = Feat;
  }
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::SetMyGeoType(MyGeoType type) {
  _GeoType = type;
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::GetSubElem(KroTopology_var& subElement) {
  subElement = _SubElem;
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::SetSubElem(const KroTopology_var& subElement) {
  _SubElem = subElement;
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::GetSpecializedStream(KroUnicodeString& specialized) {
  specialized = "";
  return KRO_S_OK;
}

KroResult KroMmdStreamTopoForODT::SetSpecializedStream(const KroUnicodeString& specialized) {
  if (!specialized.IsEmpty())
    return KroSysFail(100, "KroMmdStreamTopoForODT::SetSpecializedStream");
  return KRO_S_OK;
}
