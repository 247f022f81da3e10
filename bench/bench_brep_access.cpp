// BRepAccess streams: every cell of a model written with each way of naming it within its
// support ("topoTag", "brpEle", "gnSelector", "geomReroute"; the compact topology stream "topo"
// for comparison) and read back to its cell, on the sample part (741 cells) and the TQFP-100
// model (8,411 cells). Items are streams; not_itself counts the cells that did not come back as
// themselves, per pass.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "KroBRepDecode.h"
#include "KroBenchData.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdStreamTopoForODT.h"

namespace {

const char* const kVias[] = {"topo", "topoTag", "brpEle", "gnSelector", "geomReroute"};

struct Data {
  KroMfPart_var document;
  std::vector<KroCell_var> cells;
  std::vector<KroIBRepAccess_var> accesses;  // one per cell, supported by its feature
  std::map<std::string, std::vector<KroUnicodeString>> streams;  // by way of naming, per cell
};

// "support geomReroute": the support first, so that every stream reads in one go.
std::string QueryOf(const std::string& via) { return "support " + via; }

bool WriteStream(Data& data, size_t index, const std::string& via, KroUnicodeString& stream) {
  if (via == "topo") {
    KroMmdStreamTopoForODT writer;
    KroBody_var body = data.cells[index]->GetBody();
    KroTopology_var cell = data.cells[index];
    return writer.GetStreamFromTopo(body, cell, stream) == KRO_S_OK;
  }
  KroMmdBRepAccessODTStreamBuilder builder;
  return builder.SetContext(data.document) == KRO_S_OK &&
         builder.SetBRepAccess(data.accesses[index]) == KRO_S_OK &&
         builder.GetODTStream(QueryOf(via).c_str(), stream) == KRO_S_OK;
}

// The tag of the cell the stream names, 0 when it names none.
unsigned int ReadStream(Data& data, const std::string& via, const KroUnicodeString& stream) {
  KroTopology_var cell;
  if (via == "topo") {
    KroMmdStreamTopoForODT reader;
    KroBody_var body;
    if (reader.GetTopoFromStream(stream, KroINamingContext_var(data.document), body, cell) !=
        KRO_S_OK)
      return 0;
  } else {
    KroMmdBRepAccessODTStreamBuilder builder;
    KroIBRepAccess_var access;
    if (builder.SetContext(data.document) != KRO_S_OK || builder.SetODTStream(stream) != KRO_S_OK ||
        builder.GetBRepAccess(access) != KRO_S_OK || !access)
      return 0;
    cell = access->GetTopology();
  }
  return cell ? cell->GetTag() : 0;
}

// The document of a data set, the access of each cell and its streams, made once.
Data& GetData(const std::string& name) {
  return KroBenchKept<Data>(name, [&name](Data& data) {
    data.document =
        KroBenchDocument(name == "Sample" ? KroBenchSet::kSample : KroBenchSet::kTqfp100, name);
    KroBenchForEachCell(
        data.document, [&data](const KroCell_var& cell, const KroIGeometricalElement_var& feature) {
          data.cells.push_back(cell);
          data.accesses.push_back(KroBRepDecode(cell, feature));
        });
    // Every stream written and read once: the log, the search index and the caches are warm.
    for (const char* via : kVias) {
      std::vector<KroUnicodeString>& streams = data.streams[via];
      for (size_t i = 0; i < data.cells.size(); ++i) {
        streams.emplace_back();
        if (!WriteStream(data, i, via, streams.back())) KroBenchFail(name + ": write " + via);
        ReadStream(data, via, streams.back());
      }
    }
  });
}

void BM_WriteAccessStreams(benchmark::State& state, const std::string& name,
                           const std::string& via) {
  Data& data = GetData(name);
  KroUnicodeString stream;
  for (auto _ : state) {
    for (size_t i = 0; i < data.cells.size(); ++i) {
      if (!WriteStream(data, i, via, stream)) KroBenchFail("write");
      benchmark::DoNotOptimize(stream);
    }
  }
  KroBenchCountItems(state, data.cells.size(), "cells");
}

void BM_ReadAccessStreams(benchmark::State& state, const std::string& name,
                          const std::string& via) {
  Data& data = GetData(name);
  const std::vector<KroUnicodeString>& streams = data.streams[via];
  int64_t wrong = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < streams.size(); ++i) {
      if (ReadStream(data, via, streams[i]) != data.cells[i]->GetTag()) ++wrong;
    }
  }
  KroBenchCountItems(state, streams.size(), "cells");
  KroBenchCountNotItself(state, wrong);
}

const bool kRegistered = [] {
  for (const char* name : {"Sample", "TQFP100"}) {
    for (const char* via : kVias) {
      const std::string suffix = std::string("/") + name + "/" + via;
      benchmark::RegisterBenchmark(("BM_WriteAccessStreams" + suffix).c_str(),
                                   BM_WriteAccessStreams, std::string(name), std::string(via))
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("BM_ReadAccessStreams" + suffix).c_str(), BM_ReadAccessStreams,
                                   std::string(name), std::string(via))
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
