// GNAOSpec builder: a generic-naming associated object named by body tag, identifier, scope
// element number, alias, naming reference or nested log-element stream.
// It and the LogElement builder nest each other on purpose: the include cycle is wanted.
#include "KroMmdGNAOSpecODTStreamBuilder.h"

#include "KroBrpGraph.h"
#include "KroGeoFactory.h"
#include "KroIAlias.h"
#include "KroIContainer.h"
#include "KroIJournalingSpec.h"
#include "KroIMmiLogElement.h"
#include "KroISpecObject.h"
#include "KroMfBRepServices.h"
#include "KroMfBRepUtils.h"
#include "KroMfGNServices.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroSysBftier.h"
#include "_SEQUENCE_KroBaseUnknown_ptr.h"

// ---------------------------------------------------------------------------------------------
// Life cycle

KroMmdGNAOSpecODTStreamBuilder::KroMmdGNAOSpecODTStreamBuilder() = default;

KroMmdGNAOSpecODTStreamBuilder::KroMmdGNAOSpecODTStreamBuilder(
    const KroMmdGNAOSpecODTStreamBuilder& other)
    : KroMmdODTStreamBuilder(other), _GNAO(other._GNAO) {}

KroMmdGNAOSpecODTStreamBuilder& KroMmdGNAOSpecODTStreamBuilder::operator=(
    const KroMmdGNAOSpecODTStreamBuilder& other) {
  if (this != &other) {
    KroMmdODTStreamBuilder::operator=(other);
    _GNAO = other._GNAO;
  }
  return *this;
}

KroMmdGNAOSpecODTStreamBuilder::~KroMmdGNAOSpecODTStreamBuilder() = default;

// ---------------------------------------------------------------------------------------------
// Accessors

