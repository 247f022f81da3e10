// The find verb: each stream read in the model, one line per stream.
#include "KroOdtFind.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "KroCell.h"
#include "KroIMmiLogElement.h"
#include "KroISpecObject.h"
#include "KroMfLogElement.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdDelegateODTStreamBuilder.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroMmdMetaODTStreamBuilder.h"
#include "KroMmdSelectionResultODTStreamBuilder.h"
#include "KroOdtAccess.h"
#include "KroOdtCli.h"
#include "KroOdtDelegates.h"
#include "KroOdtModel.h"
#include "KroOdtProgress.h"
#include "KroOdtTraceWords.h"
#include "KroOmxAny.h"
#include "KroOmxJson.h"
#include "KroOmxUTF8String.h"

namespace {

KroOdtFindResult Lost(const std::string& reason, const std::vector<KroSysTraceEntry>& chain) {
  KroOdtFindResult result;
  result.line = "lost " + reason;
  result.chain = chain;
  return result;
}

KroOdtFindResult Found(const std::string& what) {
  KroOdtFindResult result;
  result.found = true;
  result.line = "found " + what;
  return result;
}

// The last member of a JSON object: the key that decides what a GNAOSpec stream names. False
// when the text is no object with members.
bool LastMember(const std::string& text, std::string& key, KroOmxAny& value) {
  KroOmxAny tree;
  if (KroOmxJson::ParseString(KroOmxUTF8String(text), tree) != 0 || !tree.IsMap() ||
      tree.MapItems().empty()) {
    return false;
  }
  key = tree.MapItems().back().first.ToStdString();
  value = tree.MapItems().back().second;
  return true;
}

// "TAG X Y Z" of a cell, with a point of it.
std::string TagAndPoint(const KroCell_var& cell) {
  KroMathPoint point;
  std::string where = "(no point)";
  if (KroSucceeded(cell->GetPointOnCell(point))) {
    where = KroOdtFormatNumber(point.GetX()) + " " + KroOdtFormatNumber(point.GetY()) + " " +
            KroOdtFormatNumber(point.GetZ());
  }
  return std::to_string(cell->GetTag()) + " " + where;
}

std::string DescribeCell(const KroCell_var& cell) {
  return "cell " + std::to_string(cell->GetDimension()) + " " + TagAndPoint(cell);
}

std::string DescribeBody(const KroBody_var& body) {
  return "body " + std::to_string(body->GetTag()) + " " +
         KroOdtEscape(body->GetName().ToStdString());
}

// Why the library refused a stream, in words filled from what the caller knows of it.
KroOdtFindResult LostByTrace(const std::vector<KroSysTraceEntry>& chain,
                             const std::map<std::string, std::string>& words) {
  std::string why = KroOdtExplainTrace(chain);
  if (why.empty()) why = "the library gave no reason";
  return Lost(KroOdtFillPlaceholders(why, words), chain);
}

// A feature, a log element, or another object of the naming graph, by its identifier.
KroOdtFindResult FoundObject(const KroIGnAssociatedObject_var& object) {
  const std::string identifier = KroOdtIdentifierOf(object.get());
  KroISpecObject_var feature = object;
  if (!!feature) {
    return Found("feature " + identifier + " " + KroOdtEscape(feature->GetName().ToStdString()));
  }
  KroVar<KroMfLogElement> element = object;
  if (!!element) {
    std::string path;
    const KroListValKroUnicodeString& keys = element->GetKeys();
    for (int i = 1; i <= keys.Size(); ++i) path += (i == 1 ? "" : ".") + keys[i].ToStdString();
    return Found("log " + identifier + " " + KroOdtEscape(path));
  }
  return Found("object " + identifier);
}

KroOdtFindResult FoundAccess(const KroIBRepAccess_var& access) {
  const KroCell_var cell = access->GetTopology();
  if (!cell) return Lost("the stream names no cell", {});
  if (access->GetKindCode() == KroIBRepAccess::kAxisKind) return Found("axis " + TagAndPoint(cell));
  return Found(DescribeCell(cell));
}

bool HasMember(const std::string& text, const char* key) {
  KroOmxAny tree;
  return KroOmxJson::ParseString(KroOmxUTF8String(text), tree) == 0 && tree.IsMap() &&
         tree.MapFind(key) != nullptr;
}

// What the reasons of a failed meta read may name: the "type" of the level where the chain of
// "Meta" streams ends, and the last string member of its "value" (with a geometric selector's
// fields).
std::map<std::string, std::string> MetaWords(const std::string& stream) {
  std::map<std::string, std::string> words;
  words["<max-nesting>"] = std::to_string(KroMmdMetaODTStreamBuilder::kMaxNesting);
  KroOmxAny tree;
  if (KroOmxJson::ParseString(KroOmxUTF8String(stream), tree) != 0) return words;
  const KroOmxAny* level = &tree;
  for (bool meta = true; meta;) {
    const KroOmxAny* type = level->IsMap() ? level->MapFind("type") : nullptr;
    const KroOmxAny* value = level->IsMap() ? level->MapFind("value") : nullptr;
    if (type == nullptr || !type->IsString()) return words;
    words["<type>"] = KroOdtQuote(type->GetString().ToStdString());
    if (value == nullptr || !value->IsMap()) return words;
    meta = type->GetString() == "Meta";
    level = value;
  }
  const KroOmxAny::Item* last = nullptr;
  for (const KroOmxAny::Item& item : level->MapItems())
    if (item.second.IsString()) last = &item;
  if (last == nullptr) return words;
  words["<value>"] = KroOdtQuote(last->second.GetString().ToStdString());
  if (last->first == "geomReroute") {
    KroOdtCompactFields fields;
    KroMmdGeomSelectorForODT::ScanGeomSelectorForODT(last->second.GetString(), fields);
    for (const auto& [name, word] : KroOdtStreamPlaceholders(fields)) words[name] = word;
  }
  return words;
}

// Why a selection was lost. When an item of a list failed, the reason names it: the builder
// holds the cells of the items before it (tags replace the list, selectors add to it).
KroOdtFindResult SelectionLost(const std::string& stream,
                               KroMmdSelectionResultODTStreamBuilder& builder,
                               const std::vector<KroSysTraceEntry>& chain) {
  static const char* const kName = "KroMmdSelectionResultODTStreamBuilder::";
  bool itemFailed = false;
  for (const KroSysTraceEntry& entry : chain) {
    itemFailed =
        itemFailed ||
        (entry.name == kName + std::string("_SetToposTagsStream") && entry.stage >= 300) ||
        (entry.name == kName + std::string("_SetGeomReroutesStream") && entry.stage >= 300);
  }
  KroOmxAny tree;
  if (KroOmxJson::ParseString(KroOmxUTF8String(stream), tree) != 0 || !tree.IsMap())
    return LostByTrace(chain, {});
  KroMmrToposInBody topos;
  KroListPtrKroTopology held;
  if (!itemFailed || KroFailed(builder.GetToposInBody(topos)) ||
      KroFailed(topos.GetTopos(held, 2, KroIMmiMechanicalFeature_var()))) {
    // The support's reasons name the value of its last member, as for a GNAOSpec stream.
    std::map<std::string, std::string> words;
    const KroOmxAny* support = tree.MapFind("support");
    if (support != nullptr && support->IsMap() && !support->MapItems().empty() &&
        support->MapItems().back().second.IsString()) {
      words["<value>"] = KroOdtQuote(support->MapItems().back().second.GetString().ToStdString());
    }
    return LostByTrace(chain, words);
  }
  int count = 0;
  for (const KroOmxAny::Item& member : tree.MapItems()) {
    const bool tags = member.first == "topoTags";
    if ((!tags && member.first != "geomReroutes") || !member.second.IsList()) continue;
    if (tags) count = 0;
    if (count + member.second.Size() <= held.Size()) {
      count += member.second.Size();
      continue;
    }
    const int index = held.Size() - count + 1;
    const KroOmxAny& item = member.second[index];
    std::map<std::string, std::string> words;
    std::string what = member.first.ToStdString() + " item " + std::to_string(index);
    if (item.IsString()) {
      what += " " + KroOdtQuote(item.GetString().ToStdString());
      words["<value>"] = KroOdtQuote(item.GetString().ToStdString());
      KroOdtCompactFields fields;
      KroMmdGeomSelectorForODT::ScanGeomSelectorForODT(item.GetString(), fields);
      for (const auto& [name, word] : KroOdtStreamPlaceholders(fields)) words[name] = word;
    }
    KroOdtFindResult lost = LostByTrace(chain, words);
    lost.line = "lost " + what + ": " + lost.line.substr(5);
    return lost;
  }
  return LostByTrace(chain, {});
}

// Reads a meta stream in the model; "support" goes first wherever it stands.
bool ReadMeta(const KroMfPart_var& part, const std::string& stream,
              KroMmdMetaODTStreamBuilder& builder) {
  return KroSucceeded(builder.SetContext(part)) &&
         KroSucceeded(builder.SetODTStream(KroOdtSupportFirst(stream)));
}

}  // namespace

