// Geometric selector stream: version "1", the type token, then the point and direction fields
// of the link stream, each followed by "_"; the body is the support's.
#include "KroMmdGeomSelectorForODT.h"

#include "KroCell.h"
#include "KroSysBftier.h"

KroMmdGeomSelectorForODT::KroMmdGeomSelectorForODT() : _GeoType(NoGeoType), _IsAxis(0) {}

KroMmdGeomSelectorForODT::KroMmdGeomSelectorForODT(const KroMmdGeomSelectorForODT& other) = default;

KroMmdGeomSelectorForODT& KroMmdGeomSelectorForODT::operator=(
    const KroMmdGeomSelectorForODT& other) = default;

KroMmdGeomSelectorForODT::~KroMmdGeomSelectorForODT() {
  ResetStream();
  _NamingContext = nullptr;
}

void KroMmdGeomSelectorForODT::ScanGeomSelectorForODT(const KroUnicodeString& stream,
                                                      Fields& fields) {
  static const Layout kLayout = {false, _TabType, _nbTypes, -1, Vlme};
  ScanFields(stream, kLayout, fields);
}

// ---- Context, support and sub-element. ----

KroResult KroMmdGeomSelectorForODT::SetNamingContext(const KroINamingContext_var& context) {
  static const char* const kName = "KroMmdGeomSelectorForODT::SetNamingContext";
  _NamingContext = context;
  if (KroFailed(_Support.SetContext(KroBaseUnknown_var(context)))) return KroSysFail(100, kName);
  if (KroFailed(_Topology.SetContext(KroBaseUnknown_var(context)))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::SetSupport(const KroIGnAssociatedObject_var& object) {
  static const char* const kName = "KroMmdGeomSelectorForODT::SetSupport";
  if (!_NamingContext && KroFailed(_Support.SetContext(KroBaseUnknown_var(object))))
    return KroSysFail(100, kName);
  if (KroFailed(_Support.SetGNAO(object))) return KroSysFail(300, kName);
  if (KroFailed(_Topology.SetSupport(_Support))) return KroSysFail(400, kName);
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::GetSupport(KroIGnAssociatedObject_var& object) {
  if (KroFailed(_Support.GetGNAO(object)))
    return KroSysFail(100, "KroMmdGeomSelectorForODT::GetSupport");
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::SetTopo(const KroTopology_var& topo) {
  static const char* const kName = "KroMmdGeomSelectorForODT::SetTopo";
  if (!_NamingContext && KroFailed(_Topology.SetContext(KroBaseUnknown_var(topo))))
    return KroSysFail(100, kName);
  if (KroFailed(_Topology.SetTopo(topo))) return KroSysFail(200, kName);
  const KroCell_var cell = topo;
  if (!cell) return KroSysFail(300, kName);
  _GeoType = static_cast<MyGeoType>(cell->GetDimension());
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::GetTopo(KroTopology_var& topo) {
  if (KroFailed(_Topology.GetTopo(topo)))
    return KroSysFail(100, "KroMmdGeomSelectorForODT::GetTopo");
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::SetIsAxis(unsigned char isAxis) {
  _IsAxis = isAxis;
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::GetIsAxis(unsigned char& isAxis) {
  isAxis = _IsAxis;
  return KRO_S_OK;
}

// ---- Fields. ----

void KroMmdGeomSelectorForODT::ResetStream() { Clear(); }

KroResult KroMmdGeomSelectorForODT::WriteVersion() {
  KroMmdGeomCursorForODT::WriteVersion(_Version);
  return KRO_S_OK;
}

unsigned char KroMmdGeomSelectorForODT::IsReadableVersion(int& version) {
  return KroMmdGeomCursorForODT::IsReadableVersion(version, _Version);
}

KroResult KroMmdGeomSelectorForODT::WriteGeoType(MyGeoType type) {
  if (type < 0 || type >= _nbTypes) return KroSysFail(100, "class::function");
  WriteToken(_TabType[type]);
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::ReadGeoType(MyGeoType& type) {
  // No body identifier comes before the token: nothing is skipped.
  int index = NoGeoType;
  if (KroFailed(ReadToken(_TabType, _nbTypes, index))) return KRO_E_FAIL;
  type = static_cast<MyGeoType>(index);
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::WriteSubElem() {
  static const char* const kName = "KroMmdGeomSelectorForODT::WriteSubElem";
  KroTopology_var topo;
  if (KroFailed(_Topology.GetTopo(topo))) return KroSysFail(100, kName);
  return WriteCellFields(topo, kName);
}

KroResult KroMmdGeomSelectorForODT::ReadSubElem(KroBody_var& body, MyGeoType type,
                                                KroTopology_var& subElement) {
  return ReadCellFields(body, type == Vlme ? 3 : static_cast<short>(type), type == Vlme,
                        "KroMmdGeomSelectorForODT::ReadSubElem", subElement);
}

// ---- Writing and reading. ----

KroResult KroMmdGeomSelectorForODT::GetGeomSelectorStreamForODT(KroUnicodeString& stream) {
  static const char* const kName = "KroMmdGeomSelectorForODT::GetGeomSelectorStreamForODT";
  ResetStream();
  WriteVersion();
  if (_GeoType == NoGeoType) return KroSysFail(200, kName);
  // A volume read from two of its faces has one point and direction of its own: it is written as
  // any volume, "Wire", so that the text reads back.
  const MyGeoType type = _IsAxis ? Axis : _GeoType == Vlme ? Wire : _GeoType;
  if (KroFailed(WriteGeoType(type))) return KroSysFail(300, kName);
  if (KroFailed(WriteSubElem())) return KroSysFail(400, kName);
  stream = _Text;
  return KRO_S_OK;
}

KroResult KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT(const KroUnicodeString& stream) {
  static const char* const kName = "KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT";
  ResetStream();
  if (!_NamingContext) return KroSysFail(100, kName);
  if (stream.IsEmpty()) return KroSysFail(200, kName);
  if (KroFailed(LoadText(stream))) return KroSysFail(300, kName);
  int version = 0;
  if (!IsReadableVersion(version)) return KroSysFail(300, kName);

  MyGeoType type = NoGeoType;
  if (KroFailed(ReadGeoType(type))) return KroSysFail(400, kName);
  _IsAxis = type == Axis ? 1 : 0;
  if (type == Axis) type = Face;
  _GeoType = type;
  if (KroFailed(_Topology.SetIsAxis(_IsAxis))) return KroSysFail(410, kName);

  // A support without a body (a log element, say) has nothing to search in either.
  KroBody_var body;
  if (KroFailed(_Support.GetBody(body)) || !body) return KroSysFail(500, kName);
  KroTopology_var subElement;
  if (KroFailed(ReadSubElem(body, type, subElement)) || !subElement) return KroSysFail(600, kName);
  if (KroFailed(_Topology.SetTopo(subElement))) return KroSysFail(700, kName);
  return KRO_S_OK;
}
