// The access verb and the writing and reading of BRepAccess streams for the kro-odt verbs.
#include "KroOdtAccess.h"

#include <cstdio>
#include <string>

#include "KroBRepDecode.h"
#include "KroBrpGraph.h"
#include "KroBrpScope.h"
#include "KroMfGNServices.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroOdtCellStreams.h"
#include "KroOdtCli.h"
#include "KroOdtTraceWords.h"
#include "KroOmxAny.h"
#include "KroOmxJson.h"
#include "KroOmxJsonWriter.h"
#include "KroOmxUTF8String.h"
#include "KroSysTraceRecorder.h"

namespace {

KroOdtOutcome Failed(const std::vector<KroSysTraceEntry>& chain,
                     const std::map<std::string, std::string>& words) {
  KroOdtOutcome outcome;
  outcome.ok = false;
  outcome.chain = chain;
  outcome.why = KroOdtFillPlaceholders(KroOdtExplainTrace(chain), words);
  if (outcome.why.empty()) outcome.why = "the library gave no reason";
  return outcome;
}

KroOdtOutcome Refused(const std::string& why) {
  KroOdtOutcome outcome;
  outcome.ok = false;
  outcome.why = why;
  return outcome;
}

bool ParseObject(const std::string& text, KroOmxAny& tree) {
  return KroOmxJson::ParseString(KroOmxUTF8String(text), tree) == 0 && tree.IsMap();
}

// A parsed JSON value as text again, every kind as it was (a builder refuses what it would
// refuse in the original).
std::string JsonText(const KroOmxAny& value) {
  switch (value.GetKind()) {
    case KroOmxAny::kString:
      return KroOmxJsonWriter::Quote(value.GetString().ToStdString());
    case KroOmxAny::kBoolean:
      return value.GetBoolean() ? "true" : "false";
    case KroOmxAny::kInteger:
      return std::to_string(value.GetInteger());
    case KroOmxAny::kReal: {
      char number[32];
      std::snprintf(number, sizeof number, "%.17g", value.GetReal());
      return number;
    }
    case KroOmxAny::kList: {
      std::string text = "[";
      for (int i = 1; i <= value.Size(); ++i) text += (i == 1 ? "" : ",") + JsonText(value[i]);
      return text + "]";
    }
    case KroOmxAny::kMap: {
      std::string text = "{";
      for (const KroOmxAny::Item& item : value.MapItems()) {
        if (text.size() > 1) text += ",";
        text += KroOmxJsonWriter::Quote(item.first.ToStdString()) + ":" + JsonText(item.second);
      }
      return text + "}";
    }
    default:
      return "null";
  }
}

}  // namespace

// Moves "support" first in every object of the tree that has it; true when one moved.
static bool MoveSupportFirst(KroOmxAny& value) {
  bool moved = false;
  if (value.IsList()) {
    KroOmxAny list;
    list.CreateList();
    for (int i = 1; i <= value.Size(); ++i) {
      KroOmxAny item = value[i];
      moved = MoveSupportFirst(item) || moved;
      list.Append(item);
    }
    if (moved) value = list;
    return moved;
  }
  if (!value.IsMap()) return false;
  KroOmxAny map;
  map.CreateMap();
  if (const KroOmxAny* support = value.MapFind("support")) {
    moved = value.MapItems().front().first != "support";
    map.MapSetValue("support", *support);
  }
  for (const KroOmxAny::Item& item : value.MapItems()) {
    KroOmxAny member = item.second;
    moved = MoveSupportFirst(member) || moved;
    map.MapSetValue(item.first, member);
  }
  if (moved) value = map;
  return moved;
}

std::map<std::string, std::string> KroOdtAccessPlaceholders(const KroOmxAny& tree) {
  std::map<std::string, std::string> words;
  for (const KroOmxAny::Item& item : tree.MapItems()) {
    if (item.first == "support" || !item.second.IsString()) continue;
    words["<value>"] = KroOdtQuote(item.second.GetString().ToStdString());
    if (item.first == "geomReroute") {
      KroOdtCompactFields fields;
      KroMmdGeomSelectorForODT::ScanGeomSelectorForODT(item.second.GetString(), fields);
      for (const auto& [name, word] : KroOdtStreamPlaceholders(fields)) words[name] = word;
    }
  }
  return words;
}

