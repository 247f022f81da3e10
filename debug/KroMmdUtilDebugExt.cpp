// The debugging extension of BRep accesses: its meta object, its creation and the dump.
#include "KroMmdUtilDebugExt.h"

#include <new>

#include "KroIBRepAccess.h"
#include "KroIMmiContract.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiDelegateObject.h"
#include "KroMmdStreamDelegateForODT.h"
#include "KroOMGuard.h"
#include "KroSysBftier.h"
#include "KroVyxOutput.h"
#include "ToCreateBOA.h"
#include "VyxTkCompatCtx.h"

namespace {
// The framework under which the host finds the library.
const char* const kFramework = "KroOdt";

const KroMetaClass* g_Meta = nullptr;

// The extension factory: a new extension with one reference, or null.
KroBaseUnknown* MakeExtension() { return new (std::nothrow) KroMmdUtilDebugExt; }
}  // namespace

KroMmdUtilDebugExt::KroMmdUtilDebugExt() = default;

KroMmdUtilDebugExt::~KroMmdUtilDebugExt() = default;

const KroMetaClass* KroMmdUtilDebugExt::MetaObject() {
  KroOMGuard guard;
  if (g_Meta == nullptr) {
    g_Meta = KroMetaClass::Retrieve("KroMmdUtilDebugExt", KroClassCodeExtension,
                                    KroIMmrUtilDebug::MetaObject(), "KroBRepAccessImpl", kFramework,
                                    sizeof(KroMmdUtilDebugExt));
  }
  return g_Meta;
}

const KroMetaClass* KroMmdUtilDebugExt::GetMetaObject() const { return MetaObject(); }

const char* KroMmdUtilDebugExt::IsA() const {
  const KroMetaClass* meta = MetaObject();
  return meta != nullptr ? meta->IsA() : "KroMmdUtilDebugExt";
}

bool KroMmdUtilDebugExt::IsAKindOf(const char* className) const {
  const KroMetaClass* meta = MetaObject();
  return meta != nullptr && meta->IsAKindOf(className);
}

long KroMmdUtilDebugExt::DumpStreamTrefle(KroUnicodeString label) const {
  static const char* const kName = "KroMmdUtilDebugExt::DumpStreamTrefle";
  KroMmdStreamDelegateForODT writer;
  KroUnicodeString stream;
  const KroUnicodeString suffix("_StreamTrefleBRepAccess");

  VyxTkCompatCtx block;
  try {
    // The extension answers for the access it extends.
    const KroIBRepAccess_var access(const_cast<KroMmdUtilDebugExt*>(this));
    if (!access) return KroSysFail(9001, kName);
    const KroIMmiDelegateBuilder_var builder(access);
    if (!builder) return KroSysFail(9002, kName);
    KroIMmiDelegateObject_var delegate;
    (void)builder->MakeDelegate(KroIMmiContract_var(), delegate);
    if (!delegate) return KroSysFail(9003, kName);
    // A stream that cannot be written is dumped empty.
    (void)writer.GetStreamFromDelegate(delegate, stream);
    if (MMD_ACTIVATE_DUMPSTREAMTREFLE(label) != 0) {
      KroVyxOutput::GetOut() << label << suffix << "  " << stream << '\n';
    }
  } catch (KroError& error) {
    try {
      Flush(error);
      block.Close();
      return KroSysFail(9099, kName);
    } catch (KroError& again) {
      VyxTkCompatCtx::Rethrow(again);
    }
  }
  block.Close();
  return 0;
}

extern "C" KroBaseUnknown* CreateBOAKroIMmrUtilDebugKroMmdUtilDebugExt(
    KroBaseUnknown* object, KroBaseUnknown* implementation) {
  return ToCreateBOA(object, implementation, KroMmdUtilDebugExt::MetaObject(),
                     KroIMmrUtilDebug::ClassIID(), &MakeExtension);
}
