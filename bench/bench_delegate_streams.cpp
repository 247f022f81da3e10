// Delegate streams: the delegate of every cell of a model written as its compact stream and read
// back by its feature's name to a delegate of the same cell, on the sample part (741 cells) and
// the TQFP-100 model (8,411 cells). Items are streams; not_itself counts the cells whose stream
// did not come back to a delegate of themselves, per pass.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "KroBRepDecode.h"
#include "KroBenchData.h"
#include "KroIBRepAccess.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmiGeometryAccess.h"
#include "KroMmdStreamDelegateForODT.h"

namespace {

struct Data {
  KroMfPart_var document;
  std::vector<unsigned int> tags;                    // of each cell
  std::vector<KroIMmiDelegateObject_var> delegates;  // one per cell, made by its BRep access
  std::vector<KroUnicodeString> streams;             // one per cell
};

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
  return KroBenchKept<Data>(name, [&name](Data& data) {
    data.document =
        KroBenchDocument(name == "Sample" ? KroBenchSet::kSample : KroBenchSet::kTqfp100, name);
    KroBenchForEachCell(
        data.document, [&](const KroCell_var& cell, const KroIGeometricalElement_var& feature) {
          const KroIMmiDelegateBuilder_var builder(KroBRepDecode(cell, feature));
          KroIMmiDelegateObject_var delegate;
          if (!builder || builder->MakeDelegate(nullptr, delegate) != KRO_S_OK)
            KroBenchFail(name + ": no delegate");
          data.tags.push_back(cell->GetTag());
          data.delegates.push_back(delegate);
          data.streams.emplace_back();
          if (!Write(delegate, data.streams.back())) KroBenchFail(name + ": write");
          Read(data, data.streams.back());  // the search index and the caches are warm
        });
  });
}

void BM_WriteDelegateStreams(benchmark::State& state, const std::string& name) {
  Data& data = GetData(name);
  KroUnicodeString stream;
  for (auto _ : state) {
    for (const KroIMmiDelegateObject_var& delegate : data.delegates) {
      if (!Write(delegate, stream)) KroBenchFail("write");
      benchmark::DoNotOptimize(stream);
    }
  }
  KroBenchCountItems(state, data.delegates.size(), "cells");
}

void BM_ReadDelegateStreams(benchmark::State& state, const std::string& name) {
  Data& data = GetData(name);
  int64_t wrong = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < data.streams.size(); ++i) {
      if (Read(data, data.streams[i]) != data.tags[i]) ++wrong;
    }
  }
  KroBenchCountItems(state, data.streams.size(), "cells");
  KroBenchCountNotItself(state, wrong);
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
