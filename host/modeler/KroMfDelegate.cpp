// Delegates of part documents and the geometric delegate factory, made by its late type
// "DelegateFactory": a feature gives a whole-feature delegate, a BRep access the delegate of its
// cell.
#include "KroMfDelegate.h"

#include "KroIBRepAccess.h"
#include "KroIGeometricalElement.h"
#include "KroILinkableObject.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiGeomDelegateFactory.h"
#include "KroIOmbDelegateObject.h"
#include "KroISpecObject.h"
#include "KroInterfaceDictionary.h"
#include "KroMfPart.h"
#include "KroObject.h"

KRO_REGISTER_INTERFACE(KroILinkableObject);
KRO_REGISTER_INTERFACE(KroIMmiDelegateObject);
KRO_REGISTER_INTERFACE(KroIMmiGeometryAccess);
KRO_REGISTER_INTERFACE(KroIOmbDelegateObject);
KRO_REGISTER_INTERFACE(KroIMmiDelegateBuilder);
KRO_REGISTER_INTERFACE(KroIMmiGeomDelegateFactory);

namespace {

class KroMfDelegate : public virtual KroIMmiGeometryAccess, public virtual KroIOmbDelegateObject {
 public:
  KroMfDelegate(const KroBaseUnknown_var& linkable, const KroListValKroBaseUnknown_var& topos,
                const KroIMmiContract_var& contract)
      : _Linkable(linkable), _Topos(topos), _Contract(contract) {}
  const char* GetLateType() const override { return "KroMfDelegate"; }

  KroResult GetLinkableObject(KroBaseUnknown_var& object) const override {
    object = _Linkable;
    return !object ? KRO_E_FAIL : KRO_S_OK;
  }
  KroResult GetTopologicalObjects(KroListValKroBaseUnknown_var& objects) const override {
    objects = _Topos;
    return KRO_S_OK;
  }
  KroResult GetContract(KroIMmiContract_var& contract) const override {
    contract = _Contract;
    return KRO_S_OK;
  }

 private:
  ~KroMfDelegate() override = default;

  KroBaseUnknown_var _Linkable;
  KroListValKroBaseUnknown_var _Topos;
  KroIMmiContract_var _Contract;
};

class KroMfDelegateFactory : public virtual KroIMmiGeomDelegateFactory {
 public:
  const char* GetLateType() const override { return KroIMmiGeomDelegateFactory::kLateType; }

  KroResult GetGeometryAccess(const KroILinkableObject_var& object,
                              const KroIMmiContract_var& contract, int /*option*/,
                              KroIMmiGeometryAccess_var& access) const override {
    access = nullptr;
    if (!object) return KRO_E_FAIL;
    // A cell: the delegate its BRep access makes.
    if (KroIBRepAccess_var(object)) {
      const KroIMmiDelegateBuilder_var builder(object);
      KroIMmiDelegateObject_var delegate;
      if (!builder || KroFailed(builder->MakeDelegate(contract, delegate))) return KRO_E_FAIL;
      access = delegate;
      return KRO_S_OK;
    }
    // A feature: the whole feature, whose topology is its body.
    const KroIGeometricalElement_var feature(object);
    if (!feature || !KroISpecObject_var(object)) return KRO_S_OK;
    KroListValKroBaseUnknown_var topos;
    const KroBody_var body = feature->GetBodyResult();
    if (!!body) topos.Append(KroBaseUnknown_var(body));
    access = KroMfMakeDelegate(KroBaseUnknown_var(object), topos, contract);
    return KRO_S_OK;
  }

 private:
  ~KroMfDelegateFactory() override = default;
};

KroBaseUnknown* MakeFactory(const char* /*argument*/) { return new KroMfDelegateFactory; }

const bool kFactoryRegistered =
    (KroObject::RegisterLateType(KroIMmiGeomDelegateFactory::kLateType, &MakeFactory), true);

}  // namespace

KroIMmiGeometryAccess_var KroMfMakeDelegate(const KroBaseUnknown_var& linkable,
                                            const KroListValKroBaseUnknown_var& topos,
                                            const KroIMmiContract_var& contract) {
  return KroIMmiGeometryAccess_var::Adopt(new KroMfDelegate(linkable, topos, contract));
}

KroPathElement* KroMfMakePath(KroBaseUnknown* object,
                              const std::vector<KroBaseUnknown_var>& elements) {
  KroMfPart* part = KroMfPart::FromContext(object);
  if (part == nullptr) return nullptr;
  std::vector<KroBaseUnknown_var> path = {KroBaseUnknown_var(part)};
  path.insert(path.end(), elements.begin(), elements.end());
  return KroPathElement::Create(path);
}
