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
#include "KroMmdGNAOSpecODTStreamBuilder.h"
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

}  // namespace

KroOdtFindResult KroOdtFindTopoStream(const KroMfPart_var& part, const std::string& stream) {
  KroBody_var body;
  KroCell_var cell;
  const KroOdtOutcome outcome = KroOdtReadTopoStream(part, stream, body, cell);
  if (!outcome.ok) return Lost(outcome.why, outcome.chain);
  if (!cell) {
    if (!body) return Lost("the stream names no body", {});
    return Found("body " + std::to_string(body->GetTag()) + " " +
                 KroOdtEscape(body->GetName().ToStdString()));
  }
  return Found("cell " + std::to_string(cell->GetDimension()) + " " + TagAndPoint(cell));
}

KroOdtFindResult KroOdtFindAccessStream(const KroMfPart_var& part, const std::string& stream) {
  KroIBRepAccess_var access;
  const KroOdtOutcome outcome = KroOdtReadAccessStream(part, stream, access);
  if (!outcome.ok) return Lost(outcome.why, outcome.chain);
  const KroCell_var cell = access->GetTopology();
  if (!cell) return Lost("the stream names no cell", {});
  if (access->GetKindCode() == KroIBRepAccess::kAxisKind) return Found("axis " + TagAndPoint(cell));
  return Found("cell " + std::to_string(cell->GetDimension()) + " " + TagAndPoint(cell));
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

  int lost = 0;
  KroOdtProgress progress(KroOdtProgress::Enabled(args), "finding", streams.size(), "streams");
  for (size_t i = 0; i < streams.size(); ++i) {
    progress.Update(i);
    const KroOdtFindResult result =
        KroOdtFindStream(part, streams[i], args.Has("--body-tag") ? &bodyTag : nullptr);
    if (!result.found) ++lost;
    progress.Interrupt();
    std::printf("%s\n", result.line.c_str());
    if (!result.found && args.trace) {
      const std::string raw = KroOdtRawTrace(result.chain);
      std::fprintf(stderr, "kro-odt: trace: %s\n", raw.empty() ? "(none)" : raw.c_str());
    }
  }
  progress.Finish();
  return lost == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