KroOdtFindResult KroOdtFindTopoStream(const KroMfPart_var& part, const std::string& stream) {
  KroBody_var body;
  KroCell_var cell;
  const KroOdtOutcome outcome = KroOdtReadTopoStream(part, stream, body, cell);
  if (!outcome.ok) return Lost(outcome.why, outcome.chain);
  if (!cell) {
    if (!body) return Lost("the stream names no body", {});
    return Found(DescribeBody(body));
  }
  return Found(DescribeCell(cell));
}

KroOdtFindResult KroOdtFindAccessStream(const KroMfPart_var& part, const std::string& stream) {
  KroIBRepAccess_var access;
  const KroOdtOutcome outcome = KroOdtReadAccessStream(part, stream, access);
  if (!outcome.ok) return Lost(outcome.why, outcome.chain);
  return FoundAccess(access);
}

KroOdtFindResult KroOdtFindSpecStream(const KroMfPart_var& part, const std::string& stream) {
  std::string key;
  KroOmxAny value;
  const bool haveMember = LastMember(stream, key, value);
  std::map<std::string, std::string> words;
  if (haveMember && value.IsString())
    words["<value>"] = KroOdtQuote(value.GetString().ToStdString());

  KroSysTraceRecorder recorder;
  KroMmdGNAOSpecODTStreamBuilder builder;
  KroIGnAssociatedObject_var object;
  if (KroFailed(builder.SetContext(part)) || KroFailed(builder.SetODTStream(stream)) ||
      KroFailed(builder.GetGNAO(object))) {
    std::string why = KroOdtExplainTrace(recorder.Entries());
    if (why.empty()) why = "the library gave no reason";
    return Lost(KroOdtFillPlaceholders(why, words), recorder.Entries());
  }
  if (!object) {
    // A search by alias or naming reference that matches nothing is no failure of the reader.
    const std::string text = haveMember && value.IsString()
                                 ? KroOdtQuote(value.GetString().ToStdString())
                                 : std::string("given");
    if (key == "alias") return Lost("no alias " + text + " in the part", {});
    if (key == "namingRef") {
      return Lost("no naming reference or feature name " + text + " in the part", {});
    }
    if (!haveMember) return Lost("the stream names no object (it has no member)", {});
    return Lost("the stream names no object", {});
  }
  return FoundObject(object);
}

