// Log paths and naming-graph lookups, each beside the walk it replaced, in the same run.
//
// Log paths on TQFP-100 (one feature, 8,411 log elements): writing the LogElement stream of an
// element and reading it back, against a log table on a root that is no feature of a document,
// which reads the root's whole log at every Init as every path did before the document kept
// one reading per root (only every 50th element: the walk is quadratic over the whole log).
//
// Graph lookups at 100,000 cells: TQFP-100 under 12 features that share its body, with their
// logs (100,932 log elements named as scopes). Each lookup beside a walk of the scopes with
// the comparison each lookup made before it had a map. Items are lookups; not_itself counts
// answers that differ from the walk's (0 expected).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroBenchData.h"
#include "KroBrpGraph.h"
#include "KroIGnAssociatedObject.h"
#include "KroMfGNServices.h"
#include "KroMmdLogElementODTStreamBuilder.h"
#include "KroMmrLogElementTable.h"
#include "KroMmrLogTransactionContext.h"
#include "KroSoftwareConfiguration.h"

namespace {

// A log root outside any document whose log is a feature's: a table reads it again at every
// Init.
class UnsharedRoot : public virtual KroIMmiLogElement {
 public:
  explicit UnsharedRoot(const KroIMmiLogElement_var& feature) : _Feature(feature) {}
  int GetLogChildCount() const override { return _Feature->GetLogChildCount(); }
  KroResult GetLogChild(int index, KroListValKroUnicodeString& keys,
                        KroIMmiLogElement_var& child) const override {
    return _Feature->GetLogChild(index, keys, child);
  }

 private:
  KroIMmiLogElement_var _Feature;
};

// --- Log paths -----------------------------------------------------------------------------

struct Logs {
  KroMfPart_var part;
  KroIMmiLogElement_var root;  // the feature
  KroIMmiLogElement_var unshared;
  std::vector<KroIMmiLogElement_var> elements;
  std::vector<KroUnicodeString> paths;    // "Construction.Face.1"...
  std::vector<KroUnicodeString> streams;  // the LogElement stream of each element
};

// Kept until the process ends: documents are not torn down after the kernel's own statics.
Logs& GetLogs() {
  static Logs* logs = nullptr;
  if (logs) return *logs;
  logs = new Logs;
  logs->part = KroBenchDocument(KroBenchSet::kTqfp100, "TQFP100");
  logs->root = KroIMmiLogElement_var(logs->part->GetFeature(1));
  logs->unshared = KroIMmiLogElement_var::Adopt(new UnsharedRoot(logs->root));
  for (int i = 1; i <= logs->root->GetLogChildCount(); ++i) {
    KroListValKroUnicodeString keys;
    KroIMmiLogElement_var element;
    if (logs->root->GetLogChild(i, keys, element) != KRO_S_OK) KroBenchFail("log child");
    KroUnicodeString path;
    for (int k = 1; k <= keys.Size(); ++k) path += (k > 1 ? "." : "") + keys[k];
    KroMmdLogElementODTStreamBuilder builder;
    KroUnicodeString stream;
    if (builder.SetContext(logs->part) != KRO_S_OK || builder.SetLogElement(element) != KRO_S_OK ||
        builder.GetODTStream("", stream) != KRO_S_OK)
      KroBenchFail("write " + path.ToStdString());
    logs->elements.push_back(element);
    logs->paths.push_back(path);
    logs->streams.push_back(stream);
  }
  return *logs;
}

constexpr size_t kUnsharedStride = 50;

// Counts the elements, every stride-th one, for which same(i) is false: those that did not come
// back as themselves.
template <typename Same>
void RunLogPaths(benchmark::State& state, size_t stride, Same same) {
  const size_t count = GetLogs().elements.size();
  int64_t wrong = 0, items = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < count; i += stride, ++items)
      if (!same(i)) ++wrong;
  }
  state.SetItemsProcessed(items);
  KroBenchCountNotItself(state, wrong);
}

// The read transaction of a table outside any document.
struct ReadTransaction {
  KroSoftwareConfiguration_var config =
      KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
  KroMmrLogTransactionContext context{config.get(), KroIMmiLogTransactionPriv::ReadTransaction};
};

void BM_LogPathWrite(benchmark::State& state) {
  Logs& logs = GetLogs();
  RunLogPaths(state, 1, [&](size_t i) {
    KroMmdLogElementODTStreamBuilder builder;
    KroUnicodeString stream;
    return builder.SetContext(logs.part) == KRO_S_OK &&
           builder.SetLogElement(logs.elements[i]) == KRO_S_OK &&
           builder.GetODTStream("", stream) == KRO_S_OK && stream == logs.streams[i];
  });
}
BENCHMARK(BM_LogPathWrite)->Name("BM_LogPathWrite/TQFP100")->Unit(benchmark::kMillisecond);

