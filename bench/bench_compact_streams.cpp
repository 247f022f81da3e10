// Compact topology streams: writing the stream of every face of a body and reading each one
// back to its face, on a plate with a 50 x 100 grid of through holes (5,006 faces) and on the
// TQFP-100 model (1,549 faces). Items are streams.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroListPtrKroCell.h"
#include "KroMfPart.h"
#include "KroMmdStreamTopoForODT.h"

namespace {

struct Data {
  KroMfPart_var document;
  KroBody_var body;
  std::vector<KroTopology_var> faces;
  std::vector<KroUnicodeString> streams;  // one per face, in face order
};

void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

// The document of a data set, its faces and their streams, made once.
Data& GetData(const std::string& name) {
  // Kept until the process ends: documents are not torn down after the kernel's own statics.
  static auto* sets = new std::map<std::string, Data>();
  auto found = sets->find(name);
  if (found != sets->end()) return found->second;
  Data& data = (*sets)[name];
  KroUnicodeString message;
  KroResult rc = KRO_E_FAIL;
  if (name == "HoledPlate5006") {
    rc = KroMfPart::CreateFromModel(KroBRepModel::MakeHoledPlate(50, 100, false), data.document,
                                    &message);
  } else {
    rc = KroMfPart::Load(KroUnicodeString(std::string(KROODT_MODELS_DIR) +
                                          "/TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step"),
                         data.document, &message);
  }
  if (rc != KRO_S_OK) Fail(name + ": " + message.ToStdString());
  data.body = data.document->GetBody(1);
  KroListPtrKroCell cells;
  data.body->GetAllCells(cells, 2);
  KroMmdStreamTopoForODT writer;
  for (int index = 1; index <= cells.Size(); ++index) {
    KroTopology_var face(static_cast<KroBaseUnknown*>(cells[index]));
    KroUnicodeString stream;
    if (writer.GetStreamFromTopo(data.body, face, stream) != KRO_S_OK) Fail(name + ": write");
    data.faces.push_back(face);
    data.streams.push_back(stream);
  }
  // Warm the search structures, so that both benchmarks measure steady work.
  KroBody_var body;
  KroTopology_var cell;
  KroINamingContext_var context(static_cast<KroBaseUnknown*>(data.document.get()));
  if (writer.GetTopoFromStream(data.streams.front(), context, body, cell) != KRO_S_OK)
    Fail(name + ": read");
  return data;
}

void BM_WriteFaceStreams(benchmark::State& state, const std::string& name) {
  Data& data = GetData(name);
  KroMmdStreamTopoForODT writer;
  KroUnicodeString stream;
  for (auto _ : state) {
    for (KroTopology_var& face : data.faces) {
      if (writer.GetStreamFromTopo(data.body, face, stream) != KRO_S_OK) Fail("write");
      benchmark::DoNotOptimize(stream);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(data.faces.size()));
  state.counters["faces"] = static_cast<double>(data.faces.size());
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
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(data.streams.size()));
  state.counters["faces"] = static_cast<double>(data.streams.size());
  // Faces that did not come back as themselves, per pass (0 expected).
  state.counters["not_itself"] =
      static_cast<double>(wrong) / static_cast<double>(state.iterations());
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