bool KroOdtIsMetaStream(const std::string& text) { return HasMember(text, "type"); }

KroOdtFindResult KroOdtFindMetaStream(const KroMfPart_var& part, const std::string& stream) {
  KroSysTraceRecorder recorder;
  KroMmdMetaODTStreamBuilder builder;
  if (!ReadMeta(part, stream, builder)) return LostByTrace(recorder.Entries(), MetaWords(stream));
  // What the innermost stream of a chain of "Meta" streams names.
  KroMmdODTStreamBuilder* inner = builder.GetInnerBuilder();
  while (auto* meta = dynamic_cast<KroMmdMetaODTStreamBuilder*>(inner))
    inner = meta->GetInnerBuilder();
  KroIGnAssociatedObject_var object;
  if (auto* spec = dynamic_cast<KroMmdGNAOSpecODTStreamBuilder*>(inner)) {
    if (KroSucceeded(spec->GetGNAO(object)) && !!object) return FoundObject(object);
    return Lost("the stream names no object", {});
  }
  if (auto* log = dynamic_cast<KroMmdLogElementODTStreamBuilder*>(inner)) {
    if (KroSucceeded(log->GetSpecGNAO(object)) && !!object) return FoundObject(object);
    return Lost("the stream names no log element", {});
  }
  if (auto* access = dynamic_cast<KroMmdBRepAccessODTStreamBuilder*>(inner)) {
    KroIBRepAccess_var found;
    if (KroFailed(access->GetBRepAccess(found)))
      return LostByTrace(recorder.Entries(), MetaWords(stream));
    if (!found) return Lost("the face has no axis", {});
    return FoundAccess(found);
  }
  if (auto* delegate = dynamic_cast<KroMmdDelegateODTStreamBuilder*>(inner)) {
    KroMmdBRepAccessODTStreamBuilder geomSubElem;
    KroIBRepAccess_var found;
    if (KroFailed(delegate->GetGeomSubElem(geomSubElem)) ||
        KroFailed(geomSubElem.GetBRepAccess(found)))
      return LostByTrace(recorder.Entries(), MetaWords(stream));
    if (!found) return Lost("the face has no axis", {});
    return FoundAccess(found);
  }
  if (inner == nullptr) return Lost(R"(the meta stream names no builder (no "type"))", {});
  return Lost("find does not read streams of this type", {});
}

