// The delegates verb and the writing and reading of delegate streams and Delegate builder
// streams for the kro-odt verbs.
#include "KroOdtDelegates.h"

#include <cstdio>
#include <cstdlib>

#include "KroIBRepAccessPriv.h"
#include "KroIJournalingSpec.h"
#include "KroILinkableObject.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiGeomDelegateFactory.h"
#include "KroIMmiGeometryAccess.h"
#include "KroIMmrContractPrivate.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdDelegateODTStreamBuilder.h"
#include "KroMmdStreamDelegateForODT.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroMmrContractServices.h"
#include "KroObject.h"
#include "KroOdtAccess.h"
#include "KroOdtCellStreams.h"
#include "KroOdtCli.h"
#include "KroOdtTraceWords.h"
#include "KroOmxJson.h"
#include "KroOmxUTF8String.h"
#include "KroSysTraceRecorder.h"

namespace {

KroOdtOutcome Refused(const std::string& why, const std::vector<KroSysTraceEntry>& chain = {}) {
  KroOdtOutcome outcome;
  outcome.ok = false;
  outcome.why = why;
  outcome.chain = chain;
  return outcome;
}

KroOdtOutcome Failed(const std::vector<KroSysTraceEntry>& chain,
                     const std::map<std::string, std::string>& words) {
  std::string why = KroOdtFillPlaceholders(KroOdtExplainTrace(chain), words);
  return Refused(why.empty() ? "the library gave no reason" : why, chain);
}

// Whether some feature of the model goes by the name, journaling or spec.
bool NamesAFeature(const KroMfPart_var& part, const KroUnicodeString& name) {
  for (int f = 1; f <= part->GetFeatureCount(); ++f) {
    const KroISpecObject_var feature = part->GetFeature(f);
    const KroIJournalingSpec_var journaling(feature);
    if ((!!journaling && journaling->GetJournalingName() == name) || feature->GetName() == name)
      return true;
  }
  return false;
}

// Whether the contract that the stream's specialised part names stands for the initial
// feature: the reader then makes no delegate from a body tag.
bool StandsForInitialFeature(const std::string& stream, const KroOdtCompactFields& fields) {
  if (!fields.complete || fields.endAt < 1) return false;
  KroIMmiContract_var contract;
  const KroIMmrContractPrivate_var flags(
      KroOdtParseContract(stream.substr(static_cast<size_t>(fields.endAt - 1),
                                        stream.size() - static_cast<size_t>(fields.endAt)),
                          contract)
          ? contract
          : KroIMmiContract_var());
  uint32_t support = 0, version = 0;
  return !!flags && KroSucceeded(flags->GetSupportFlags(support, version)) &&
         (support & KroIMmrContractPrivate::MfInitialFeatureSupport) != 0;
}

std::string ContractIdentifiers() {
  std::string text;
  for (const int identifier : KroMmrContractServices::GetIdentifiers())
    text += (text.empty() ? "" : ", ") + std::to_string(identifier);
  return text;
}

}  // namespace

bool KroOdtParseContract(const std::string& text, KroIMmiContract_var& contract) {
  char* end = nullptr;
  const long identifier = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || end == nullptr || *end != '\0' || identifier < -1 || identifier > 1000)
    return false;
  return KroSucceeded(
      KroMmrContractServices::GetContractFromIdentifier(static_cast<int>(identifier), contract));
}

KroIMmiDelegateObject_var KroOdtCellDelegate(const KroMfPart_var& part,
                                             const KroOdtCellEntry& entry,
                                             const KroIMmiContract_var& contract) {
  const KroIMmiDelegateBuilder_var builder(KroOdtAccessOf(part, entry, false));
  KroIMmiDelegateObject_var delegate;
  if (!!builder) builder->MakeDelegate(contract, delegate);
  return delegate;
}

