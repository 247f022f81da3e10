// Comparing two versions of a model cell by cell, as kro-odt diff does: the plate with a 50 x 100
// grid of through holes (30,027 cells) against the same plate with one more hole drilled
// between its first four. Items are cells of the old version; the counters say what the diff
// found, so that a fast wrong answer cannot pass for a speed-up (every old cell kept, the new
// hole's six cells new).
#include <benchmark/benchmark.h>

#include <string>

#include "KroBRepEdit.h"
#include "KroBenchData.h"
#include "KroOdtDiff.h"

namespace {

struct Versions {
  KroMfPart_var before;
  KroMfPart_var after;
};

// Made once; kept until the process ends (documents are not torn down after the kernel's own
// statics).
Versions& GetVersions() {
  static Versions* versions = [] {
    auto* made = new Versions;
    KroBRepStatus status;
    const auto plate = KroBRepModel::MakeHoledPlate(50, 100, false, &status);
    const auto drilled = KroBRepEdit::ThroughHole(plate, 5, 5, 1.2, &status);
    if (!drilled) KroBenchFail("one more hole: " + status.message);
    KroUnicodeString message;
    if (KroMfPart::CreateFromModel(plate, made->before, &message) != KRO_S_OK ||
        KroMfPart::CreateFromModel(drilled, made->after, &message) != KRO_S_OK) {
      KroBenchFail("documents: " + message.ToStdString());
    }
    // Build the search indexes first, so that the benchmark measures the comparison alone.
    for (const auto& model : {plate, drilled}) {
      if (!model->Solid(0)->BuildIndex().Ok()) KroBenchFail("index");
    }
    return made;
  }();
  return *versions;
}

// state.range(0): the dimension compared, -1 for all.
void BM_Diff(benchmark::State& state) {
  Versions& versions = GetVersions();
  const int dimension = static_cast<int>(state.range(0));
  KroOdtDiffResult result;
  for (auto _ : state) {
    result = KroOdtDiffModels(versions.before, versions.after, dimension, nullptr);
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(result.total.cells));
  state.counters["cells"] = result.total.cells;
  state.counters["kept"] = result.total.kept;
  state.counters["not_kept"] = result.total.cells - result.total.kept;
  state.counters["new"] = result.total.added;
}

BENCHMARK(BM_Diff)
    ->Name("BM_Diff/HoledPlate5000_vs_OneMoreHole")
    ->ArgName("dimension")
    ->Arg(-1)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
