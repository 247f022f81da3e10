// LogElement builder: a log element named by its root and its path in the root's log table.
// It and the GNAOSpec builder nest each other on purpose: the include cycle is wanted.
#include "KroMmdLogElementODTStreamBuilder.h"

#include "KroISpecObject.h"
#include "KroMfAlgoConfigServices.h"
#include "KroMmiLogProtocolKeys.h"
#include "KroMmrLogElementTable.h"
#include "KroMmrLogTransactionContext.h"
#include "KroSoftwareConfiguration.h"
#include "KroSysBftier.h"

namespace {

// Paths are written and read with this separator between keys.
const char* const kPathSeparator = ".";

// The software configuration of the root, held so that it is released on every path.
KroSoftwareConfiguration_var ConfigurationOf(const KroIGnAssociatedObject_var& root) {
  KroSoftwareConfiguration* configuration = nullptr;
  int flag = 0;
  KroISpecObject_var spec(root);
  if (KroFailed(KroMfAlgoConfigServices::GetConfiguration(spec.get(), configuration, flag)))
    return KroSoftwareConfiguration_var();
  return KroSoftwareConfiguration_var::Adopt(configuration);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life cycle

KroMmdLogElementODTStreamBuilder::KroMmdLogElementODTStreamBuilder() = default;

KroMmdLogElementODTStreamBuilder::KroMmdLogElementODTStreamBuilder(
    const KroMmdLogElementODTStreamBuilder& other)
    : KroMmdODTStreamBuilder(other), _Root(other._Root), _LogElement(other._LogElement) {}

KroMmdLogElementODTStreamBuilder& KroMmdLogElementODTStreamBuilder::operator=(
    const KroMmdLogElementODTStreamBuilder& other) {
  if (this != &other) {
    KroMmdODTStreamBuilder::operator=(other);
    _Root = other._Root;
    _LogElement = other._LogElement;
  }
  return *this;
}

KroMmdLogElementODTStreamBuilder::~KroMmdLogElementODTStreamBuilder() = default;

// ---------------------------------------------------------------------------------------------
// Accessors

KroResult KroMmdLogElementODTStreamBuilder::SetLogElement(const KroIMmiLogElement_var& element) {
  static const char* const kName = "KroMmdLogElementODTStreamBuilder::SetLogElement";
  KroIGnAssociatedObject_var named(element);
  if (!named) return KroSysFail(100, kName);
  KroGnIdentifier identifier;
  if (KroFailed(named->GetGnIdentifier(identifier, 0))) return KroSysFail(200, kName);
  uint32_t rootNumber = 0;
  uint32_t number = 0;
  if (KroFailed(identifier.GetULong32X2(rootNumber, number))) return KroSysFail(300, kName);
  _LogElement = element;
  if (KroFailed(_Root.SetContext(GetContext()))) return KroSysFail(400, kName);
  // The root is the associated object whose identifier is the first number alone.
  if (KroFailed(_Root.SetDiezele(rootNumber))) return KroSysFail(500, kName);
  return KRO_S_OK;
}

KroResult KroMmdLogElementODTStreamBuilder::GetLogElement(KroIMmiLogElement_var& element) {
  element = _LogElement;
  return KRO_S_OK;
}

KroResult KroMmdLogElementODTStreamBuilder::GetSpecGNAO(KroIGnAssociatedObject_var& object) {
  object = KroIGnAssociatedObject_var(_LogElement);
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Declared inputs and dispatch

KroResult KroMmdLogElementODTStreamBuilder::DeclareInputs() {
  static const char* const kName = "KroMmdLogElementODTStreamBuilder::DeclareInputs";
  // Both are mandatory conjuncts: every stream names the root and the path.
  if (KroFailed(DeclareInput("", "root", 1, 0))) return KroSysFail(100, kName);
  if (KroFailed(DeclareInput("", "logPath", 1, 0))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdLogElementODTStreamBuilder::SetValueStream(const KroUnicodeString& key,
                                                           const KroUnicodeString& value) {
  static const char* const kName = "KroMmdLogElementODTStreamBuilder::SetValueStream";
  if (key == "root") {
    if (KroFailed(_SetRootStream(value))) return KroSysFail(200, kName);
  } else if (key == "logPath") {
    if (KroFailed(_SetLogPathStream(value))) return KroSysFail(300, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

KroResult KroMmdLogElementODTStreamBuilder::GetValueStream(const KroUnicodeString& key,
                                                           const KroUnicodeString& format,
                                                           KroUnicodeString& out) {
  static const char* const kName = "KroMmdLogElementODTStreamBuilder::GetValueStream";
  out = "";
  if (key == "root") {
    if (KroFailed(_GetRootStream(format, out))) return KroSysFail(200, kName);
  } else if (key == "logPath") {
    if (KroFailed(_GetLogPathStream(out))) return KroSysFail(300, kName);
  } else {
    return KroSysFail(6969, kName);
  }
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Root

KroResult KroMmdLogElementODTStreamBuilder::_SetRootStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdLogElementODTStreamBuilder::_SetRootStream";
  if (KroFailed(_Root.SetContext(GetContext()))) return KroSysFail(100, kName);
  if (KroFailed(_Root.SetODTStream(value))) return KroSysFail(200, kName);
  return KRO_S_OK;
}

KroResult KroMmdLogElementODTStreamBuilder::_GetRootStream(const KroUnicodeString& format,
                                                           KroUnicodeString& out) {
  out = "";
  if (KroFailed(_Root.GetODTStream(format, out)))
    return KroSysFail(100, "KroMmdLogElementODTStreamBuilder::_GetRootStream");
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Path

KroResult KroMmdLogElementODTStreamBuilder::_SetLogPathStream(const KroUnicodeString& value) {
  static const char* const kName = "KroMmdLogElementODTStreamBuilder::_SetLogPathStream";
  _LogElement = nullptr;
  KroIGnAssociatedObject_var root;
  if (KroFailed(_Root.GetGNAO(root)) || !root) return KroSysFail(100, kName);
  KroSoftwareConfiguration_var configuration = ConfigurationOf(root);
  if (!configuration) return KroSysFail(200, kName);
  KroMmrLogTransactionContext transaction(configuration.get(),
                                          KroIMmiLogTransactionPriv::ReadTransaction);
  KroMmrLogElementTable table(transaction);
  KroIMmiLogElement_var rootElement(root);
  if (!rootElement) return KroSysFail(300, kName);
  if (KroFailed(table.Init(rootElement.get()))) return KroSysFail(400, kName);
  if (KroFailed(table.QueryLogSelector(rootElement.get(), value, _LogElement)))
    return KroSysFail(500, kName);
  return KRO_S_OK;
}

KroResult KroMmdLogElementODTStreamBuilder::_GetLogPathStream(KroUnicodeString& out) {
  static const char* const kName = "KroMmdLogElementODTStreamBuilder::_GetLogPathStream";
  out = "";
  KroIGnAssociatedObject_var root;
  if (KroFailed(_Root.GetGNAO(root))) return KroSysFail(100, kName);
  KroIMmiLogElement_var rootElement(root);
  if (!rootElement) return KroSysFail(200, kName);
  KroSoftwareConfiguration_var configuration = ConfigurationOf(root);
  if (!configuration) return KroSysFail(200, kName);
  KroMmrLogTransactionContext transaction(configuration.get(),
                                          KroIMmiLogTransactionPriv::ReadTransaction);
  KroMmrLogElementTable table(transaction);
  if (KroFailed(table.Init(rootElement.get()))) return KroSysFail(400, kName);
  KroListValKroIMmiLogElement_var constructed;
  const KroUnicodeString selector =
      KroUnicodeString(KroMmiLogProtocolKeys::GFLog::_Construction) + "//*";
  if (KroFailed(table.QueryLogSelectorAll(rootElement.get(), selector, constructed)))
    return KroSysFail(500, kName);
  KroListValKroUnicodeString paths;
  if (KroFailed(table.GetLogPathes(_LogElement.get(), kPathSeparator, paths)))
    return KroSysFail(600, kName);
  // A path must name the element alone, and the element must have one to be named at all.
  if (paths.Size() != 1) return KroSysFail(700, kName);
  out = paths[1];
  return KRO_S_OK;
}
