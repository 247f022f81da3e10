// Delegate stream: the body is named by the feature's journaling or spec name, the geometric
// type is the dimension of the delegate's first cell ("Feat" for a whole feature), and the
// specialised part is the identifier of the delegate's contract.
#include "KroMmdStreamDelegateForODT.h"

#include <cstdint>

#include "KroBRepDecode.h"
#include "KroBrpGraph.h"
#include "KroBrpScope.h"
#include "KroCell.h"
#include "KroIBRepAccess.h"
#include "KroIBRepAccessPriv.h"
#include "KroIContainer.h"
#include "KroIGeometricalElement.h"
#include "KroIJournalingSpec.h"
#include "KroILinkableObject.h"
#include "KroIMfBrepContainer.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiGeomDelegateFactory.h"
#include "KroIMmiGeometryAccess.h"
#include "KroIMmrContractPrivate.h"
#include "KroIPathAccess.h"
#include "KroMfBRepUtils.h"
#include "KroMmrContractServices.h"
#include "KroObject.h"
#include "KroSysBftier.h"
#include "_SEQUENCE_KroBaseUnknown_ptr.h"

namespace {

// The geometric delegate factory, made by its late type for one call; empty when the host has
// none.
KroIMmiGeomDelegateFactory_var MakeDelegateFactory() {
  const KroObject made(KroIMmiGeomDelegateFactory::kLateType, "");
  void* factory = nullptr;
  if (KroFailed(made.QueryInterface(KroIMmiGeomDelegateFactory::ClassIID(), &factory)) ||
      factory == nullptr) {
    return KroIMmiGeomDelegateFactory_var();
  }
  return KroIMmiGeomDelegateFactory_var::Adopt(static_cast<KroIMmiGeomDelegateFactory*>(factory));
}

// The first listed spec whose name (as name gives it) equals the wanted one; every listed
// object is released.
template <class Spec, class Name>
KroISpecObject_var FirstNamed(_SEQUENCE_KroBaseUnknown_ptr& members, const KroUnicodeString& wanted,
                              Name name) {
  KroISpecObject_var found;
  for (uint32_t i = 0; i < members.length() && !found; ++i) {
    const KroVar<Spec> member(members[i]);
    if (!!member && name(member) == wanted) found = KroISpecObject_var(members[i]);
  }
  members.ReleaseAll();
  return found;
}

}  // namespace

KroMmdStreamDelegateForODT::KroMmdStreamDelegateForODT()
    : _GeoType(NoGeoType), _BodyTag(0), _ContractId(0), _BodyLookupMode(0) {}

KroMmdStreamDelegateForODT::KroMmdStreamDelegateForODT(const KroMmdStreamDelegateForODT& other)
    : KroMmdStreamGeomRefForODT(other),
      _Body(other._Body),
      _Contract(other._Contract),
      _Delegate(other._Delegate),
      _NamingContext(other._NamingContext),
      _Spec(other._Spec),
      _SubElem(other._SubElem),
      _GeoType(other._GeoType),
      _BodyTag(other._BodyTag),
      _ContractId(other._ContractId),
      _BodyLookupMode(other._BodyLookupMode) {}

KroMmdStreamDelegateForODT& KroMmdStreamDelegateForODT::operator=(
    const KroMmdStreamDelegateForODT& other) {
  if (this == &other) return *this;
  KroMmdStreamGeomRefForODT::operator=(other);
  _Body = other._Body;
  _Contract = other._Contract;
  _Delegate = other._Delegate;
  _NamingContext = other._NamingContext;
  _Spec = other._Spec;
  _SubElem = other._SubElem;
  _GeoType = other._GeoType;
  _BodyTag = other._BodyTag;
  _ContractId = other._ContractId;
  _BodyLookupMode = other._BodyLookupMode;
  return *this;
}

KroMmdStreamDelegateForODT::~KroMmdStreamDelegateForODT() {
  _SubElem = nullptr;
  _Spec = nullptr;
  _NamingContext = nullptr;
  _Delegate = nullptr;
  _Contract = nullptr;
  _Body = nullptr;
}

void KroMmdStreamDelegateForODT::_Clear() {
  _Delegate = nullptr;
  _Contract = nullptr;
  _SubElem = nullptr;
  _Body = nullptr;
  _Spec = nullptr;
  _NamingContext = nullptr;
  _GeoType = NoGeoType;
  _ContractId = KroMmrContractServices::kNoContract;
  _BodyLookupMode = -1;
  _BodyTag = 0;
}