KroIBRepAccess_var KroOdtAccessOf(const KroMfPart_var& part, const KroOdtCellEntry& entry,
                                  bool axis) {
  KroBrpGraph* graph = KroMfGNServices::GetGraph(part);
  KroBrpScope* scope = graph != nullptr ? graph->GetScope(entry.body.get()) : nullptr;
  if (scope == nullptr) return KroIBRepAccess_var();
  const KroIGeometricalElement_var feature(scope->GetAssociatedObject());
  return axis ? KroBRepDecodeAxis(entry.cell, feature) : KroBRepDecode(entry.cell, feature);
}

KroOdtOutcome KroOdtWriteAccessStream(const KroMfPart_var& part, const KroIBRepAccess_var& access,
                                      const std::string& query, std::string& stream) {
  if (!access) return Refused("no feature supports the cell");
  KroSysTraceRecorder recorder;
  KroMmdBRepAccessODTStreamBuilder builder;
  KroUnicodeString text;
  if (KroFailed(builder.SetContext(part)) || KroFailed(builder.SetBRepAccess(access)) ||
      KroFailed(builder.GetODTStream(query, text))) {
    return Failed(recorder.Entries(), {});
  }
  stream = text.ToStdString();
  return KroOdtOutcome();
}

bool KroOdtIsAccessStream(const std::string& text) {
  KroOmxAny tree;
  return ParseObject(text, tree) && tree.MapFind("support") != nullptr;
}

std::string KroOdtAccessMember(const std::string& stream, const std::string& key) {
  KroOmxAny tree;
  const KroOmxAny* member = ParseObject(stream, tree) ? tree.MapFind(key) : nullptr;
  return member != nullptr && member->IsString() ? member->GetString().ToStdString() : "";
}

std::string KroOdtSupportFirst(const std::string& stream) {
  KroOmxAny tree;
  if (KroOmxJson::ParseString(KroOmxUTF8String(stream), tree) != 0 || !MoveSupportFirst(tree))
    return stream;
  return JsonText(tree);
}

KroOdtOutcome KroOdtReadAccessStream(const KroMfPart_var& part, const std::string& stream,
                                     KroIBRepAccess_var& access) {
  KroSysTraceRecorder recorder;
  KroMmdBRepAccessODTStreamBuilder builder;
  if (KroFailed(builder.SetContext(part)) ||
      KroFailed(builder.SetODTStream(KroOdtSupportFirst(stream))) ||
      KroFailed(builder.GetBRepAccess(access))) {
    KroOmxAny tree;
    ParseObject(stream, tree);
    return Failed(recorder.Entries(), KroOdtAccessPlaceholders(tree));
  }
  if (!access) return Refused("the face has no axis");
  return KroOdtOutcome();
}

int KroOdtRunAccess(KroOdtArgs& args) {
  int dimension = -1;
  if (args.Has("--dim") && (!KroOdtParseDimension(args.Option("--dim"), dimension) ||
                            dimension == kKroOdtFeatDimension)) {
    return KroOdtUsageError("--dim takes 0, 1, 2 or 3 (vertex, edge, face, volume), not " +
                            KroOdtQuote(args.Option("--dim")));
  }
  const bool axes = args.Has("--axes");
  if (axes && args.Has("--dim") && dimension != 2) {
    return KroOdtUsageError("--axes writes the axes of faces; it takes no --dim but 2 (face)");
  }
  const std::string query = args.Option("--query", "");
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  return KroOdtPrintCellStreams(
      args, KroOdtListCells(part, axes ? 2 : dimension),
      [&](const KroOdtCellEntry& cell, std::string& stream) {
        const KroIBRepAccess_var access = KroOdtAccessOf(part, cell, axes);
        if (axes && !access) return KroOdtOutcome();  // a face without an axis
        return KroOdtWriteAccessStream(part, access, query, stream);
      },
      [&](const KroOdtCellEntry& cell) {
        return std::string("the stream of ") + (axes ? "the axis of " : "") +
               KroOdtDescribeCell(cell) + " with query " + KroOdtQuote(query);
      });
}
