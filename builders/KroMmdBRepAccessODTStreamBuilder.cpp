// BRepAccess builder: a cell named within its support by tag, BRep element number, report
// selector or geometric selector, and the host's BRep access rebuilt from it.
#include "KroMmdBRepAccessODTStreamBuilder.h"

#include "KroBRepDecode.h"
#include "KroBrpGraph.h"
#include "KroBrpObjectIter.h"
#include "KroBrpScope.h"
#include "KroGeoFactory.h"
#include "KroIBRepAccessPriv.h"
#include "KroIGeometricalElement.h"
#include "KroINamingContext.h"
#include "KroListPtrKroBrpObject.h"
#include "KroMfBRepServices.h"
#include "KroMfGNServices.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroMmrQubConversionsServices.h"
#include "KroReportSelect.h"
#include "KroString.h"
#include "KroSysBftier.h"

// ---------------------------------------------------------------------------------------------
// Life cycle

KroMmdBRepAccessODTStreamBuilder::KroMmdBRepAccessODTStreamBuilder() : _IsAxis(0) {}

KroMmdBRepAccessODTStreamBuilder::KroMmdBRepAccessODTStreamBuilder(
    const KroMmdBRepAccessODTStreamBuilder& other)
    : KroMmdODTStreamBuilder(other),
      _Support(other._Support),
      _Topo(other._Topo),
      _IsAxis(other._IsAxis) {}

KroMmdBRepAccessODTStreamBuilder& KroMmdBRepAccessODTStreamBuilder::operator=(
    const KroMmdBRepAccessODTStreamBuilder& other) {
  if (this != &other) {
    KroMmdODTStreamBuilder::operator=(other);
    _Support = other._Support;
    _Topo = other._Topo;
    _IsAxis = other._IsAxis;
  }
  return *this;
}

KroMmdBRepAccessODTStreamBuilder::~KroMmdBRepAccessODTStreamBuilder() = default;

// ---------------------------------------------------------------------------------------------
// Accessors