KroOdtFindResult KroOdtRewriteMetaStream(const KroMfPart_var& part, const std::string& stream) {
  KroSysTraceRecorder recorder;
  KroMmdMetaODTStreamBuilder builder;
  KroUnicodeString text;
  if (!ReadMeta(part, stream, builder) || KroFailed(builder.GetMetaODTStream(text)))
    return LostByTrace(recorder.Entries(), MetaWords(stream));
  KroOdtFindResult result;
  result.found = true;
  result.line = text.ToStdString();
  return result;
}

KroOdtFindResult KroOdtFindSelectionStream(const KroMfPart_var& part, const std::string& stream) {
  KroSysTraceRecorder recorder;
  KroMmdSelectionResultODTStreamBuilder builder;
  KroMmrToposInBody topos;
  const std::string read = KroOdtSupportFirst(stream);
  if (KroFailed(builder.SetContext(part)) || KroFailed(builder.SetODTStream(read)) ||
      KroFailed(builder.GetToposInBody(topos))) {
    const std::vector<KroSysTraceEntry> chain = recorder.Entries();
    return SelectionLost(read, builder, chain);
  }
  KroListPtrKroTopology objects;
  if (KroFailed(topos.GetTopos(objects, 2, KroIMmiMechanicalFeature_var())))
    return Lost("the selection cannot be listed", {});
  KroOdtFindResult result = Found("selection " + std::to_string(objects.Size()) + " cells");
  for (int i = 1; i <= objects.Size(); ++i) {
    const KroCell_var cell(objects[i]);
    const KroBody_var body(objects[i]);
    result.objects.push_back("found " + (!!cell   ? DescribeCell(cell)
                                         : !!body ? DescribeBody(body)
                                                  : std::string("object")));
  }
  return result;
}

KroOdtFindResult KroOdtFindDelegateStream(const KroMfPart_var& part, const std::string& stream,
                                          const unsigned int* bodyTag) {
  KroIMmiDelegateObject_var delegate;
  const KroOdtOutcome outcome = KroOdtReadDelegateStream(part, stream, bodyTag, delegate);
  if (!outcome.ok) return Lost(outcome.why, outcome.chain);
  const KroCell_var cell = KroOdtDelegateCell(delegate);
  if (!!cell) {
    return Found("delegate cell " + std::to_string(cell->GetDimension()) + " " + TagAndPoint(cell));
  }
  const KroISpecObject_var feature = KroOdtDelegateFeature(delegate);
  if (!feature) return Lost("the delegate stands for nothing", {});
  return Found("delegate feature " + KroOdtIdentifierOf(feature.get()) + " " +
               KroOdtEscape(feature->GetName().ToStdString()));
}

