// Geometric cell search: indexed lookup against the brute-force scan, on plates with a grid of
// through holes (about 100, 1,000 and 5,000 faces; plain and with filleted outer edges), for
// vertices, edges and faces. Each lookup searches the rounded point and direction of a cell, as
// a text stream gives them back. Then the vertex lookup of the stream reader (the first vertex
// in the body's order within the tolerance) from the index against the walk over the body's
// vertices, through the host's objects and in the kernel; the index build; and the point
// written for the top face of the holed plates.
//
// Counters: exact_tests = mean exact distance tests per lookup; index_build_s = time to build
// the search index of the body; cells = cells of the searched dimension; not_first = lookups
// whose answer differs from the walk's (0 expected).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroBRepKernel.h"
#include "KroBenchData.h"
#include "KroMfPart.h"
#include "KroMmdGeomCursorForODT.h"
#include "KroVertex.h"

namespace {

constexpr double kTol = KroMmdGeomCursorForODT::_LocationTolerance;

struct BodyCase {
  const char* name;
  int rows, cols;
  bool filleted;
};

const BodyCase kBodies[] = {
    {"PlateHoles1", 1, 1, false},
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
  if (!b.model) KroBenchFail(std::string(c.name) + ": " + st.message);
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
      b.probes[dim].push_back(
          {{Rounded(p.x), Rounded(p.y), Rounded(p.z)}, {Rounded(d.x), Rounded(d.y), Rounded(d.z)}});
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

// The vertex lookup on a body of a document, from every vertex's written point in turn.
struct VertexData {
  KroMfPart_var document;
  KroBody_var body;
  std::vector<KroMathPoint> probes;
  std::vector<KroCell*> expected;  // the walk's answer for each probe
};

// The walk the stream reader used to make: every vertex of the body through the host's
// objects, in order, until one lies strictly within the tolerance.
KroCell* WalkVertices(const KroBody_var& body, const KroMathPoint& point) {
  KroListPtrKroCell vertices;
  body->GetAllCells(vertices, 0);
  for (int index = 1; index <= vertices.Size(); ++index) {
    KroVertex_var candidate = vertices[index];
    if (!candidate) continue;
    KroPoint_var at = candidate->GetPoint();
    if (!!at && at->GetModelPoint().DistanceTo(point) < kTol) return vertices[index];
  }
  return nullptr;
}

VertexData& GetVertexData(const std::string& name) {
  return KroBenchKept<VertexData>(name, [&name](VertexData& data) {
    data.document = KroBenchDocument(
        name == "PlateHoles5000" ? KroBenchSet::kHoledPlate5000 : KroBenchSet::kTqfp100, name);
    data.body = data.document->GetBody(1);
    KroListPtrKroCell vertices;
    data.body->GetAllCells(vertices, 0);
    for (int index = 1; index <= vertices.Size(); ++index) {
      KroMathPoint p;
      vertices[index]->GetPointOnCell(p);
      data.probes.emplace_back(Rounded(p.GetX()), Rounded(p.GetY()), Rounded(p.GetZ()));
      data.expected.push_back(WalkVertices(data.body, data.probes.back()));
    }
  });
}

void RunVertexLookup(benchmark::State& state, const std::string& name, bool indexed) {
  VertexData& data = GetVertexData(name);
  std::size_t k = 0;
  int64_t notFirst = 0;
  for (auto _ : state) {
    const std::size_t at = k++ % data.probes.size();
    KroCell* cell = nullptr;
    if (indexed) {
      KroCell_var found;
      GetFirstVertexOnBodyFromPoint(kTol, &data.probes[at], data.body.get(), found);
      cell = found.get();
    } else {
      cell = WalkVertices(data.body, data.probes[at]);
    }
    if (cell != data.expected[at]) ++notFirst;
    benchmark::DoNotOptimize(cell);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["vertices"] = static_cast<double>(data.probes.size());
  state.counters["not_first"] = static_cast<double>(notFirst);
}

// The point written for the top face (the planar face with the most edges) of a holed plate,
// on a body seen for the first time or, warm, after its index was built (as in a roundtrip).
void RunFaceInteriorPoint(benchmark::State& state, const BodyCase& c, bool warm) {
  for (auto _ : state) {
    auto model = KroBRepModel::MakeHoledPlate(c.rows, c.cols, c.filleted);
    const KroBRepSolid& s = *model->Solid(0);
    int top = 0;
    std::size_t most = 0;
    for (int f = 0; f < s.CellCount(2); ++f) {
      const std::size_t edges = s.Cell(2, f).SubCells(1).size();
      if (s.Cell(2, f).GeometryType() == "Plane" && edges >= most) most = edges, top = f;
    }
    if (warm) s.BuildIndex();
    KroBRepXYZ p;
    const auto start = std::chrono::steady_clock::now();
    s.Cell(2, top).Point(p);
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.counters["face_edges"] = static_cast<double>(most);
  }
}

const char* kDims[] = {"Vertices", "Edges", "Faces"};

int Register() {
  for (const BodyCase& c : kBodies) {
    const bool big = c.rows * c.cols >= 5000;
    const bool medium = c.rows * c.cols >= 1000;
    for (int dim = 0; dim < 3; ++dim) {
      benchmark::RegisterBenchmark((std::string("BM_Search/") + kDims[dim] + "/" + c.name).c_str(),
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
    if (c.filleted) continue;
    for (bool warm : {false, true})
      benchmark::RegisterBenchmark(
          (std::string("BM_FaceInteriorPoint/") + (warm ? "Warm/" : "Fresh/") + c.name).c_str(),
          [c, warm](benchmark::State& st) { RunFaceInteriorPoint(st, c, warm); })
          ->UseManualTime()
          ->Iterations(big ? 3 : 10)
          ->Unit(benchmark::kMillisecond);
  }
  for (const char* name : {"PlateHoles5000", "TQFP100"}) {
    benchmark::RegisterBenchmark((std::string("BM_VertexLookup/Indexed/") + name).c_str(),
                                 RunVertexLookup, std::string(name), true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("BM_VertexLookup/Walk/") + name).c_str(),
                                 RunVertexLookup, std::string(name), false)
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(200);
  }
  return 0;
}

const int kRegistered = Register();

}  // namespace

BENCHMARK_MAIN();