KroResult KroMmdBRepAccessODTStreamBuilder::SetBRepAccess(const KroIBRepAccess_var& access) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::SetBRepAccess";
  if (!access) return KroSysFail(100, kName);
  if (!GetContext() && KroFailed(SetContext(KroBaseUnknown_var(access))))
    return KroSysFail(200, kName);
  KroIBRepAccessPriv_var priv = access;
  if (!priv) return KroSysFail(300, kName);
  if (KroFailed(_Support.SetGNAO(KroIGnAssociatedObject_var(priv->GetSupportingObject()))))
    return KroSysFail(400, kName);
  _Topo = access->GetTopology();
  _IsAxis = access->GetKindCode() == KroIBRepAccess::kAxisKind ? 1 : 0;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::GetBRepAccess(KroIBRepAccess_var& access) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::GetBRepAccess";
  access = nullptr;
  if (_IsAxis) {
    KroIGnAssociatedObject_var object;
    _Support.GetGNAO(object);
    access = KroBRepDecodeAxis(KroCell_var(_Topo), KroIGeometricalElement_var(object));
    return KRO_S_OK;
  }
  KroBody_var body;
  if (KroFailed(_Support.GetBody(body))) return KroSysFail(100, kName);
  if (KroFailed(KroBRepDecodeTopologyInBody(access, _Topo, body))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::SetToposInBody(const KroMmrToposInBody& topos) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::SetToposInBody";
  KroListPtrKroTopology list;
  const KroResult listed = topos.GetTopos(list, 2, KroIMmiMechanicalFeature_var());
  // The references the query added go back on every path from here.
  struct Release {
    KroListPtrKroTopology& list;
    ~Release() { KroMmrQubConversionsServices::ReleaseList(list); }
  } release{list};
  if (KroFailed(listed)) return KroSysFail(100, kName);
  if (list.Size() > 0) _Topo = KroTopology_var(list[1]);
  KroBody_var body;
  if (KroFailed(topos.GetBody(body))) return KroSysFail(200, kName);
  if (KroFailed(_Support.SetBody(body))) return KroSysFail(300, kName);
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::GetToposInBody(KroMmrToposInBody& topos) {
  KroBody_var body;
  if (KroFailed(_Support.GetBody(body)))
    return KroSysFail(100, "KroMmdBRepAccessODTStreamBuilder::GetToposInBody");
  KroListValKroBaseUnknown_var objects;
  objects.Append(KroBaseUnknown_var(_Topo));
  topos = KroMmrToposInBody(body, objects);
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::GetTopoTag(unsigned int& tag) {
  tag = 0;
  if (!_Topo) return KroSysFail(100, "KroMmdBRepAccessODTStreamBuilder::GetTopoTag");
  tag = _Topo->GetTag();
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::SetSupport(
    const KroMmdGNAOSpecODTStreamBuilder& support) {
  _Support = support;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::GetSupport(KroMmdGNAOSpecODTStreamBuilder& support) {
  support = _Support;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::SetTopo(const KroTopology_var& topo) {
  _Topo = topo;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::GetTopo(KroTopology_var& topo) {
  topo = _Topo;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::SetIsAxis(unsigned char isAxis) {
  _IsAxis = isAxis;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::GetIsAxis(unsigned char& isAxis) {
  isAxis = _IsAxis;
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Declared inputs and dispatch

KroResult KroMmdBRepAccessODTStreamBuilder::DeclareInputs() {
  // "support" and the group "SubElem" are both needed; any one way of naming the cell fills the
  // group, the first, "topoTag", when a write asks for none.
  struct Input {
    const char* parent;
    const char* key;
    unsigned char isAND;
    int stage;
  };
  static const Input kInputs[] = {
      {"", "support", 1, 100},           {"", "SubElem", 1, 200},
      {"SubElem", "topoTag", 0, 300},    {"SubElem", "topoId", 0, 400},
      {"SubElem", "brpEle", 0, 500},     {"SubElem", "gnSelector", 0, 600},
      {"SubElem", "geomReroute", 0, 700}};
  for (const Input& input : kInputs) {
    if (KroFailed(DeclareInput(input.parent, input.key, input.isAND, 0)))
      return KroSysFail(input.stage, "KroMmdBRepAccessODTStreamBuilder::DeclareInputs");
  }
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::SetValueStream(const KroUnicodeString& key,
                                                           const KroUnicodeString& value) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::SetValueStream";
  if (key == "support") {
    if (KroFailed(_SetSupportStream(value))) return KroSysFail(200, kName);
  } else if (key == "topoId" || key == "topoTag") {
    if (KroFailed(_SetTopoTagStream(value))) return KroSysFail(300, kName);
  } else if (key == "brpEle") {
    if (KroFailed(_SetBrpEleStream(value))) return KroSysFail(400, kName);
  } else if (key == "geomReroute") {
    if (KroFailed(_SetGeomRerouteStream(value))) return KroSysFail(500, kName);
  } else if (key == "gnSelector") {
    if (KroFailed(_SetGnSelectorStream(value))) return KroSysFail(600, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::GetValueStream(const KroUnicodeString& key,
                                                           const KroUnicodeString& format,
                                                           KroUnicodeString& out) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::GetValueStream";
  out = "";
  if (key == "support") {
    if (KroFailed(_GetSupportStream(format, out))) return KroSysFail(200, kName);
  } else if (key == "topoId" || key == "topoTag") {
    if (KroFailed(_GetTopoTagStream(out))) return KroSysFail(300, kName);
  } else if (key == "brpEle") {
    if (KroFailed(_GetBrpEleStream(out))) return KroSysFail(400, kName);
  } else if (key == "geomReroute") {
    if (KroFailed(_GetGeomRerouteStream(out))) return KroSysFail(500, kName);
  } else if (key == "gnSelector") {
    if (KroFailed(_GetGnSelectorStream(out))) return KroSysFail(600, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Support

KroResult KroMmdBRepAccessODTStreamBuilder::_SetSupportStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_SetSupportStream";
  if (KroFailed(_Support.SetContext(GetContext()))) return KroSysFail(100, kName);
  if (KroFailed(_Support.SetODTStream(value))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::_GetSupportStream(const KroUnicodeString& format,
                                                              KroUnicodeString& out) {
  if (KroFailed(_Support.GetODTStream(format, out)))
    return KroSysFail(100, "KroMmdBRepAccessODTStreamBuilder::_GetSupportStream");
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Tag

KroResult KroMmdBRepAccessODTStreamBuilder::_SetTopoTagStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_SetTopoTagStream";
  unsigned int tag = 0;
  if (!value.ConvertToNum(&tag, "%u")) return KroSysFail(100, kName);
  KroGeoFactory_var factory = KroMfBRepServices::GetGeoFactory(GetContext());
  if (!factory) return KroSysFail(200, kName);
  KroTopology_var topo = factory->FindObjectFromTag(tag, KroGeoFactory::kTopologyType);
  if (!topo) return KroSysFail(300, kName);
  _Topo = topo;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::_GetTopoTagStream(KroUnicodeString& out) {
  unsigned int tag = 0;
  if (KroFailed(GetTopoTag(tag)))
    return KroSysFail(100, "KroMmdBRepAccessODTStreamBuilder::_GetTopoTagStream");
  out.BuildFromNum(tag, "%u");
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// BRep element number

KroResult KroMmdBRepAccessODTStreamBuilder::_SetBrpEleStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_SetBrpEleStream";
  KroUnicodeString digits(value);
  digits.ReplaceSubString("*", "");
  unsigned int number = 0;
  if (!digits.ConvertToNum(&number, "%u")) return KroSysFail(100, kName);
  KroBrpGraph* graph = KroMfGNServices::GetGraph(GetContext());
  if (!graph) return KroSysFail(200, kName);
  KroBrpObjectIter objects = graph->CreateIterator("");
  while (KroBrpObject* object = objects.Next()) {
    // Element numbers are positive: a larger number than any int matches none.
    if (object->GetElementNumber() < 0 ||
        static_cast<unsigned int>(object->GetElementNumber()) != number)
      continue;
    KroTopology_var topo = object->GetTopology(1);
    if (!topo) return KroSysFail(500, kName);
    _Topo = topo;
    return KRO_S_OK;
  }
  return KroSysFail(400, kName);
}

KroResult KroMmdBRepAccessODTStreamBuilder::_GetBrpEleStream(KroUnicodeString& out) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_GetBrpEleStream";
  KroMmdGNAOSpecODTStreamBuilder support;
  support = _Support;
  KroBrpScope* scope = nullptr;
  if (KroFailed(support.GetScope(scope)) || !scope) return KroSysFail(200, kName);
  KroListPtrKroBrpObject objects;
  if (KroFailed(scope->GetBrpObjects(_Topo.get(), objects)) || objects.Size() == 0)
    return KroSysFail(300, kName);
  if (!objects[1]) return KroSysFail(400, kName);
  KroUnicodeString number;
  number.BuildFromNum(objects[1]->GetElementNumber(), "%d");
  out = KroUnicodeString("*") + number;
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Report selector

KroResult KroMmdBRepAccessODTStreamBuilder::_SetGnSelectorStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_SetGnSelectorStream";
  const KroString text(value.ConvertToChar());
  KroBrpGraph* graph = KroMfGNServices::GetGraph(GetContext());
  if (!graph) return KroSysFail(100, kName);
  KroReportSelect* selector = KroReportSelect::GetSelect(text);
  if (!selector) return KroSysFail(200, kName);
  // The selector goes back on every path from here.
  const KroBaseUnknown_var held = KroBaseUnknown_var::Adopt(selector);
  KroBrpScope* scope = nullptr;
  if (KroFailed(_Support.GetScope(scope)) || !scope) return KroSysFail(300, kName);
  KroListValKroBaseUnknown_var* objects = selector->SelectObjects(scope, graph);
  if (!objects || objects->Size() == 0) {
    delete objects;
    return KroSysFail(400, kName);
  }
  _Topo = KroTopology_var((*objects)[1]);
  delete objects;
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::_GetGnSelectorStream(KroUnicodeString& out) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_GetGnSelectorStream";
  KroIBRepAccess_var access;
  if (KroFailed(GetBRepAccess(access))) return KroSysFail(100, kName);
  KroIBRepAccessPriv_var priv = access;
  if (!priv) return KroSysFail(200, kName);
  KroReportSelect* selector = priv->GetReportSelector();
  if (!selector) return KroSysFail(300, kName);
  const KroBaseUnknown_var held = KroBaseUnknown_var::Adopt(selector);
  KroString* text = selector->GetText();
  if (!text) return KroSysFail(400, kName);
  out = KroUnicodeString(text->ToStdString());
  delete text;
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Geometric selector

KroResult KroMmdBRepAccessODTStreamBuilder::_SetGeomRerouteStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_SetGeomRerouteStream";
  KroMmdGeomSelectorForODT selector;
  if (KroFailed(selector.SetNamingContext(KroINamingContext_var(GetContext()))))
    return KroSysFail(100, kName);
  KroIGnAssociatedObject_var object;
  // A support that names nothing (none read yet, or its read failed) has no body to search.
  if (KroFailed(_Support.GetGNAO(object)) || !object) return KroSysFail(200, kName);
  if (KroFailed(selector.SetSupport(object))) return KroSysFail(300, kName);
  if (KroFailed(selector.SetGeomSelectorStreamForODT(value))) return KroSysFail(400, kName);
  if (KroFailed(selector.GetTopo(_Topo))) return KroSysFail(500, kName);
  if (KroFailed(selector.GetIsAxis(_IsAxis))) return KroSysFail(600, kName);
  return KRO_S_OK;
}

KroResult KroMmdBRepAccessODTStreamBuilder::_GetGeomRerouteStream(KroUnicodeString& out) {
  static const char* const kName = "KroMmdBRepAccessODTStreamBuilder::_GetGeomRerouteStream";
  KroMmdGeomSelectorForODT selector;
  if (KroFailed(selector.SetNamingContext(KroINamingContext_var(GetContext()))))
    return KroSysFail(100, kName);
  KroIGnAssociatedObject_var object;
  if (KroFailed(_Support.GetGNAO(object))) return KroSysFail(200, kName);
  if (KroFailed(selector.SetSupport(object))) return KroSysFail(300, kName);
  if (KroFailed(selector.SetTopo(_Topo))) return KroSysFail(400, kName);
  if (KroFailed(selector.SetIsAxis(_IsAxis))) return KroSysFail(500, kName);
  if (KroFailed(selector.GetGeomSelectorStreamForODT(out))) return KroSysFail(600, kName);
  return KRO_S_OK;
}