void BM_LogPathRead(benchmark::State& state) {
  Logs& logs = GetLogs();
  RunLogPaths(state, 1, [&](size_t i) {
    KroMmdLogElementODTStreamBuilder builder;
    KroIMmiLogElement_var element;
    return builder.SetContext(logs.part) == KRO_S_OK &&
           builder.SetODTStream(logs.streams[i]) == KRO_S_OK &&
           builder.GetLogElement(element) == KRO_S_OK && element.IsSame(logs.elements[i]);
  });
}
BENCHMARK(BM_LogPathRead)->Name("BM_LogPathRead/TQFP100")->Unit(benchmark::kMillisecond);

// The path of every 50th element from a table that reads the whole log for it.
void BM_LogPathWriteUnshared(benchmark::State& state) {
  Logs& logs = GetLogs();
  ReadTransaction transaction;
  RunLogPaths(state, kUnsharedStride, [&](size_t i) {
    KroMmrLogElementTable table(transaction.context);
    KroListValKroUnicodeString paths;
    return table.Init(logs.unshared.get()) == KRO_S_OK &&
           table.GetLogPathes(logs.elements[i].get(), ".", paths) == KRO_S_OK &&
           paths.Size() == 1 && paths[1] == logs.paths[i];
  });
}
BENCHMARK(BM_LogPathWriteUnshared)
    ->Name("BM_LogPathWriteUnshared/TQFP100")
    ->Unit(benchmark::kMillisecond);

void BM_LogPathReadUnshared(benchmark::State& state) {
  Logs& logs = GetLogs();
  ReadTransaction transaction;
  RunLogPaths(state, kUnsharedStride, [&](size_t i) {
    KroMmrLogElementTable table(transaction.context);
    KroIMmiLogElement_var element;
    return table.Init(logs.unshared.get()) == KRO_S_OK &&
           table.QueryLogSelector(logs.unshared.get(), logs.paths[i], element) == KRO_S_OK &&
           element.IsSame(logs.elements[i]);
  });
}
BENCHMARK(BM_LogPathReadUnshared)
    ->Name("BM_LogPathReadUnshared/TQFP100")
    ->Unit(benchmark::kMillisecond);

// --- Graph lookups -------------------------------------------------------------------------

// What the walk compared, scope by scope: the graph's own state, read once.
struct ScopeState {
  KroBrpScope* scope;
  const KroIGnAssociatedObject* object;
  const KroBaseUnknown* identity;
  const KroBaseUnknown* body;
  unsigned int bodyTag;
  int number;
};

struct Graph {
  KroMfPart_var part;
  KroMfPart_var other;  // whose body the graph does not name
  KroBrpGraph* graph = nullptr;
  std::vector<ScopeState> scopes;
  // Lookups: identifiers and numbers of log elements and features, spread over the graph.
  std::vector<KroGnIdentifier> identifiers;
  std::vector<int> numbers;
  std::vector<KroIGnAssociatedObject*> objects;
};

Graph& GetGraph() {
  static Graph* data = nullptr;
  if (data) return *data;
  data = new Graph;
  KroBRepStatus status;
  std::shared_ptr<KroBRepModel> model = KroBRepModel::Load(KroBenchTqfp100Path(), status);
  if (!model) KroBenchFail("TQFP100: " + status.message);
  std::vector<KroMfPart::FeatureDescription> features(12);
  for (size_t f = 0; f < features.size(); ++f) {
    features[f].name = "Copy." + std::to_string(f + 1);
    features[f].solidIndex = 0;
  }
  KroUnicodeString message;
  if (KroMfPart::CreateFromModel(model, features, data->part, &message) != KRO_S_OK ||
      KroMfPart::CreateFromModel(model, data->other, &message) != KRO_S_OK)
    KroBenchFail("Cells100k: " + message.ToStdString());
  // A lookup that names a log element makes the document's log.
  data->graph = KroMfGNServices::GetGraph(data->part);
  if (!data->graph->GetScope(KroGnIdentifier(1u, 1u))) KroBenchFail("Cells100k: log");
  for (int i = 1; i <= data->graph->GetScopeCount(); ++i) {
    KroBrpScope* scope = data->graph->GetScopeAt(i);
    KroIGnAssociatedObject_var object = scope->GetAssociatedObject();
    KroBody_var body = scope->GetBody(1);
    data->scopes.push_back({scope, object.get(), object.get(), body.get(),
                            body ? body->GetTag() : 0u, scope->GetElementNumber()});
  }
  std::mt19937 random(20241206u);
  for (int i = 0; i < 256; ++i) {
    const ScopeState& picked = data->scopes[random() % data->scopes.size()];
    KroGnIdentifier identifier;
    if (picked.object->GetGnIdentifier(identifier, 0) != KRO_S_OK) KroBenchFail("identifier");
    data->identifiers.push_back(identifier);
    data->numbers.push_back(picked.number);
    data->objects.push_back(const_cast<KroIGnAssociatedObject*>(picked.object));
  }
  return *data;
}

