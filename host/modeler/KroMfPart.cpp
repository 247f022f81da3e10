// Part documents: creation from files, kernel models and the sample part; the objects they own
// (which share the document's reference count); features; the spec container.
#include "KroMfPart.h"

#include <cstring>

#include "KroBRepModel.h"
#include "KroBrpGraph.h"
#include "KroIAlias.h"
#include "KroIBRepAccessPriv.h"
#include "KroIGeometricalElement.h"
#include "KroIGnAssociatedObject.h"
#include "KroIJournalingSpec.h"
#include "KroILinkableObject.h"
#include "KroIMmiLogElement.h"
#include "KroIPathAccess.h"
#include "KroISpecObject.h"
#include "KroInterfaceDictionary.h"
#include "KroMfDelegate.h"
#include "KroMfLog.h"
#include "KroMfPartImpl.h"
#include "KroSysBftier.h"

KRO_REGISTER_INTERFACE(KroMfPart);
KRO_REGISTER_INTERFACE(KroMfPartObject);
KRO_REGISTER_INTERFACE(KroINamingContext);
KRO_REGISTER_INTERFACE(KroIMfBrepContainer);
KRO_REGISTER_INTERFACE(KroIContainer);
KRO_REGISTER_INTERFACE(KroISpecObject);
KRO_REGISTER_INTERFACE(KroIAlias);
KRO_REGISTER_INTERFACE(KroIJournalingSpec);
KRO_REGISTER_INTERFACE(KroIGeometricalElement);
KRO_REGISTER_INTERFACE(KroIGnAssociatedObject);

// --- Objects owned by a document -----------------------------------------------------------

KroMfPartObject::KroMfPartObject(KroMfPart* part) : _Part(part) {
  if (_Part) _Part->_Adopt(this);
}

KroMfPartObject::~KroMfPartObject() = default;

unsigned long KroMfPartObject::AddRef() {
  if (!_Part) return KroBaseUnknown::AddRef();
  if (_Part->_Destroying) return 1;
  return _Part->AddRef();
}

unsigned long KroMfPartObject::Release() {
  if (!_Part) return KroBaseUnknown::Release();
  // While the document frees its objects, their references to each other are meaningless.
  if (_Part->_Destroying) return 1;
  return _Part->Release();
}

unsigned long KroMfPartObject::RefCount() const {
  return _Part ? _Part->RefCount() : KroBaseUnknown::RefCount();
}

// --- Features ------------------------------------------------------------------------------

class KroMfFeature : public KroMfPartObject,
                     public virtual KroISpecObject,
                     public virtual KroIGnAssociatedObject,
                     public virtual KroIGeometricalElement,
                     public virtual KroIMmiLogElement,
                     public virtual KroILinkableObject,
                     public virtual KroIPathAccess {
 public:
  KroMfFeature(KroMfPart* part, uint32_t number, const KroMfPart::FeatureDescription& d,
               KroMfBody* body)
      : KroMfPartObject(part), _Number(number), _Name(d.name), _Body(body) {}
  const char* GetLateType() const override { return "KroMfFeature"; }

  KroUnicodeString GetName() const override { return _Name; }
  KroResult GetGnIdentifier(KroGnIdentifier& identifier, int /*option*/) const override {
    identifier = KroGnIdentifier(_Number);
    return KRO_S_OK;
  }
  KroBody_var GetBodyResult() const override { return KroBody_var(_Body); }
  // A feature is the root of its log (made with the document's log on first need).
  int GetLogChildCount() const override {
    const KroMfLog* log = KroMfLog::Of(GetPart());
    return log ? log->GetElementCount(_Number) : 0;
  }
  KroResult GetLogChild(int index, KroListValKroUnicodeString& keys,
                        KroIMmiLogElement_var& child) const override {
    const KroMfLog* log = KroMfLog::Of(GetPart());
    if (log) return log->GetRootChild(_Number, index, keys, child);
    keys.RemoveAll();
    child = nullptr;
    return KRO_E_FAIL;
  }
  // The document, then the feature.
  KroResult GetPathElement(KroPathElement*& path) const override {
    KroMfFeature* self = const_cast<KroMfFeature*>(this);
    path = KroMfMakePath(self, {KroBaseUnknown_var(self)});
    return path != nullptr ? KRO_S_OK : KRO_E_FAIL;
  }

 private:
  uint32_t _Number;
  KroUnicodeString _Name;
  KroMfBody* _Body;
};

namespace {

class KroMfAliasText : public virtual KroIAlias {
 public:
  explicit KroMfAliasText(const std::string& alias) : _Alias(alias) {}
  KroUnicodeString GetAlias() const override { return _Alias; }

 private:
  KroUnicodeString _Alias;
};

class KroMfJournalingText : public virtual KroIJournalingSpec {
 public:
  KroMfJournalingText(const std::string& name, const std::string& reference)
      : _Name(name), _Reference(reference.empty() ? name : reference) {}
  KroUnicodeString GetJournalingName() const override { return _Name; }
  KroResult GetNamingReference(KroUnicodeString& reference) const override {
    reference = _Reference;
    return KRO_S_OK;
  }

