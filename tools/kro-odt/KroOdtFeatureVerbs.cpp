// The features verb: the GNAOSpec stream of every feature, or of every element of the modeling
// log of every feature.
#include <cstdio>
#include <string>
#include <vector>

#include "KroIGnAssociatedObject.h"
#include "KroIMmiLogElement.h"
#include "KroISpecObject.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroOdtCli.h"
#include "KroOdtModel.h"
#include "KroOdtProgress.h"
#include "KroOdtTraceWords.h"
#include "KroSysTraceRecorder.h"

namespace {

// Logs nested deeper than this are not followed (the host's table refuses them too).
constexpr int kMaxLogDepth = 64;

// One object to write: a feature or a log element, and how messages name it.
struct Named {
  KroIGnAssociatedObject_var object;
  std::string label;
};

// The elements under a log element, depth first, each after its parent.
void CollectLog(const KroIMmiLogElement_var& parent, const std::string& parentLabel, int depth,
                std::vector<Named>& out) {
  if (!parent || depth > kMaxLogDepth) return;
  for (int i = 1; i <= parent->GetLogChildCount(); ++i) {
    KroListValKroUnicodeString keys;
    KroIMmiLogElement_var child;
    if (KroFailed(parent->GetLogChild(i, keys, child)) || !child) continue;
    std::string path;
    for (int k = 1; k <= keys.Size(); ++k) path += (k == 1 ? "" : ".") + keys[k].ToStdString();
    Named named;
    named.object = child;
    named.label = "log element " + path + " of " + parentLabel;
    out.push_back(named);
    CollectLog(child, parentLabel, depth + 1, out);
  }
}

}  // namespace

int KroOdtRunFeatures(KroOdtArgs& args) {
  const bool logs = args.Has("--logs");
  const std::string query = args.Option("--query", logs ? "logElement" : "");
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  std::vector<Named> objects;
  for (int f = 1; f <= part->GetFeatureCount(); ++f) {
    KroISpecObject_var feature = part->GetFeature(f);
    if (!feature) continue;
    const std::string label = "feature " + KroOdtIdentifierOf(feature.get()) + " " +
                              KroOdtQuote(feature->GetName().ToStdString());
    if (logs) {
      CollectLog(KroIMmiLogElement_var(feature), label, 1, objects);
    } else {
      objects.push_back(Named{KroIGnAssociatedObject_var(feature), label});
    }
  }

  int unwritten = 0;
  KroOdtProgress progress(KroOdtProgress::Enabled(args), "writing streams", objects.size(),
                          logs ? "log elements" : "features");
  for (size_t i = 0; i < objects.size(); ++i) {
    progress.Update(i);
    KroSysTraceRecorder recorder;
    KroMmdGNAOSpecODTStreamBuilder builder;
    KroUnicodeString stream;
    if (KroSucceeded(builder.SetContext(part)) &&
        KroSucceeded(builder.SetGNAO(objects[i].object)) &&
        KroSucceeded(builder.GetODTStream(query, stream))) {
      std::printf("%s\n", stream.CastToCharPtr());
      continue;
    }
    ++unwritten;
    progress.Interrupt();
    std::string why = KroOdtFillPlaceholders(KroOdtExplainTrace(recorder.Entries()), {});
    if (why.empty()) why = "the library gave no reason";
    std::fprintf(stderr, "kro-odt: cannot write the stream of %s with query %s: %s\n",
                 objects[i].label.c_str(), KroOdtQuote(query).c_str(), why.c_str());
    if (args.trace) {
      std::fprintf(stderr, "kro-odt: trace: %s\n", KroOdtRawTrace(recorder.Entries()).c_str());
    }
  }
  progress.Finish();
  return unwritten == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
