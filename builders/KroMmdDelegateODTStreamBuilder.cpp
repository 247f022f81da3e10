// Delegate builder: of its declared inputs only the geometric sub-element is read, into the
// embedded BRepAccess builder; nothing is written.
#include "KroMmdDelegateODTStreamBuilder.h"

#include "KroSysBftier.h"

KroMmdDelegateODTStreamBuilder::KroMmdDelegateODTStreamBuilder() = default;

KroMmdDelegateODTStreamBuilder::KroMmdDelegateODTStreamBuilder(
    const KroMmdDelegateODTStreamBuilder& other)
    : KroMmdODTStreamBuilder(other), _GeomSubElem(other._GeomSubElem) {}

KroMmdDelegateODTStreamBuilder& KroMmdDelegateODTStreamBuilder::operator=(
    const KroMmdDelegateODTStreamBuilder& other) {
  if (this != &other) {
    KroMmdODTStreamBuilder::operator=(other);
    _GeomSubElem = other._GeomSubElem;
  }
  return *this;
}

KroMmdDelegateODTStreamBuilder::~KroMmdDelegateODTStreamBuilder() = default;

KroResult KroMmdDelegateODTStreamBuilder::GetGeomSubElem(
    KroMmdBRepAccessODTStreamBuilder& geomSubElem) {
  geomSubElem = _GeomSubElem;
  return KRO_S_OK;
}

KroResult KroMmdDelegateODTStreamBuilder::DeclareInputs() {
  // "Get" and "Create" are alternatives; "Create" needs "What" (one of "geomElem" and
  // "geomSubElem") and may have "How" ("contract").
  struct Input {
    const char* parent;
    const char* key;
    unsigned char isAND;
    unsigned char isOpt;
    int stage;
  };
  static const Input kInputs[] = {{"", "Get", 0, 0, 100},
                                  {"", "Create", 0, 0, 200},
                                  {"Get", "delegateId", 0, 0, 300},
                                  {"Create", "What", 1, 0, 400},
                                  {"Create", "How", 1, 1, 500},
                                  {"What", "geomElem", 0, 0, 600},
                                  {"What", "geomSubElem", 0, 0, 700},
                                  {"How", "contract", 0, 0, 800}};
  for (const Input& input : kInputs) {
    if (KroFailed(DeclareInput(input.parent, input.key, input.isAND, input.isOpt)))
      return KroSysFail(input.stage, "KroMmdDelegateODTStreamBuilder::DeclareInputs");
  }
  return KRO_S_OK;
}

KroResult KroMmdDelegateODTStreamBuilder::SetValueStream(const KroUnicodeString& key,
                                                         const KroUnicodeString& value) {
  static const char* const kName = "KroMmdDelegateODTStreamBuilder::SetValueStream";
  if (key == "geomElem") {
    if (KroFailed(_SetGeomElemStream(value))) return KroSysFail(100, kName);
  } else if (key == "geomSubElem") {
    if (KroFailed(_SetGeomSubElemStream(value))) return KroSysFail(200, kName);
  } else if (key == "contract") {
    if (KroFailed(_SetContractStream(value))) return KroSysFail(300, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

KroResult KroMmdDelegateODTStreamBuilder::GetValueStream(const KroUnicodeString& /*key*/,
                                                         const KroUnicodeString& /*format*/,
                                                         KroUnicodeString& /*out*/) {
  return KRO_E_NOTIMPL;
}

KroResult KroMmdDelegateODTStreamBuilder::_SetGeomElemStream(const KroUnicodeString& /*value*/) {
  return KRO_E_NOTIMPL;
}

KroResult KroMmdDelegateODTStreamBuilder::_SetGeomSubElemStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdDelegateODTStreamBuilder::_SetGeomSubElemStream";
  if (KroFailed(_GeomSubElem.SetContext(GetContext()))) return KroSysFail(100, kName);
  if (KroFailed(_GeomSubElem.SetODTStream(value))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdDelegateODTStreamBuilder::_SetContractStream(const KroUnicodeString& /*value*/) {
  return KRO_E_NOTIMPL;
}