 private:
  KroUnicodeString _Name;
  KroUnicodeString _Reference;
};

class KroMfAliasFeature : public KroMfFeature, public KroMfAliasText {
 public:
  KroMfAliasFeature(KroMfPart* part, uint32_t number, const KroMfPart::FeatureDescription& d,
                    KroMfBody* body)
      : KroMfFeature(part, number, d, body), KroMfAliasText(d.alias) {}
};

class KroMfJournalingFeature : public KroMfFeature, public KroMfJournalingText {
 public:
  KroMfJournalingFeature(KroMfPart* part, uint32_t number, const KroMfPart::FeatureDescription& d,
                         KroMfBody* body)
      : KroMfFeature(part, number, d, body),
        KroMfJournalingText(d.journalingName, d.namingReference) {}
};

class KroMfAliasJournalingFeature : public KroMfFeature,
                                    public KroMfAliasText,
                                    public KroMfJournalingText {
 public:
  KroMfAliasJournalingFeature(KroMfPart* part, uint32_t number,
                              const KroMfPart::FeatureDescription& d, KroMfBody* body)
      : KroMfFeature(part, number, d, body),
        KroMfAliasText(d.alias),
        KroMfJournalingText(d.journalingName, d.namingReference) {}
};

KroMfFeature* MakeFeature(KroMfPart* part, uint32_t number, const KroMfPart::FeatureDescription& d,
                          KroMfBody* body) {
  const bool alias = !d.alias.empty();
  const bool journaling = !d.journalingName.empty();
  if (alias && journaling) return new KroMfAliasJournalingFeature(part, number, d, body);
  if (alias) return new KroMfAliasFeature(part, number, d, body);
  if (journaling) return new KroMfJournalingFeature(part, number, d, body);
  return new KroMfFeature(part, number, d, body);
}

void SetMessage(KroUnicodeString* message, const std::string& text) {
  if (message) *message = KroUnicodeString(text);
}

}  // namespace

// --- The document --------------------------------------------------------------------------

KroMfPart::KroMfPart() : _Impl(new Impl) { _Impl->part = this; }

KroMfPart::Impl& KroMfPartImplOf(const KroMfPart& part) { return *part._Impl; }

KroMfPart::~KroMfPart() {
  _Destroying = true;
  for (auto it = _Objects.rbegin(); it != _Objects.rend(); ++it) delete *it;
  _Objects.clear();
}

void KroMfPart::_Adopt(KroMfPartObject* obj) { _Objects.push_back(obj); }

KroResult KroMfPart::Load(const KroUnicodeString& path, KroVar<KroMfPart>& part,
                          KroUnicodeString* message) {
  part = nullptr;
  KroBRepStatus status;
  std::shared_ptr<KroBRepModel> model = KroBRepModel::Load(path.ToStdString(), status);
  if (!model) {
    SetMessage(message, status.message.empty() ? "the file could not be read" : status.message);
    KroSysBftier(100, "KroMfPart::Load", 0);
    return KRO_E_FAIL;
  }
  if (KroFailed(CreateFromModel(model, part, message))) {
    KroSysBftier(200, "KroMfPart::Load", 0);
    return KRO_E_FAIL;
  }
  return KRO_S_OK;
}

KroResult KroMfPart::CreateFromModel(const std::shared_ptr<KroBRepModel>& model,
                                     KroVar<KroMfPart>& part, KroUnicodeString* message) {
  part = nullptr;
  if (!model) {
    SetMessage(message, "no model");
    KroSysBftier(100, "KroMfPart::CreateFromModel", 0);
    return KRO_E_FAIL;
  }
  std::vector<FeatureDescription> features;
  for (const KroBRepFeature& f : model->Features()) {
    FeatureDescription d;
    d.name = f.name;
    d.alias = f.alias;
    d.journalingName = f.journalingName;
    d.solidIndex = f.solidIndex;
    features.push_back(d);
  }
  if (features.empty()) {  // a model without a feature list: one feature per solid
    for (int i = 0; i < model->SolidCount(); ++i) {
      FeatureDescription d;
      d.name = model->Solid(i)->Name();
      d.solidIndex = i;
      features.push_back(d);
    }
  }
  if (KroFailed(CreateFromModel(model, features, part, message))) {
    KroSysBftier(200, "KroMfPart::CreateFromModel", 0);
    return KRO_E_FAIL;
  }
  return KRO_S_OK;
}

