// Delegate streams: the delegate of every cell of a model written as its compact stream and read
// back by its feature's name to a delegate of the same cell, on the sample part (741 cells) and
// the TQFP-100 model (8,411 cells). Items are streams; not_itself counts the cells whose stream
// did not come back to a delegate of themselves, per pass.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "KroBRepDecode.h"
#include "KroBrpGraph.h"
#include "KroIBRepAccess.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiGeometryAccess.h"
#include "KroListPtrKroCell.h"
#include "KroMfGNServices.h"
#include "KroMfPart.h"
#include "KroMmdStreamDelegateForODT.h"

namespace {

struct Data {
  KroMfPart_var document;
  std::vector<unsigned int> tags;                    // of each cell
  std::vector<KroIMmiDelegateObject_var> delegates;  // one per cell, made by its BRep access
  std::vector<KroUnicodeString> streams;             // one per cell
};

void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

bool Write(const KroIMmiDelegateObject_var& delegate, KroUnicodeString& stream) {
  KroMmdStreamDelegateForODT writer;
  KroIMmiDelegateObject_var given = delegate;
  return writer.GetStreamFromDelegate(given, stream) == KRO_S_OK;
}

// The tag of the cell of the delegate that the stream makes again, 0 when it makes none.
unsigned int Read(const Data& data, const KroUnicodeString& stream) {
  KroMmdStreamDelegateForODT reader;
  KroUnicodeString given = stream;
  KroINamingContext_var context(data.document);
  KroIMmiDelegateObject_var delegate;
  if (reader.GetDelegateFromStream(given, context, delegate, nullptr,
                                   KroMmdStreamDelegateForODT::kByFeatureName, 0) != KRO_S_OK)
    return 0;
  const KroIMmiGeometryAccess_var access(delegate);
  KroListValKroBaseUnknown_var topos;
  if (!access || access->GetTopologicalObjects(topos) != KRO_S_OK || topos.Size() < 1) return 0;
  const KroCell_var cell(topos[1]);
  return cell ? cell->GetTag() : 0;
}

// The document of a data set, the delegate of each cell and its stream, made once.
Data& GetData(const std::string& name) {
  // Kept until the process ends: documents are not torn down after the kernel's own statics.
  static auto* sets = new std::map<std::string, Data>();
  auto found = sets->find(name);
  if (found != sets->end()) return found->second;
  Data& data = (*sets)[name];
  KroUnicodeString message;
  const KroResult rc =
      name == "Sample"
          ? KroMfPart::CreateSamplePart(data.document, &message)
          : KroMfPart::Load(KroUnicodeString(std::string(KROODT_MODELS_DIR) +
                                             "/TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step"),
                            data.document, &message);
  if (rc != KRO_S_OK) Fail(name + ": " + message.ToStdString());
  KroBrpGraph* graph = KroMfGNServices::GetGraph(data.document);
  for (int b = 1; b <= data.document->GetBodyCount(); ++b) {
    KroBody_var body = data.document->GetBody(b);
    const KroIGeometricalElement_var feature(graph->GetScope(body.get())->GetAssociatedObject());
    for (short dimension = 0; dimension <= 3; ++dimension) {
      KroListPtrKroCell cells;
      body->GetAllCells(cells, dimension);
      for (int i = 1; i <= cells.Size(); ++i) {
        const KroCell_var cell(cells[i]);
        const KroIMmiDelegateBuilder_var builder(KroBRepDecode(cell, feature));
        KroIMmiDelegateObject_var delegate;
        if (!builder || builder->MakeDelegate(nullptr, delegate) != KRO_S_OK)
          Fail(name + ": no delegate");
        data.tags.push_back(cell->GetTag());
        data.delegates.push_back(delegate);
        data.streams.emplace_back();
        if (!Write(delegate, data.streams.back())) Fail(name + ": write");
        Read(data, data.streams.back());  // the search index and the caches are warm
      }
    }
  }
  return data;
}

void BM_WriteDelegateStreams(benchmark::State& state, const std::string& name) {
  Data& data = GetData(name);
  KroUnicodeString stream;
  for (auto _ : state) {
    for (const KroIMmiDelegateObject_var& delegate : data.delegates) {
      if (!Write(delegate, stream)) Fail("write");
      benchmark::DoNotOptimize(stream);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(data.delegates.size()));
  state.counters["cells"] = static_cast<double>(data.delegates.size());
}

void BM_ReadDelegateStreams(benchmark::State& state, const std::string& name) {
  Data& data = GetData(name);
  int64_t wrong = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < data.streams.size(); ++i) {
      if (Read(data, data.streams[i]) != data.tags[i]) ++wrong;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(data.streams.size()));
  state.counters["cells"] = static_cast<double>(data.streams.size());
  state.counters["not_itself"] =
      static_cast<double>(wrong) / static_cast<double>(state.iterations());
}

const bool kRegistered = [] {
  for (const char* name : {"Sample", "TQFP100"}) {
    benchmark::RegisterBenchmark((std::string("BM_WriteDelegateStreams/") + name).c_str(),
                                 BM_WriteDelegateStreams, std::string(name))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_ReadDelegateStreams/") + name).c_str(),
                                 BM_ReadDelegateStreams, std::string(name))
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
