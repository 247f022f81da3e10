// Whole-model round trips as kro-odt roundtrip runs them: every cell's topology stream written
// and read back in the same document, judged same, ambiguous, lost or wrong, on the 5,000-hole
// plate (30,027 cells) and on TQFP-100 (8,411 cells). Each iteration works on a freshly made
// document (made outside the timing), so that nothing is cached from the iteration before.
// Beside each, writing every stream alone, the half a round trip cannot do without.
//
// Counters: cells; not_same = cells lost or wrong (0 expected).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "KroBenchData.h"
#include "KroOdtModel.h"
#include "KroOdtRoundtrip.h"

namespace {

KroMfPart_var MakeDocument(const std::string& name) {
  return KroBenchDocument(
      name == "PlateHoles5000" ? KroBenchSet::kHoledPlate5000 : KroBenchSet::kTqfp100, name);
}

void BM_RoundTrip(benchmark::State& state, const std::string& name) {
  int cells = 0, notSame = 0;
  for (auto _ : state) {
    KroMfPart_var document = MakeDocument(name);
    const auto start = std::chrono::steady_clock::now();
    const KroOdtRoundtripResult result = KroOdtRoundtripModel(document, -1, nullptr);
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cells = result.total.cells;
    notSame = result.total.lost + result.total.wrong;
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cells));
  state.counters["cells"] = cells;
  state.counters["not_same"] = notSame;
}

void BM_WriteAllStreams(benchmark::State& state, const std::string& name) {
  int cells = 0, unwritten = 0;
  for (auto _ : state) {
    KroMfPart_var document = MakeDocument(name);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<KroOdtCellEntry> entries = KroOdtListCells(document);
    for (const KroOdtCellEntry& entry : entries) {
      std::string stream;
      if (!KroOdtWriteTopoStream(entry.body, entry.cell, stream).ok) ++unwritten;
    }
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cells = static_cast<int>(entries.size());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cells));
  state.counters["cells"] = cells;
  state.counters["not_same"] = unwritten;
}

const bool kRegistered = [] {
  for (const char* name : {"PlateHoles5000", "TQFP100"}) {
    benchmark::RegisterBenchmark((std::string("BM_RoundTrip/") + name).c_str(), BM_RoundTrip,
                                 std::string(name))
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_WriteAllStreams/") + name).c_str(),
                                 BM_WriteAllStreams, std::string(name))
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
