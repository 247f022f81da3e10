// Geometric cell search: indexed lookup against the brute-force scan, on plates with a grid of
// through holes (about 100, 1,000 and 5,000 faces; plain and with filleted outer edges), for
// vertices, edges and faces. Each lookup searches the rounded point and direction of a cell, as
// a text stream gives them back.
//
// Counters: exact_tests = mean exact distance tests per lookup; index_build_s = time to build
// the search index of the body; cells = cells of the searched dimension.
#include "KroBRepKernel.h"
#include "KroMmdGeomCursorForODT.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kTol = KroMmdGeomCursorForODT::_LocationTolerance;

struct BodyCase {
  const char* name;
  int rows, cols;
  bool filleted;
};

const BodyCase kBodies[] = {
    {"PlateHoles100", 10, 10, false},
    {"PlateHoles1000", 25, 40, false},
    {"PlateHoles5000", 50, 100, false},
    {"FilletedPlateHoles100", 10, 10, true},
    {"FilletedPlateHoles1000", 25, 40, true},
    {"FilletedPlateHoles5000", 50, 100, true},
};

double Rounded(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", v);
  return std::strtod(buf, nullptr);
}

struct Probe {
  KroBRepXYZ point;
  KroBRepXYZ direction;
};

struct Body {
  std::shared_ptr<KroBRepModel> model;
  std::vector<Probe> probes[3];
};

// Bodies and probes are made once and shared by the cases.
Body& GetBody(const BodyCase& c) {
  static std::map<std::string, Body> bodies;
  auto it = bodies.find(c.name);
  if (it != bodies.end()) return it->second;
  Body& b = bodies[c.name];
  KroBRepStatus st;
  b.model = KroBRepModel::MakeHoledPlate(c.rows, c.cols, c.filleted, &st);
  if (!b.model) {
    std::fprintf(stderr, "%s: %s\n", c.name, st.message.c_str());
    std::abort();
  }
  const KroBRepSolid& s = *b.model->Solid(0);
  s.BuildIndex();
  for (int dim = 0; dim < 3; ++dim) {
    const int n = s.CellCount(dim);
    const int step = n > 2000 ? n / 2000 : 1;
    for (int i = 0; i < n; i += step) {
      const KroBRepCell cell = s.Cell(dim, i);
      KroBRepXYZ p, d{1, 0, 0};
      if (!cell.Point(p).Ok()) continue;
      if (dim > 0) cell.Direction(p, d);
      b.probes[dim].push_back({{Rounded(p.x), Rounded(p.y), Rounded(p.z)},
                               {Rounded(d.x), Rounded(d.y), Rounded(d.z)}});
    }
  }
  return b;
}

void RunSearch(benchmark::State& state, const BodyCase& c, int dim, bool indexed) {
  Body& b = GetBody(c);
  const KroBRepSolid& s = *b.model->Solid(0);
  const std::vector<Probe>& probes = b.probes[dim];
  std::vector<KroBRepCellHit> hits;
  std::size_t k = 0, found = 0;
  s.ResetExactTestCount();
  for (auto _ : state) {
    const Probe& p = probes[k++ % probes.size()];
    if (indexed)
      s.Search(dim, kTol, p.point, &p.direction, hits);
    else
      s.SearchBruteForce(dim, kTol, p.point, &p.direction, hits);
    found += hits.empty() ? 0 : 1;
    benchmark::DoNotOptimize(hits.data());
  }
  const double lookups = static_cast<double>(state.iterations());
  state.counters["exact_tests"] = static_cast<double>(s.ExactTestCount()) / lookups;
  state.counters["index_build_s"] = s.IndexBuildSeconds();
  state.counters["cells"] = s.CellCount(dim);
  state.counters["found"] = static_cast<double>(found) / lookups;
}

// Index build on a fresh body each time (the body itself is made outside the timing).
void RunIndexBuild(benchmark::State& state, const BodyCase& c) {
  double faces = 0;
  for (auto _ : state) {
    auto model = KroBRepModel::MakeHoledPlate(c.rows, c.cols, c.filleted);
    const KroBRepSolid& s = *model->Solid(0);
    s.BuildIndex();
    state.SetIterationTime(s.IndexBuildSeconds());
    faces = s.CellCount(2);
  }
  state.counters["faces"] = faces;
}

const char* kDims[] = {"Vertices", "Edges", "Faces"};

int Register() {
  for (const BodyCase& c : kBodies) {
    const bool big = c.rows * c.cols >= 5000;
    const bool medium = c.rows * c.cols >= 1000;
    for (int dim = 0; dim < 3; ++dim) {
      benchmark::RegisterBenchmark(
          (std::string("BM_Search/") + kDims[dim] + "/" + c.name).c_str(),
          [c, dim](benchmark::State& st) { RunSearch(st, c, dim, true); })
          ->Unit(benchmark::kMicrosecond);
      auto* brute = benchmark::RegisterBenchmark(
          (std::string("BM_SearchBruteForce/") + kDims[dim] + "/" + c.name).c_str(),
          [c, dim](benchmark::State& st) { RunSearch(st, c, dim, false); });
      brute->Unit(benchmark::kMicrosecond);
      if (big)
        brute->Iterations(20);
      else if (medium)
        brute->Iterations(200);
    }
    benchmark::RegisterBenchmark((std::string("BM_IndexBuild/") + c.name).c_str(),
                                 [c](benchmark::State& st) { RunIndexBuild(st, c); })
        ->UseManualTime()
        ->Iterations(big ? 3 : 10)
        ->Unit(benchmark::kMillisecond);
  }
  return 0;
}

const int kRegistered = Register();

}  // namespace

BENCHMARK_MAIN();