// ---- Writing. ----

KroResult KroMmdStreamDelegateForODT::GetStreamFromDelegate(KroIMmiDelegateObject_var& delegate,
                                                            KroUnicodeString& stream) {
  static const char* const kName = "KroMmdStreamDelegateForODT::GetStreamFromDelegate";
  _Clear();
  if (!delegate) return KroSysFail(100, kName);
  _Delegate = delegate;
  if (KroFailed(_ComputeStreamAttributes())) return KroSysFail(200, kName);
  if (KroFailed(StreamGeomLinkForODT(stream))) return KroSysFail(300, kName);
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::GetStreamFromDelegate(KroIOmbDelegateObject* delegate,
                                                            KroUnicodeString& stream) {
  KroIMmiDelegateObject_var seen(static_cast<KroBaseUnknown*>(delegate));
  return GetStreamFromDelegate(seen, stream);
}

KroResult KroMmdStreamDelegateForODT::_ComputeStreamAttributes() {
  static const char* const kName = "KroMmdStreamDelegateForODT::_ComputeStreamAttributes";
  if (!_Delegate) return KroSysFail(100, kName);
  const KroIMmiGeometryAccess_var access(_Delegate);
  if (!access) return KroSysFail(200, kName);

  // What the delegate stands for: a BRep access (a cell delegate) or a feature. A delegate
  // that stands for nothing is taken as a cell delegate.
  KroBaseUnknown_var linkable;
  bool wholeFeature = false;
  if (KroSucceeded(_Delegate->GetLinkableObject(linkable)) && !!linkable) {
    const KroIBRepAccess_var brepAccess(linkable);
    if (!!brepAccess) {
      brepAccess->GetTopology();  // the access settles its cell before its delegate's are read
    } else {
      wholeFeature = true;
    }
  }

  KroListValKroBaseUnknown_var topos;
  const KroResult listed = access->GetTopologicalObjects(topos);
  if (wholeFeature) {
    _GeoType = Feat;
  } else {
    if (KroFailed(listed)) return KroSysFail(300, kName);
    if (topos.Size() < 1) return KroSysFail(400, kName);
    _SubElem = KroTopology_var(topos[1]);
    // A first object that is no cell has no dimension: the type stays unset and the writer
    // refuses it, rather than asking an empty cell for its dimension.
    const KroCell_var cell(topos[1]);
    if (!!cell) _GeoType = static_cast<MyGeoType>(static_cast<int>(cell->GetDimension()));
  }

  KroIMmiContract_var contract;
  if (KroFailed(access->GetContract(contract))) return KroSysFail(500, kName);
  if (!contract) return KRO_S_OK;  // written "-1"
  _Contract = contract;
  if (KroFailed(KroMmrContractServices::GetIdentifierOfContract(contract, _ContractId)))
    return KroSysFail(600, kName);
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::GetBodyIdentifier(KroUnicodeString& identifier) {
  identifier = "";
  if (!_Delegate) return KroSysFail(100, "KroMmdStreamDelegateForODT::GetBodyIdentifier");
  KroISpecObject_var spec;
  KroBaseUnknown_var linkable;
  const KroIMmiGeometryAccess_var access(_Delegate);
  if (!!access && KroSucceeded(access->GetLinkableObject(linkable))) spec = linkable;
  if (!spec && KroSucceeded(_Delegate->GetLinkableObject(linkable))) {
    const KroIBRepAccessPriv_var brepAccess(linkable);
    if (!!brepAccess) spec = brepAccess->GetSupportingObject();
  }
  if (!spec) return KRO_S_OK;  // the writer refuses the empty identifier
  // The journaling name, when the feature has one, names it before its spec name.
  const KroIJournalingSpec_var journaling(spec);
  if (!!journaling) identifier = journaling->GetJournalingName();
  if (identifier.IsEmpty()) identifier = spec->GetName();
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::GetMyGeoType(MyGeoType& type) {
  type = _GeoType;
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::GetSubElem(KroTopology_var& subElement) {
  subElement = _SubElem;
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::GetSpecializedStream(KroUnicodeString& specialized) {
  specialized.BuildFromNum(_ContractId, "%d");
  return KRO_S_OK;
}

// ---- Reading. ----

KroResult KroMmdStreamDelegateForODT::GetDelegateFromStream(
    KroUnicodeString& stream, KroINamingContext_var& context, KroIMmiDelegateObject_var& delegate,
    KroIMmiContract_var contract, int bodyLookupMode, unsigned int bodyTag) {
  static const char* const kName = "KroMmdStreamDelegateForODT::GetDelegateFromStream";
  _Clear();
  _NamingContext = context;
  _BodyLookupMode = bodyLookupMode;
  _BodyTag = bodyTag;
  if (KroFailed(ParseGeomLinkForODT(stream))) return KroSysFail(100, kName);
  if (KroFailed(_ComputeDelegateAndContract(delegate, contract))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::GetDelegateFromStream(
    KroUnicodeString& stream, KroINamingContext_var& context, KroIOmbDelegateObject*& delegate,
    KroIOmbUpdateContract_var contract, int bodyLookupMode, unsigned int bodyTag) {
  KroIMmiDelegateObject_var made;
  const KroResult rc = GetDelegateFromStream(stream, context, made, KroIMmiContract_var(contract),
                                             bodyLookupMode, bodyTag);
  if (!!made) {
    void* seen = nullptr;
    made->QueryInterface(KroIOmbDelegateObject::ClassIID(), &seen);
    delegate = static_cast<KroIOmbDelegateObject*>(seen);
  }
  return rc;
}

KroResult KroMmdStreamDelegateForODT::ParseBodyIdentifier(const KroUnicodeString& identifier,
                                                          KroBody_var& body) {
  static const char* const kName = "KroMmdStreamDelegateForODT::ParseBodyIdentifier";
  body = nullptr;
  _Body = nullptr;
  _Spec = nullptr;
  if (identifier.IsEmpty()) return KroSysFail(100, kName);
  if (_BodyLookupMode == kByFeatureName) {
    if (KroFailed(_GetSpecFromName(identifier, _Spec))) return KroSysFail(200, kName);
    _Body = KroMfBRepUtils::GetBody(_Spec);  // empty when no feature has the name
    body = _Body;
    return KRO_S_OK;
  }
  if (_BodyLookupMode == kByBodyTag) {
    // The name is not looked at: the caller's body tag decides.
    const KroIMfBrepContainer_var container(_NamingContext);
    if (!container) return KroSysFail(300, kName);
    KroBrpGraph* graph = container->GetBRepGraph();
    if (graph == nullptr) return KroSysFail(400, kName);
    KroBrpScope* node = graph->GetNodeFromBodyTag(_BodyTag);
    if (node == nullptr) return KroSysFail(500, kName);
    _Body = node->GetBody(1);
    if (!_Body) return KroSysFail(600, kName);
    body = _Body;
    return KRO_S_OK;
  }
  return KroSysFail(6969, kName);
}

KroResult KroMmdStreamDelegateForODT::_GetSpecFromName(KroUnicodeString name,
                                                       KroISpecObject_var& spec) {
  if (!_NamingContext) return KRO_E_FAIL;
  spec = nullptr;
  KroIContainer_var specs, second, third;
  KroBrpGraph* graph = nullptr;
  KroMfBRepUtils::GetAssociatedContainers(_NamingContext, specs, graph, second, third);
  if (!specs) return KRO_S_OK;

  // First by journaling name. A document whose features have none lists nothing here and
  // names them by their spec names.
  _SEQUENCE_KroBaseUnknown_ptr members;
  specs->ListMembersHere(KroIJournalingSpec::ClassName(), members);
  spec = FirstNamed<KroIJournalingSpec>(members, name, [](const KroIJournalingSpec_var& member) {
    return member->GetJournalingName();
  });
  if (!!spec) return KRO_S_OK;

  specs->ListMembersHere(KroISpecObject::ClassName(), members);
  if (members.length() == 0) return KRO_E_FAIL;
  spec = FirstNamed<KroISpecObject>(
      members, name, [](const KroISpecObject_var& member) { return member->GetName(); });
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::SetMyGeoType(MyGeoType type) {
  _GeoType = type;
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::SetSubElem(const KroTopology_var& subElement) {
  _SubElem = subElement;
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::SetSpecializedStream(const KroUnicodeString& specialized) {
  int identifier = 0;
  specialized.ConvertToNum(&identifier, "%d");
  if (KroFailed(KroMmrContractServices::GetContractFromIdentifier(identifier, _Contract)))
    return KroSysFail(100, "KroMmdStreamDelegateForODT::SetSpecializedStream");
  return KRO_S_OK;
}

KroResult KroMmdStreamDelegateForODT::_ComputeDelegateAndContract(
    KroIMmiDelegateObject_var& delegate, KroIMmiContract_var contract) {
  static const char* const kName = "KroMmdStreamDelegateForODT::_ComputeDelegateAndContract";
  delegate = nullptr;
  if (!!contract) _Contract = contract;  // the caller's contract before the stream's

  const KroCell_var cell(_SubElem);
  if (!!cell) {
    KroIBRepAccess_var access;
    if (_BodyLookupMode == kByFeatureName) {
      access = KroBRepDecode(cell, KroIGeometricalElement_var(_Spec));
    } else {
      const KroIContainer_var container(_NamingContext);
      if (!!container) access = KroBRepDecode(container, cell, _Body);
    }
    if (!access) return KRO_S_OK;
    const KroIMmiDelegateBuilder_var builder(access);
    if (!builder) return KroSysFail(200, kName);
    const KroIMmrContractPrivate_var privateContract(_Contract);
    if (!!privateContract) {
      uint32_t flags = 0, version = 0;
      if (KroFailed(privateContract->GetSupportFlags(flags, version)))
        return KroSysFail(300, kName);
      const uint32_t initial = KroIMmrContractPrivate::MfInitialFeatureSupport;
      // The initial feature is not found again from a body tag: success without a delegate.
      if ((flags & initial) == initial && _BodyLookupMode == kByBodyTag) return KRO_S_FALSE;
    }
    builder->MakeDelegate(_Contract, delegate);
    return KRO_S_OK;
  }

  if (_GeoType != Feat || _BodyLookupMode != kByFeatureName) return KroSysFail(6969, kName);
  const KroObject made(KroIMmiGeomDelegateFactory::kLateType, "");
  if (!made) return KroSysFail(400, kName);
  void* seen = nullptr;
  made.QueryInterface(KroIMmiGeomDelegateFactory::ClassIID(), &seen);
  if (seen == nullptr) return KroSysFail(500, kName);
  const KroIMmiGeomDelegateFactory_var factory =
      KroIMmiGeomDelegateFactory_var::Adopt(static_cast<KroIMmiGeomDelegateFactory*>(seen));
  KroIMmiGeometryAccess_var access;
  if (KroFailed(factory->GetGeometryAccess(KroILinkableObject_var(_Spec), _Contract, 0, access)))
    return KroSysFail(600, kName);
  delegate = access;
  return KRO_S_OK;
}

// ---- Selection paths. ----

KroResult KroMmdStreamDelegateForODT::GetStreamFromPathElement(KroPathElement& path,
                                                               KroUnicodeString& stream) {
  const KroIMmiGeomDelegateFactory_var factory = MakeDelegateFactory();
  if (!factory) return KRO_E_FAIL;
  const KroILinkableObject_var linkable(path.CurrentElement());
  if (!linkable) return KRO_E_FAIL;
  KroIMmiGeometryAccess_var access;
  if (KroFailed(factory->GetGeometryAccess(linkable, KroIMmiContract_var(), 0, access)) ||
      !access) {
    return KRO_E_FAIL;
  }
  KroIMmiDelegateObject_var delegate(access);
  if (!delegate) return KRO_E_FAIL;
  return GetStreamFromDelegate(delegate, stream);
}

KroResult KroMmdStreamDelegateForODT::GetPathElementFromStream(
    KroUnicodeString& stream, KroINamingContext_var& context, KroPathElement*& path,
    KroIMmiContract_var contract, int bodyLookupMode, unsigned int bodyTag) {
  if (path != nullptr) return KRO_E_FAIL;
  KroIMmiDelegateObject_var delegate;
  if (KroFailed(
          GetDelegateFromStream(stream, context, delegate, contract, bodyLookupMode, bodyTag))) {
    return KRO_E_FAIL;
  }
  // A read may succeed without a delegate: there is then nothing to give a path for.
  if (!delegate) return KRO_E_FAIL;
  KroBaseUnknown_var linkable;
  const KroResult rc = delegate->GetLinkableObject(linkable);
  if (KroFailed(rc) || !linkable) return KRO_E_FAIL;
  const KroIPathAccess_var access(linkable);
  if (!access) return KRO_E_FAIL;
  KroPathElement* made = nullptr;
  access->GetPathElement(made);
  if (made == nullptr) return KRO_E_FAIL;
  path = made;
  return rc;
}
