// Compact topology streams: writing the stream of every face of a body and reading each one
// back to its face, on a plate with a 50 x 100 grid of through holes (5,006 faces) and on the
// TQFP-100 model (1,549 faces). Items are streams.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "KroBenchData.h"
#include "KroMmdStreamTopoForODT.h"

namespace {

struct Data {
  KroMfPart_var document;
  KroBody_var body;
  std::vector<KroTopology_var> faces;
  std::vector<KroUnicodeString> streams;  // one per face, in face order
};

// The document of a data set, its faces and their streams, made once.
Data& GetData(const std::string& name) {
  return KroBenchKept<Data>(name, [&name](Data& data) {
    data.document = KroBenchDocument(
        name == "HoledPlate5006" ? KroBenchSet::kHoledPlate5000 : KroBenchSet::kTqfp100, name);
    data.body = data.document->GetBody(1);
    KroListPtrKroCell cells;
    data.body->GetAllCells(cells, 2);
    KroMmdStreamTopoForODT writer;
    for (int index = 1; index <= cells.Size(); ++index) {
      KroTopology_var face(static_cast<KroBaseUnknown*>(cells[index]));
      KroUnicodeString stream;
      if (writer.GetStreamFromTopo(data.body, face, stream) != KRO_S_OK)
        KroBenchFail(name + ": write");
      data.faces.push_back(face);
      data.streams.push_back(stream);
    }
    // Warm the search structures, so that both benchmarks measure steady work.
    KroBody_var body;
    KroTopology_var cell;
    KroINamingContext_var context(static_cast<KroBaseUnknown*>(data.document.get()));
    if (writer.GetTopoFromStream(data.streams.front(), context, body, cell) != KRO_S_OK)
      KroBenchFail(name + ": read");
  });
}

void BM_WriteFaceStreams(benchmark::State& state, const std::string& name) {
  Data& data = GetData(name);
  KroMmdStreamTopoForODT writer;
  KroUnicodeString stream;
  for (auto _ : state) {
    for (KroTopology_var& face : data.faces) {
      if (writer.GetStreamFromTopo(data.body, face, stream) != KRO_S_OK) KroBenchFail("write");
      benchmark::DoNotOptimize(stream);
    }
  }
  KroBenchCountItems(state, data.faces.size(), "faces");
}

void BM_ReadFaceStreams(benchmark::State& state, const std::string& name) {
  Data& data = GetData(name);
  KroINamingContext_var context(static_cast<KroBaseUnknown*>(data.document.get()));
  KroMmdStreamTopoForODT reader;
  int64_t wrong = 0;
  for (auto _ : state) {
    for (size_t index = 0; index < data.streams.size(); ++index) {
      KroBody_var body;
      KroTopology_var cell;
      if (reader.GetTopoFromStream(data.streams[index], context, body, cell) != KRO_S_OK ||
          !cell.IsSame(data.faces[index])) {
        ++wrong;
      }
    }
  }
  KroBenchCountItems(state, data.streams.size(), "faces");
  KroBenchCountNotItself(state, wrong);
}

const bool kRegistered = [] {
  for (const char* name : {"HoledPlate5006", "TQFP100"}) {
    benchmark::RegisterBenchmark((std::string("BM_WriteFaceStreams/") + name).c_str(),
                                 BM_WriteFaceStreams, std::string(name))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_ReadFaceStreams/") + name).c_str(),
                                 BM_ReadFaceStreams, std::string(name))
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
