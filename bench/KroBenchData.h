// Shared by the benchmarks: stopping a run whose set-up fails, the documents of the data sets
// that benchmarks are named after, data made once per set and kept for the whole run, every
// cell of a document with its supporting feature, and the counters of item benchmarks.
#ifndef KroBenchData_H
#define KroBenchData_H

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "KroBRepModel.h"
#include "KroBrpGraph.h"
#include "KroCell.h"
#include "KroIGeometricalElement.h"
#include "KroListPtrKroCell.h"
#include "KroMfGNServices.h"
#include "KroMfPart.h"

// Stops the run, saying what went wrong.
[[noreturn]] inline void KroBenchFail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

// The TQFP-100 model of the tests' data folder: one solid of 8,411 cells, 1,549 of them faces.
inline std::string KroBenchTqfp100Path() {
  return std::string(KROODT_MODELS_DIR) + "/TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step";
}

// The documents of the data sets: the built-in sample part (741 cells), the TQFP-100 model, and
// a plate with a 50 x 100 grid of through holes (5,006 faces, 30,027 cells).
enum class KroBenchSet { kSample, kTqfp100, kHoledPlate5000 };

// A fresh document of the set; the run stops, under name, when it cannot be made.
inline KroMfPart_var KroBenchDocument(KroBenchSet set, const std::string& name) {
  KroMfPart_var document;
  KroUnicodeString message;
  KroResult rc = KRO_E_FAIL;
  switch (set) {
    case KroBenchSet::kSample:
      rc = KroMfPart::CreateSamplePart(document, &message);
      break;
    case KroBenchSet::kTqfp100:
      rc = KroMfPart::Load(KroUnicodeString(KroBenchTqfp100Path()), document, &message);
      break;
    case KroBenchSet::kHoledPlate5000:
      rc = KroMfPart::CreateFromModel(KroBRepModel::MakeHoledPlate(50, 100, false), document,
                                      &message);
      break;
  }
  if (rc != KRO_S_OK) KroBenchFail(name + ": " + message.ToStdString());
  return document;
}

// The data of the set called name, made by make(data) on first use and kept until the process
// ends: documents are not torn down after the kernel's own statics.
template <class Data, class Make>
Data& KroBenchKept(const std::string& name, Make make) {
  static auto* sets = new std::map<std::string, Data>();
  const auto found = sets->find(name);
  if (found != sets->end()) return found->second;
  Data& data = (*sets)[name];
  make(data);
  return data;
}

// Every cell of the document, body by body and within a body from vertices to volumes, with the
// feature that the naming graph gives for its body: fn(cell, feature).
template <class Fn>
void KroBenchForEachCell(const KroMfPart_var& document, Fn&& fn) {
  KroBrpGraph* graph = KroMfGNServices::GetGraph(document);
  for (int b = 1; b <= document->GetBodyCount(); ++b) {
    KroBody_var body = document->GetBody(b);
    const KroIGeometricalElement_var feature(graph->GetScope(body.get())->GetAssociatedObject());
    for (short dimension = 0; dimension <= 3; ++dimension) {
      KroListPtrKroCell cells;
      body->GetAllCells(cells, dimension);
      for (int i = 1; i <= cells.Size(); ++i) fn(KroCell_var(cells[i]), feature);
    }
  }
}

// Items per second, items being what one pass handles, and their count under unit ("cells").
inline void KroBenchCountItems(benchmark::State& state, size_t items, const char* unit) {
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(items));
  state.counters[unit] = static_cast<double>(items);
}

// not_itself: per pass, the items that did not come back as themselves (0 expected), so that a
// fast wrong answer cannot pass for a speed-up.
inline void KroBenchCountNotItself(benchmark::State& state, int64_t wrong) {
  state.counters["not_itself"] =
      static_cast<double>(wrong) / static_cast<double>(state.iterations());
}

#endif
