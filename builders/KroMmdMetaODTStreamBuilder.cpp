// Meta builder: the inner builder made from "type", read from "value" and written with "format".
#include "KroMmdMetaODTStreamBuilder.h"

#include <iterator>
#include <new>

#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdDelegateODTStreamBuilder.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroSysBftier.h"

namespace {

// Made and copied without throwing: a builder that cannot be made is a null pointer.
template <class B>
KroMmdODTStreamBuilder* Make() {
  return new (std::nothrow) B();
}

template <class B>
KroMmdODTStreamBuilder* CopyOf(const KroMmdODTStreamBuilder& builder) {
  return new (std::nothrow) B(static_cast<const B&>(builder));
}

struct Kind {
  const char* name;  // the "type" value, compared exactly
  KroMmdODTStreamBuilder* (*make)();
  KroMmdODTStreamBuilder* (*copy)(const KroMmdODTStreamBuilder&);
};

// The type table, in the order in which "type" is compared. A selection result has no entry.
const Kind kKinds[] = {
    {"Meta", Make<KroMmdMetaODTStreamBuilder>, CopyOf<KroMmdMetaODTStreamBuilder>},
    {"GNAOSpec", Make<KroMmdGNAOSpecODTStreamBuilder>, CopyOf<KroMmdGNAOSpecODTStreamBuilder>},
    {"LogElement", Make<KroMmdLogElementODTStreamBuilder>,
     CopyOf<KroMmdLogElementODTStreamBuilder>},
    {"BRepAccess", Make<KroMmdBRepAccessODTStreamBuilder>,
     CopyOf<KroMmdBRepAccessODTStreamBuilder>},
    {"Delegate", Make<KroMmdDelegateODTStreamBuilder>, CopyOf<KroMmdDelegateODTStreamBuilder>},
};
constexpr int kMetaKind = 0;
constexpr int kKindCount = static_cast<int>(std::size(kKinds));

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life cycle

KroMmdMetaODTStreamBuilder::KroMmdMetaODTStreamBuilder() : _Kind(-1), _Depth(0) {}

KroMmdMetaODTStreamBuilder::KroMmdMetaODTStreamBuilder(const KroMmdMetaODTStreamBuilder& other)
    : KroMmdODTStreamBuilder(other), _Format(other._Format), _Kind(-1), _Depth(other._Depth) {
  if (other._Builder) {
    _Builder.reset(kKinds[other._Kind].copy(*other._Builder));
    if (_Builder) _Kind = other._Kind;
  }
}

KroMmdMetaODTStreamBuilder& KroMmdMetaODTStreamBuilder::operator=(
    const KroMmdMetaODTStreamBuilder& other) {
  if (this == &other) return *this;
  // other may belong to the chain under this builder: copy all of it before anything here goes.
  std::unique_ptr<KroMmdODTStreamBuilder> copy;
  if (other._Builder) copy.reset(kKinds[other._Kind].copy(*other._Builder));
  const int kind = copy ? other._Kind : -1;
  KroMmdODTStreamBuilder::operator=(other);
  _Format = other._Format;
  _Builder = std::move(copy);  // may free other
  _Kind = kind;
  return *this;
}

KroMmdMetaODTStreamBuilder::~KroMmdMetaODTStreamBuilder() = default;

// ---------------------------------------------------------------------------------------------
// Writing the inner builder

KroResult KroMmdMetaODTStreamBuilder::GetMetaODTStream(KroUnicodeString& stream) {
  static const char* const kName = "KroMmdMetaODTStreamBuilder::GetMetaODTStream";
  if (!_Builder) return KroSysFail(100, kName);
  if (KroFailed(_Builder->GetODTStream(_Format, stream))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Declared inputs and dispatch

KroResult KroMmdMetaODTStreamBuilder::DeclareInputs() {
  static const char* const kName = "KroMmdMetaODTStreamBuilder::DeclareInputs";
  if (KroFailed(DeclareInput("", "type", 1, 0))) return KroSysFail(100, kName);
  if (KroFailed(DeclareInput("", "format", 1, 0))) return KroSysFail(200, kName);
  if (KroFailed(DeclareInput("", "value", 1, 0))) return KroSysFail(300, kName);
  return KRO_S_OK;
}

KroResult KroMmdMetaODTStreamBuilder::SetValueStream(const KroUnicodeString& key,
                                                     const KroUnicodeString& value) {
  static const char* const kName = "KroMmdMetaODTStreamBuilder::SetValueStream";
  if (key == "type") {
    _Builder.reset();
    _Kind = -1;
    int kind = 0;
    while (kind < kKindCount && value != kKinds[kind].name) ++kind;
    if (kind == kKindCount) return KroSysFail(1111, kName);
    // Each level of a chain of "Meta" streams is read from within the level above.
    if (kind == kMetaKind && _Depth >= kMaxNesting) return KroSysFail(100, kName);
    _Builder.reset(kKinds[kind].make());
    if (!_Builder) return KroSysFail(100, kName);
    _Kind = kind;
    if (kind == kMetaKind) static_cast<KroMmdMetaODTStreamBuilder&>(*_Builder)._Depth = _Depth + 1;
    if (KroFailed(_Builder->SetContext(GetContext()))) return KroSysFail(200, kName);
  } else if (key == "format") {
    _Format = value;
  } else if (key == "value") {
    if (!_Builder) return KroSysFail(300, kName);
    if (KroFailed(_Builder->SetODTStream(value))) return KroSysFail(400, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

KroResult KroMmdMetaODTStreamBuilder::GetValueStream(const KroUnicodeString& /*key*/,
                                                     const KroUnicodeString& /*format*/,
                                                     KroUnicodeString& /*out*/) {
  return KRO_S_OK;
}