KroResult KroMmdGNAOSpecODTStreamBuilder::SetGNAO(const KroIGnAssociatedObject_var& object) {
  if (!GetContext() && KroFailed(SetContext(KroBaseUnknown_var(object))))
    return KroSysFail(100, "KroMmdGNAOSpecODTStreamBuilder::SetGNAO");
  _GNAO = object;
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::GetGNAO(KroIGnAssociatedObject_var& object) {
  object = _GNAO;
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::SetBody(const KroBody_var& body) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::SetBody";
  KroBrpGraph* graph = KroMfGNServices::GetGraph(GetContext());
  if (!graph) return KroSysFail(100, kName);
  KroBrpScope* scope = graph->GetScope(body.get());
  if (!scope) return KroSysFail(200, kName);
  KroIGnAssociatedObject_var object = scope->GetAssociatedObject();
  if (!object) return KroSysFail(300, kName);
  _GNAO = object;
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::SetGnId(const KroGnIdentifier& identifier) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::SetGnId";
  KroBrpGraph* graph = KroMfGNServices::GetGraph(GetContext());
  if (!graph) return KroSysFail(100, kName);
  KroBrpScope* scope = graph->GetScope(identifier);
  if (!scope) return KroSysFail(200, kName);
  KroIGnAssociatedObject_var object = scope->GetAssociatedObject();
  if (!object) return KroSysFail(300, kName);
  _GNAO = object;
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::SetDiezele(unsigned int number) {
  if (KroFailed(SetGnId(KroGnIdentifier(static_cast<uint32_t>(number)))))
    return KroSysFail(100, "KroMmdGNAOSpecODTStreamBuilder::SetDiezele");
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::GetScope(KroBrpScope*& scope) {
  scope = nullptr;
  KroBrpGraph* graph = KroMfGNServices::GetGraph(GetContext());
  if (!graph) return KroSysFail(200, "KroMmdGNAOSpecODTStreamBuilder::GetScope");
  scope = graph->GetScope(_GNAO.get());
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::GetBody(KroBody_var& body) {
  body = nullptr;
  KroBrpScope* scope = nullptr;
  if (KroFailed(GetScope(scope)) || !scope)
    return KroSysFail(100, "KroMmdGNAOSpecODTStreamBuilder::GetBody");
  body = scope->GetBody(1);
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::GetBodyTag(unsigned int& tag) {
  tag = 0;
  KroBody_var body;
  if (KroFailed(GetBody(body)) || !body)
    return KroSysFail(100, "KroMmdGNAOSpecODTStreamBuilder::GetBodyTag");
  tag = body->GetTag();
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Declared inputs and dispatch

KroResult KroMmdGNAOSpecODTStreamBuilder::DeclareInputs() {
  // Every way of naming the object is an alternative of the others; the first one, "bodyTag",
  // is what a write without query gives.
  struct Input {
    const char* key;
    int stage;
  };
  static const Input kInputs[] = {{"bodyTag", 100}, {"bodyId", 110},    {"specId", 200},
                                  {"gnId", 300},    {"scopeEle", 500},  {"scopeId", 400},
                                  {"alias", 600},   {"namingRef", 700}, {"logElement", 800}};
  for (const Input& input : kInputs) {
    if (KroFailed(DeclareInput("", input.key, 0, 0)))
      return KroSysFail(input.stage, "KroMmdGNAOSpecODTStreamBuilder::DeclareInputs");
  }
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::SetValueStream(const KroUnicodeString& key,
                                                         const KroUnicodeString& value) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::SetValueStream";
  _GNAO = nullptr;
  if (key == "bodyId" || key == "bodyTag") {
    if (KroFailed(_SetBodyTagStream(value))) return KroSysFail(200, kName);
  } else if (key == "gnId" || key == "specId") {
    if (KroFailed(_SetSpecIdStream(value))) return KroSysFail(300, kName);
  } else if (key == "scopeId" || key == "scopeEle") {
    if (KroFailed(_SetScopeEleStream(value))) return KroSysFail(400, kName);
  } else if (key == "alias") {
    if (KroFailed(_SetAliasStream(value))) return KroSysFail(500, kName);
  } else if (key == "namingRef") {
    if (KroFailed(_SetNamingRefStream(value))) return KroSysFail(600, kName);
  } else if (key == "logElement") {
    if (KroFailed(_SetLogElementStream(value))) return KroSysFail(700, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::GetValueStream(const KroUnicodeString& key,
                                                         const KroUnicodeString& format,
                                                         KroUnicodeString& out) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::GetValueStream";
  out = "";
  if (key == "bodyId" || key == "bodyTag") {
    if (KroFailed(_GetBodyTagStream(out))) return KroSysFail(200, kName);
  } else if (key == "gnId" || key == "specId") {
    if (KroFailed(_GetSpecIdStream(out))) return KroSysFail(300, kName);
  } else if (key == "scopeId" || key == "scopeEle") {
    if (KroFailed(_GetScopeEleStream(out))) return KroSysFail(400, kName);
  } else if (key == "alias") {
    if (KroFailed(_GetAliasStream(out))) return KroSysFail(500, kName);
  } else if (key == "namingRef") {
    if (KroFailed(_GetNamingRefStream(out))) return KroSysFail(600, kName);
  } else if (key == "logElement") {
    if (KroFailed(_GetLogElementStream(format, out))) return KroSysFail(600, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Body tag

KroResult KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream";
  unsigned int tag = 0;
  if (!value.ConvertToNum(&tag, "%u")) return KroSysFail(100, kName);
  KroGeoFactory_var factory = KroMfBRepServices::GetGeoFactory(GetContext());
  if (!factory) return KroSysFail(200, kName);
  KroBrpGraph* graph = KroMfGNServices::GetGraph(GetContext());
  if (!graph) return KroSysFail(300, kName);
  // Bodies only: the tag of a cell names nothing.
  KroBody_var body = factory->FindObjectFromTag(tag, KroGeoFactory::kBodyType);
  if (!body) return KroSysFail(400, kName);
  KroBrpScope* scope = graph->GetScope(body.get());
  if (!scope) return KroSysFail(500, kName);
  KroIGnAssociatedObject_var object = scope->GetAssociatedObject();
  if (!object) return KroSysFail(600, kName);
  _GNAO = object;
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::_GetBodyTagStream(KroUnicodeString& out) {
  unsigned int tag = 0;
  if (KroFailed(GetBodyTag(tag)))
    return KroSysFail(100, "KroMmdGNAOSpecODTStreamBuilder::_GetBodyTagStream");
  out.BuildFromNum(tag, "%u");
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Identifier

KroResult KroMmdGNAOSpecODTStreamBuilder::_SetSpecIdStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_SetSpecIdStream";
  KroGnIdentifier identifier;
  if (KroFailed(KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(value, identifier)))
    return KroSysFail(100, kName);
  if (KroFailed(SetGnId(identifier))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::_GetSpecIdStream(KroUnicodeString& out) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_GetSpecIdStream";
  if (!_GNAO) return KroSysFail(100, kName);
  KroGnIdentifier identifier;
  if (KroFailed(_GNAO->GetGnIdentifier(identifier, 0))) return KroSysFail(200, kName);
  if (KroFailed(KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(identifier, out)))
    return KroSysFail(300, kName);
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Scope element number

KroResult KroMmdGNAOSpecODTStreamBuilder::_SetScopeEleStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_SetScopeEleStream";
  KroUnicodeString digits(value);
  digits.ReplaceSubString("*", "");
  unsigned int number = 0;
  if (!digits.ConvertToNum(&number, "%u")) return KroSysFail(100, kName);
  KroBrpGraph* graph = KroMfGNServices::GetGraph(GetContext());
  if (!graph) return KroSysFail(200, kName);
  // Element numbers are positive ints: a larger number names no scope.
  KroBrpScope* scope =
      number <= 0x7FFFFFFFu ? graph->GetScopeFromElementNumber(static_cast<int>(number)) : nullptr;
  if (!scope) return KroSysFail(300, kName);
  KroIGnAssociatedObject_var object = scope->GetAssociatedObject();
  if (!object) return KroSysFail(400, kName);
  _GNAO = object;
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::_GetScopeEleStream(KroUnicodeString& out) {
  KroBrpScope* scope = nullptr;
  if (KroFailed(GetScope(scope)) || !scope)
    return KroSysFail(100, "KroMmdGNAOSpecODTStreamBuilder::_GetScopeEleStream");
  KroUnicodeString number;
  number.BuildFromNum(scope->GetElementNumber(), "%d");
  out = KroUnicodeString("*") + number;
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Alias

KroResult KroMmdGNAOSpecODTStreamBuilder::_SetAliasStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_SetAliasStream";
  KroIContainer_var container = KroMfBRepUtils::GetSpecContainer(GetContext());
  if (!container) return KroSysFail(100, kName);
  _SEQUENCE_KroBaseUnknown_ptr members;
  // A container that cannot list its members is as unusable as a missing one.
  if (KroFailed(container->ListMembersHere(KroIAlias::ClassName(), members))) {
    members.ReleaseAll();
    return KroSysFail(100, kName);
  }
  for (uint32_t i = 0; i < members.length(); ++i) {
    KroIAlias_var alias(members[i]);
    if (alias && alias->GetAlias() == value) {
      _GNAO = members[i];
      break;
    }
  }
  members.ReleaseAll();
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::_GetAliasStream(KroUnicodeString& out) {
  KroIAlias_var alias(_GNAO);
  if (!alias) return KroSysFail(100, "KroMmdGNAOSpecODTStreamBuilder::_GetAliasStream");
  out = alias->GetAlias();
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Naming reference

KroResult KroMmdGNAOSpecODTStreamBuilder::_SetNamingRefStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_SetNamingRefStream";
  KroIContainer_var container = KroMfBRepUtils::GetSpecContainer(GetContext());
  if (!container) return KroSysFail(100, kName);
  // Naming references first: an empty reference never matches.
  _SEQUENCE_KroBaseUnknown_ptr members;
  if (KroFailed(container->ListMembersHere(KroIJournalingSpec::ClassName(), members))) {
    members.ReleaseAll();
    return KroSysFail(100, kName);
  }
  for (uint32_t i = 0; i < members.length(); ++i) {
    KroIJournalingSpec_var journaling(members[i]);
    KroUnicodeString reference;
    if (journaling && KroSucceeded(journaling->GetNamingReference(reference)) &&
        !reference.IsEmpty() && reference == value) {
      _GNAO = members[i];
      break;
    }
  }
  members.ReleaseAll();
  if (_GNAO) return KRO_S_OK;
  // Then spec names.
  if (KroFailed(container->ListMembersHere(KroISpecObject::ClassName(), members))) {
    members.ReleaseAll();
    return KroSysFail(100, kName);
  }
  for (uint32_t i = 0; i < members.length(); ++i) {
    KroISpecObject_var spec(members[i]);
    if (spec && spec->GetName() == value) {
      _GNAO = members[i];
      break;
    }
  }
  members.ReleaseAll();
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::_GetNamingRefStream(KroUnicodeString& out) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_GetNamingRefStream";
  out = "";
  KroISpecObject_var spec(_GNAO);
  if (!spec) return KroSysFail(100, kName);
  KroIJournalingSpec_var journaling(_GNAO);
  if (journaling && KroFailed(journaling->GetNamingReference(out))) return KroSysFail(200, kName);
  if (out.IsEmpty()) out = spec->GetName();
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Log element

KroResult KroMmdGNAOSpecODTStreamBuilder::_SetLogElementStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_SetLogElementStream";
  KroMmdLogElementODTStreamBuilder logElement;
  if (KroFailed(logElement.SetContext(GetContext()))) return KroSysFail(100, kName);
  if (KroFailed(logElement.SetODTStream(value))) return KroSysFail(200, kName);
  KroIGnAssociatedObject_var object;
  if (KroFailed(logElement.GetSpecGNAO(object))) return KroSysFail(300, kName);
  _GNAO = object;
  return KRO_S_OK;
}

KroResult KroMmdGNAOSpecODTStreamBuilder::_GetLogElementStream(const KroUnicodeString& format,
                                                               KroUnicodeString& out) {
  static const char* const kName = "KroMmdGNAOSpecODTStreamBuilder::_GetLogElementStream";
  out = "";
  KroIMmiLogElement_var element(_GNAO);
  if (!element) return KroSysFail(100, kName);
  KroMmdLogElementODTStreamBuilder logElement;
  if (KroFailed(logElement.SetContext(GetContext()))) return KroSysFail(100, kName);
  if (KroFailed(logElement.SetLogElement(element))) return KroSysFail(200, kName);
  if (KroFailed(logElement.GetODTStream(format, out))) return KroSysFail(300, kName);
  return KRO_S_OK;
}