KroIMmiDelegateObject_var KroOdtFeatureDelegate(const KroISpecObject_var& feature,
                                                const KroIMmiContract_var& contract) {
  const KroObject made(KroIMmiGeomDelegateFactory::kLateType, "");
  void* seen = nullptr;
  made.QueryInterface(KroIMmiGeomDelegateFactory::ClassIID(), &seen);
  if (seen == nullptr) return KroIMmiDelegateObject_var();
  const KroIMmiGeomDelegateFactory_var factory =
      KroIMmiGeomDelegateFactory_var::Adopt(static_cast<KroIMmiGeomDelegateFactory*>(seen));
  KroIMmiGeometryAccess_var access;
  factory->GetGeometryAccess(KroILinkableObject_var(feature), contract, 0, access);
  return KroIMmiDelegateObject_var(access);
}

KroOdtOutcome KroOdtWriteDelegateStream(const KroIMmiDelegateObject_var& delegate,
                                        std::string& stream) {
  if (!delegate) return Refused("no feature supports it");
  KroSysTraceRecorder recorder;
  KroMmdStreamDelegateForODT writer;
  KroIMmiDelegateObject_var given = delegate;
  KroUnicodeString text;
  if (KroFailed(writer.GetStreamFromDelegate(given, text))) return Failed(recorder.Entries(), {});
  stream = text.ToStdString();
  return KroOdtOutcome();
}

bool KroOdtIsDelegateStream(const std::string& text) {
  const KroOdtCompactFields fields = KroOdtScanCompactStream(text);
  if (fields.version != KroMmdStreamGeomRefForODT::_Version || fields.identifier.IsEmpty())
    return false;
  KroSysTraceRecorder quiet;  // a name is no identifier: that is no failure here
  KroGnIdentifier identifier;
  return KroFailed(
      KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(fields.identifier, identifier));
}

KroOdtOutcome KroOdtReadDelegateStream(const KroMfPart_var& part, const std::string& stream,
                                       const unsigned int* bodyTag,
                                       KroIMmiDelegateObject_var& delegate) {
  const KroOdtCompactFields fields = KroOdtScanCompactStream(stream);
  std::map<std::string, std::string> words = KroOdtStreamPlaceholders(fields);
  if (bodyTag != nullptr) words["<body-tag>"] = std::to_string(*bodyTag);

  KroSysTraceRecorder recorder;
  KroMmdStreamDelegateForODT reader;
  KroUnicodeString text(stream);
  KroINamingContext_var context(part);
  const KroResult rc =
      reader.GetDelegateFromStream(text, context, delegate, KroIMmiContract_var(),
                                   bodyTag != nullptr ? KroMmdStreamDelegateForODT::kByBodyTag
                                                      : KroMmdStreamDelegateForODT::kByFeatureName,
                                   bodyTag != nullptr ? *bodyTag : 0);
  // By name, a name that no feature goes by leaves the reader without a body; say so rather
  // than what failed for want of it.
  const bool unnamed =
      bodyTag == nullptr && !fields.identifier.IsEmpty() && !NamesAFeature(part, fields.identifier);
  if (KroFailed(rc)) {
    KroOdtOutcome outcome = Failed(recorder.Entries(), words);
    if (unnamed && fields.complete)
      outcome.why = KroOdtFillPlaceholders("no feature named <id>", words);
    return outcome;
  }
  if (!delegate) {
    if (unnamed) return Refused(KroOdtFillPlaceholders("no feature named <id>", words));
    if (bodyTag != nullptr && StandsForInitialFeature(stream, fields)) {
      return Refused(
          "its contract stands for the feature as first built, which a body tag does not find");
    }
    return Refused("the cell found has no BRep access to make its delegate");
  }
  return KroOdtOutcome();
}

KroCell_var KroOdtDelegateCell(const KroIMmiDelegateObject_var& delegate) {
  const KroIMmiGeometryAccess_var access(delegate);
  KroBaseUnknown_var linkable;
  KroListValKroBaseUnknown_var topos;
  if (!access || KroFailed(access->GetLinkableObject(linkable)) || !KroIBRepAccess_var(linkable) ||
      KroFailed(access->GetTopologicalObjects(topos)) || topos.Size() < 1)
    return KroCell_var();
  return KroCell_var(topos[1]);
}