KroOdtFindResult KroOdtFindDelegateBuilderStream(const KroMfPart_var& part,
                                                 const std::string& stream) {
  KroIBRepAccess_var access;
  const KroOdtOutcome outcome = KroOdtReadDelegateBuilderStream(part, stream, access);
  if (!outcome.ok) return Lost(outcome.why, outcome.chain);
  const KroCell_var cell = access->GetTopology();
  if (!cell) return Lost("the stream names no cell", {});
  if (access->GetKindCode() == KroIBRepAccess::kAxisKind) return Found("axis " + TagAndPoint(cell));
  return Found("cell " + std::to_string(cell->GetDimension()) + " " + TagAndPoint(cell));
}

KroOdtFindResult KroOdtFindStream(const KroMfPart_var& part, const std::string& stream,
                                  const unsigned int* bodyTag) {
  if (!stream.empty() && stream[0] == '{') {
    if (KroOdtIsMetaStream(stream)) return KroOdtFindMetaStream(part, stream);
    if (HasMember(stream, "topoTags") || HasMember(stream, "geomReroutes"))
      return KroOdtFindSelectionStream(part, stream);
    if (KroOdtIsAccessStream(stream)) return KroOdtFindAccessStream(part, stream);
    if (KroOdtIsDelegateBuilderStream(stream)) return KroOdtFindDelegateBuilderStream(part, stream);
    return KroOdtFindSpecStream(part, stream);
  }
  if (KroOdtIsDelegateStream(stream)) return KroOdtFindDelegateStream(part, stream, bodyTag);
  return KroOdtFindTopoStream(part, stream);
}

int KroOdtRunFind(KroOdtArgs& args) {
  std::string path;
  std::vector<std::string> streams = args.operands;
  if (!streams.empty() && KroOdtIsModelOperand(streams.front())) {
    path = streams.front();
    streams.erase(streams.begin());
  }
  unsigned int bodyTag = 0;
  if (args.Has("--body-tag")) {
    const std::string text = args.Option("--body-tag");
    char* end = nullptr;
    const unsigned long tag = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || *end != '\0' || tag > 0xFFFFFFFFul) {
      return KroOdtUsageError("--body-tag takes the tag of a body (an unsigned number), not " +
                              KroOdtQuote(text));
    }
    bodyTag = static_cast<unsigned int>(tag);
  }
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  const bool fromInput = args.operands.size() == (path.empty() ? 0u : 1u);
  if (fromInput) {
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find_first_not_of(" \t") == std::string::npos) continue;
      streams.push_back(line);
    }
  }

  const bool rewrite = args.Has("--rewrite");
  int lost = 0;
  KroOdtProgress progress(KroOdtProgress::Enabled(args), "finding", streams.size(), "streams");
  for (size_t i = 0; i < streams.size(); ++i) {
    progress.Update(i);
    const unsigned int* tag = args.Has("--body-tag") ? &bodyTag : nullptr;
    const KroOdtFindResult result = rewrite && KroOdtIsMetaStream(streams[i])
                                        ? KroOdtRewriteMetaStream(part, streams[i])
                                        : KroOdtFindStream(part, streams[i], tag);
    if (!result.found) ++lost;
    progress.Interrupt();
    for (const std::string& object : result.objects) std::printf("%s\n", object.c_str());
    std::printf("%s\n", result.line.c_str());
    if (!result.found && args.trace) {
      const std::string raw = KroOdtRawTrace(result.chain);
      std::fprintf(stderr, "kro-odt: trace: %s\n", raw.empty() ? "(none)" : raw.c_str());
    }
  }
  progress.Finish();
  return lost == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
