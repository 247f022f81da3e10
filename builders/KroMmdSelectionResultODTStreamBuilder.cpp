// SelectionResult builder: the cells of a selection, named by tag or by geometric selector
// within the body of their support.
#include "KroMmdSelectionResultODTStreamBuilder.h"

#include "KroGeoFactory.h"
#include "KroINamingContext.h"
#include "KroListPtrKroTopology.h"
#include "KroListValKroBaseUnknown_var.h"
#include "KroMfBRepServices.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroMmrQubConversionsServices.h"
#include "KroSysBftier.h"

// ---------------------------------------------------------------------------------------------
// Life cycle

KroMmdSelectionResultODTStreamBuilder::KroMmdSelectionResultODTStreamBuilder() = default;

KroMmdSelectionResultODTStreamBuilder::KroMmdSelectionResultODTStreamBuilder(
    const KroMmdSelectionResultODTStreamBuilder& other) = default;

KroMmdSelectionResultODTStreamBuilder& KroMmdSelectionResultODTStreamBuilder::operator=(
    const KroMmdSelectionResultODTStreamBuilder& other) = default;

KroMmdSelectionResultODTStreamBuilder::~KroMmdSelectionResultODTStreamBuilder() = default;

// ---------------------------------------------------------------------------------------------
// Accessors

KroResult KroMmdSelectionResultODTStreamBuilder::SetToposInBody(const KroMmrToposInBody& topos) {
  static const char* const kName = "KroMmdSelectionResultODTStreamBuilder::SetToposInBody";
  KroListPtrKroTopology listed;
  const KroResult rc = topos.GetTopos(listed, 2, KroIMmiMechanicalFeature_var());
  // The references the query added go back on every path from here; the list keeps its own.
  struct Release {
    KroListPtrKroTopology& list;
    ~Release() { KroMmrQubConversionsServices::ReleaseList(list); }
  } release{listed};
  if (KroFailed(rc)) return KroSysFail(100, kName);
  for (int i = 1; i <= listed.Size(); ++i) _Topos.Append(KroTopology_var(listed[i]));
  KroBody_var body;
  if (KroFailed(topos.GetBody(body))) return KroSysFail(200, kName);
  if (KroFailed(_Support.SetBody(body))) return KroSysFail(300, kName);
  return KRO_S_OK;
}