KroISpecObject_var KroOdtDelegateFeature(const KroIMmiDelegateObject_var& delegate) {
  KroBaseUnknown_var linkable;
  if (!delegate || KroFailed(delegate->GetLinkableObject(linkable))) return KroISpecObject_var();
  const KroIBRepAccessPriv_var access(linkable);
  return !!access ? KroISpecObject_var(access->GetSupportingObject())
                  : KroISpecObject_var(linkable);
}

bool KroOdtIsDelegateBuilderStream(const std::string& text) {
  KroOmxAny tree;
  if (KroOmxJson::ParseString(KroOmxUTF8String(text), tree) != 0 || !tree.IsMap()) return false;
  for (const char* key :
       {"geomSubElem", "geomElem", "delegateId", "contract", "Get", "Create", "What", "How"}) {
    if (tree.MapFind(key) != nullptr) return true;
  }
  return false;
}

KroOdtOutcome KroOdtReadDelegateBuilderStream(const KroMfPart_var& part, const std::string& stream,
                                              KroIBRepAccess_var& access) {
  KroSysTraceRecorder recorder;
  KroMmdDelegateODTStreamBuilder builder;
  KroMmdBRepAccessODTStreamBuilder geomSubElem;
  if (KroFailed(builder.SetContext(part)) ||
      KroFailed(builder.SetODTStream(KroOdtSupportFirst(stream))) ||
      KroFailed(builder.GetGeomSubElem(geomSubElem)) ||
      KroFailed(geomSubElem.GetBRepAccess(access))) {
    KroOmxAny tree;
    KroOmxJson::ParseString(KroOmxUTF8String(stream), tree);
    const KroOmxAny* inner = tree.IsMap() ? tree.MapFind("geomSubElem") : nullptr;
    return Failed(recorder.Entries(), inner != nullptr && inner->IsMap()
                                          ? KroOdtAccessPlaceholders(*inner)
                                          : std::map<std::string, std::string>());
  }
  if (!access) return Refused("the face has no axis");
  return KroOdtOutcome();
}

int KroOdtRunDelegates(KroOdtArgs& args) {
  int dimension = -1;
  if (args.Has("--dim") && !KroOdtParseDimension(args.Option("--dim"), dimension)) {
    return KroOdtUsageError("--dim takes 0, 1, 2, 3 (vertex, edge, face, volume) or feat, not " +
                            KroOdtQuote(args.Option("--dim")));
  }
  KroIMmiContract_var contract;
  if (args.Has("--contract") && !KroOdtParseContract(args.Option("--contract"), contract)) {
    return KroOdtUsageError("--contract takes a contract identifier (" + ContractIdentifiers() +
                            "), not " + KroOdtQuote(args.Option("--contract")));
  }
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  if (dimension == kKroOdtFeatDimension) {
    int unwritten = 0;
    for (int f = 1; f <= part->GetFeatureCount(); ++f) {
      const KroISpecObject_var feature = part->GetFeature(f);
      std::string stream;
      const KroOdtOutcome outcome =
          KroOdtWriteDelegateStream(KroOdtFeatureDelegate(feature, contract), stream);
      if (outcome.ok) {
        std::printf("%s\n", stream.c_str());
        continue;
      }
      ++unwritten;
      KroOdtReportUnwritten(args,
                            "the delegate stream of feature " + KroOdtIdentifierOf(feature.get()) +
                                " " + KroOdtQuote(feature->GetName().ToStdString()),
                            outcome);
    }
    return unwritten == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
  }

  return KroOdtPrintCellStreams(
      args, KroOdtListCells(part, dimension),
      [&](const KroOdtCellEntry& cell, std::string& stream) {
        return KroOdtWriteDelegateStream(KroOdtCellDelegate(part, cell, contract), stream);
      },
      [](const KroOdtCellEntry& cell) {
        return "the delegate stream of " + KroOdtDescribeCell(cell);
      });
}