KroResult KroMfPart::CreateFromModel(const std::shared_ptr<KroBRepModel>& model,
                                     const std::vector<FeatureDescription>& features,
                                     KroVar<KroMfPart>& part, KroUnicodeString* message) {
  part = nullptr;
  if (!model || model->SolidCount() <= 0) {
    SetMessage(message, "the model has no solid");
    KroSysBftier(100, "KroMfPart::CreateFromModel", 0);
    return KRO_E_FAIL;
  }
  if (features.empty()) {
    SetMessage(message, "no feature");
    KroSysBftier(200, "KroMfPart::CreateFromModel", 0);
    return KRO_E_FAIL;
  }
  for (const FeatureDescription& d : features) {
    if (d.solidIndex < 0 || d.solidIndex >= model->SolidCount()) {
      SetMessage(message, "feature \"" + d.name + "\" names no solid of the model");
      KroSysBftier(300, "KroMfPart::CreateFromModel", 0);
      return KRO_E_FAIL;
    }
  }

  KroVar<KroMfPart> made = KroVar<KroMfPart>::Adopt(new KroMfPart);
  KroMfPart* doc = made.get();
  Impl& impl = *doc->_Impl;
  impl.model = model;
  impl.factory = KroMfMakeGeoFactory(doc);
  for (int i = 0; i < model->SolidCount(); ++i) {
    KroMfBody* body = new KroMfBody(doc, model->Solid(i));
    impl.bodies.push_back(body);
    impl.bodiesByTag[body->GetTag()] = body;
  }
  impl.graph = new KroBrpGraph(doc);
  uint32_t number = 0;
  for (const FeatureDescription& d : features) {
    KroMfBody* body = impl.bodies[static_cast<size_t>(d.solidIndex)];
    KroMfFeature* feature = MakeFeature(doc, ++number, d, body);
    impl.features.push_back(feature);
    impl.graph->AddScope(feature, body);
  }
  part = made;
  return KRO_S_OK;
}

KroResult KroMfPart::CreateSamplePart(KroVar<KroMfPart>& part, KroUnicodeString* message) {
  part = nullptr;
  KroBRepStatus status;
  std::shared_ptr<KroBRepModel> model = KroBRepModel::MakeSamplePart(&status);
  if (!model) {
    SetMessage(message, status.message);
    KroSysBftier(100, "KroMfPart::CreateSamplePart", 0);
    return KRO_E_FAIL;
  }
  if (KroFailed(CreateFromModel(model, part, message))) {
    KroSysBftier(200, "KroMfPart::CreateSamplePart", 0);
    return KRO_E_FAIL;
  }
  return KRO_S_OK;
}

KroMfPart* KroMfPart::FromContext(KroBaseUnknown* context) {
  if (!context) return nullptr;
  if (KroMfPart* part = dynamic_cast<KroMfPart*>(context)) return part;
  if (KroMfPartObject* object = dynamic_cast<KroMfPartObject*>(context)) return object->GetPart();
  // A BRep access belongs to no document, but leads to the feature that supports it.
  if (KroIBRepAccessPriv* access = dynamic_cast<KroIBRepAccessPriv*>(context))
    return FromContext(access->GetSupportingObject().get());
  return nullptr;
}

KroBrpGraph* KroMfPart::GetBRepGraph() const { return _Impl->graph; }

KroResult KroMfPart::ListMembersHere(const char* interfaceName,
                                     _SEQUENCE_KroBaseUnknown_ptr& members) const {
  members.length(0);
  if (!interfaceName) return KRO_E_FAIL;
  const bool any = std::strcmp(interfaceName, KroBaseUnknown::InterfaceName()) == 0;
  KroInterfaceCaster caster = any ? nullptr : KroInterfaceDictionary::FindCaster(interfaceName);
  if (!any && !caster) return KRO_S_OK;
  for (KroMfFeature* feature : _Impl->features) {
    KroBaseUnknown* member = feature;
    if (!any && !caster(member)) continue;
    member->AddRef();
    members.append(member);
  }
  return KRO_S_OK;
}

KroGeoFactory_var KroMfPart::GetGeoFactory() const { return KroGeoFactory_var(_Impl->factory); }

int KroMfPart::GetFeatureCount() const { return static_cast<int>(_Impl->features.size()); }

KroISpecObject_var KroMfPart::GetFeature(int index) const {
  if (index < 1 || index > GetFeatureCount()) return KroISpecObject_var();
  return KroISpecObject_var(_Impl->features[static_cast<size_t>(index - 1)]);
}

KroISpecObject_var KroMfPart::FindFeature(const KroUnicodeString& name) const {
  for (KroMfFeature* feature : _Impl->features)
    if (feature->GetName() == name) return KroISpecObject_var(feature);
  return KroISpecObject_var();
}

int KroMfPart::GetBodyCount() const { return static_cast<int>(_Impl->bodies.size()); }

KroBody_var KroMfPart::GetBody(int index) const {
  if (index < 1 || index > GetBodyCount()) return KroBody_var();
  return KroBody_var(_Impl->bodies[static_cast<size_t>(index - 1)]);
}

KroBody_var KroMfPart::GetMainBody() const {
  if (_Impl->features.empty()) return KroBody_var();
  return _Impl->features.back()->GetBodyResult();
}

const std::shared_ptr<KroBRepModel>& KroMfPart::GetModel() const { return _Impl->model; }