KroResult KroMmdSelectionResultODTStreamBuilder::GetToposInBody(KroMmrToposInBody& topos) {
  KroBody_var body;
  if (KroFailed(_Support.GetBody(body)))
    return KroSysFail(100, "KroMmdSelectionResultODTStreamBuilder::GetToposInBody");
  KroListValKroBaseUnknown_var objects;
  for (const KroTopology_var& topo : _Topos) objects.Append(KroBaseUnknown_var(topo));
  topos = KroMmrToposInBody(body, objects);
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Declared inputs and dispatch

KroResult KroMmdSelectionResultODTStreamBuilder::DeclareInputs() {
  // "support" and the group "SubElems" are both needed; either list fills the group. There is
  // no stage 400.
  struct Input {
    const char* parent;
    const char* key;
    unsigned char isAND;
    int stage;
  };
  static const Input kInputs[] = {{"", "support", 1, 100},
                                  {"", "SubElems", 1, 200},
                                  {"SubElems", "topoTags", 0, 300},
                                  {"SubElems", "geomReroutes", 0, 500}};
  for (const Input& input : kInputs) {
    if (KroFailed(DeclareInput(input.parent, input.key, input.isAND, 0)))
      return KroSysFail(input.stage, "KroMmdSelectionResultODTStreamBuilder::DeclareInputs");
  }
  return KRO_S_OK;
}

KroResult KroMmdSelectionResultODTStreamBuilder::SetValueStream(const KroUnicodeString& key,
                                                                const KroUnicodeString& value) {
  static const char* const kName = "KroMmdSelectionResultODTStreamBuilder::SetValueStream";
  if (key == "support") {
    if (KroFailed(_SetSupportStream(value))) return KroSysFail(200, kName);
  } else if (key == "topoTags") {
    if (KroFailed(_SetToposTagsStream(value))) return KroSysFail(300, kName);
  } else if (key == "geomReroutes") {
    if (KroFailed(_SetGeomReroutesStream(value))) return KroSysFail(400, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

// Neither list can be written, so a whole stream never is: "SubElems" stays open and the write
// fails with whatever query.
KroResult KroMmdSelectionResultODTStreamBuilder::GetValueStream(const KroUnicodeString& key,
                                                                const KroUnicodeString& format,
                                                                KroUnicodeString& out) {
  static const char* const kName = "KroMmdSelectionResultODTStreamBuilder::GetValueStream";
  out = "";
  if (key == "support") {
    if (KroFailed(_GetSupportStream(format, out))) return KroSysFail(200, kName);
  } else if (key == "topoTags") {
    if (KroFailed(_GetToposTagsStream(out))) return KroSysFail(300, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Support

KroResult KroMmdSelectionResultODTStreamBuilder::_SetSupportStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdSelectionResultODTStreamBuilder::_SetSupportStream";
  if (KroFailed(_Support.SetContext(GetContext()))) return KroSysFail(100, kName);
  if (KroFailed(_Support.SetODTStream(value))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdSelectionResultODTStreamBuilder::_GetSupportStream(const KroUnicodeString& format,
                                                                   KroUnicodeString& out) {
  if (KroFailed(_Support.GetODTStream(format, out)))
    return KroSysFail(100, "KroMmdSelectionResultODTStreamBuilder::_GetSupportStream");
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Lists of cells

KroResult KroMmdSelectionResultODTStreamBuilder::_SetToposTagsStream(
    const KroUnicodeString& value) {
  static const char* const kName = "KroMmdSelectionResultODTStreamBuilder::_SetToposTagsStream";
  _Topos.RemoveAll();
  KroListValKroUnicodeString items;
  if (KroFailed(ParseJSONList(value, items))) return KroSysFail(100, kName);
  KroGeoFactory_var factory = KroMfBRepServices::GetGeoFactory(GetContext());
  if (!factory) return KroSysFail(200, kName);
  for (const KroUnicodeString& item : items) {
    unsigned int tag = 0;
    if (!item.ConvertToNum(&tag, "%u")) return KroSysFail(300, kName);
    KroTopology_var topo = factory->FindObjectFromTag(tag, KroGeoFactory::kTopologyType);
    if (!topo) return KroSysFail(400, kName);
    _Topos.Append(topo);
  }
  return KRO_S_OK;
}

KroResult KroMmdSelectionResultODTStreamBuilder::_GetToposTagsStream(KroUnicodeString& /*out*/) {
  return KRO_E_NOTIMPL;
}

KroResult KroMmdSelectionResultODTStreamBuilder::_SetGeomReroutesStream(
    const KroUnicodeString& value) {
  static const char* const kName = "KroMmdSelectionResultODTStreamBuilder::_SetGeomReroutesStream";
  KroListValKroUnicodeString items;
  if (KroFailed(ParseJSONList(value, items))) return KroSysFail(100, kName);
  KroIGnAssociatedObject_var object;
  // A support that names nothing (none read yet, or its read failed) has no body to search.
  if (KroFailed(_Support.GetGNAO(object)) || !object) return KroSysFail(200, kName);
  const KroINamingContext_var context(GetContext());
  for (const KroUnicodeString& item : items) {
    KroMmdGeomSelectorForODT selector;
    if (KroFailed(selector.SetNamingContext(context))) return KroSysFail(300, kName);
    if (KroFailed(selector.SetSupport(object))) return KroSysFail(400, kName);
    if (KroFailed(selector.SetGeomSelectorStreamForODT(item))) return KroSysFail(500, kName);
    KroTopology_var topo;
    if (KroFailed(selector.GetTopo(topo)) || !topo) return KroSysFail(600, kName);
    _Topos.Append(topo);
  }
  return KRO_S_OK;
}