// Times the lookups, or with byWalk the walk itself; counts lookups and answers that differ
// from the walk's.
template <typename Lookup, typename Walk>
void RunLookups(benchmark::State& state, bool byWalk, size_t count, Lookup lookup, Walk walk) {
  std::vector<KroBrpScope*> expected(count);
  for (size_t i = 0; i < count; ++i) expected[i] = walk(i);
  int64_t wrong = 0;
  const auto time = [&](auto find) {
    for (auto _ : state) {
      for (size_t i = 0; i < count; ++i) {
        KroBrpScope* found = find(i);
        benchmark::DoNotOptimize(found);
        if (found != expected[i]) ++wrong;
      }
    }
  };
  if (byWalk) {
    time(walk);
  } else {
    time(lookup);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
  state.counters["scopes"] = static_cast<double>(GetGraph().scopes.size());
  KroBenchCountNotItself(state, wrong);
}

KroBrpScope* WalkIdentifier(const KroGnIdentifier& identifier) {
  for (const ScopeState& s : GetGraph().scopes) {
    KroGnIdentifier own;
    if (s.object && s.object->GetGnIdentifier(own, 0) == KRO_S_OK && own == identifier)
      return s.scope;
  }
  return nullptr;
}

KroBrpScope* WalkNumber(int number) {
  for (const ScopeState& s : GetGraph().scopes)
    if (s.number == number) return s.scope;
  return nullptr;
}

KroBrpScope* WalkObject(const KroBaseUnknown* object) {
  for (const ScopeState& s : GetGraph().scopes)
    if (s.identity == object) return s.scope;
  return nullptr;
}

KroBrpScope* WalkBody(const KroBaseUnknown* body) {
  for (const ScopeState& s : GetGraph().scopes)
    if (s.body && s.body == body) return s.scope;
  return nullptr;
}

KroBrpScope* WalkBodyTag(unsigned int tag) {
  for (const ScopeState& s : GetGraph().scopes)
    if (s.body && s.bodyTag == tag) return s.scope;
  return nullptr;
}

// A body of another document (not named here) and a tag no body has: the walk sees every scope.
KroBody* MissingBody() { return GetGraph().other->GetBody(1).get(); }
constexpr unsigned int kMissingTag = 0xFFFFFFF0u;

void BM_GraphScopeOfIdentifier(benchmark::State& state, bool walk) {
  Graph& g = GetGraph();
  RunLookups(
      state, walk, g.identifiers.size(),
      [&](size_t i) { return g.graph->GetScope(g.identifiers[i]); },
      [&](size_t i) { return WalkIdentifier(g.identifiers[i]); });
}

void BM_GraphScopeOfNumber(benchmark::State& state, bool walk) {
  Graph& g = GetGraph();
  RunLookups(
      state, walk, g.numbers.size(),
      [&](size_t i) { return g.graph->GetScopeFromElementNumber(g.numbers[i]); },
      [&](size_t i) { return WalkNumber(g.numbers[i]); });
}

void BM_GraphScopeOfObject(benchmark::State& state, bool walk) {
  Graph& g = GetGraph();
  RunLookups(
      state, walk, g.objects.size(), [&](size_t i) { return g.graph->GetScope(g.objects[i]); },
      [&](size_t i) { return WalkObject(g.objects[i]); });
}

// Half of the lookups name the shared body, half a body or a tag the graph does not name.
void BM_GraphScopeOfBody(benchmark::State& state, bool walk) {
  Graph& g = GetGraph();
  KroBody* bodies[2] = {g.part->GetBody(1).get(), MissingBody()};
  RunLookups(
      state, walk, 64, [&](size_t i) { return g.graph->GetScope(bodies[i % 2]); },
      [&](size_t i) { return WalkBody(bodies[i % 2]); });
}

void BM_GraphScopeOfBodyTag(benchmark::State& state, bool walk) {
  Graph& g = GetGraph();
  const unsigned int tags[2] = {g.part->GetBody(1)->GetTag(), kMissingTag};
  RunLookups(
      state, walk, 64, [&](size_t i) { return g.graph->GetNodeFromBodyTag(tags[i % 2]); },
      [&](size_t i) { return WalkBodyTag(tags[i % 2]); });
}

const bool kRegistered = [] {
  const std::pair<const char*, void (*)(benchmark::State&, bool)> lookups[] = {
      {"Identifier", BM_GraphScopeOfIdentifier},
      {"Number", BM_GraphScopeOfNumber},
      {"Object", BM_GraphScopeOfObject},
      {"Body", BM_GraphScopeOfBody},
      {"BodyTag", BM_GraphScopeOfBodyTag}};
  for (const auto& [name, run] : lookups) {
    for (bool walk : {false, true}) {
      const std::string label =
          std::string("BM_GraphScopeOf") + name + (walk ? "ByWalk" : "") + "/Cells100k";
      benchmark::RegisterBenchmark(label.c_str(), run, walk)->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
