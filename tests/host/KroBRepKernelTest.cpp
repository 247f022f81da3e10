// Tests of the B-rep kernel: models read from real STEP files and built in code, stable
// topology and tags, local geometry, and the geometric cell search (written points and
// directions, rounded to six significant digits, must find the very same cell again).
#include "KroBRepKernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr double kTol = 0.02;  // the location tolerance of the geometric streams

std::string ModelPath(const std::string& name) { return std::string(KROODT_MODELS_DIR) + "/" + name; }

struct ModelFacts {
  const char* file;
  int solids;
  int faces;
  int edges;
  int vertices;
};

// Counts as read by the geometric engine (distinct sub-shapes of the file).
const ModelFacts kModels[] = {
    {"Crystal_AT310_D3.0mm_L10.0mm_Horizontal_1EP_style2.step", 1, 18, 30, 17},
    {"L_Axial_L24.0mm_D7.5mm_P5.08mm_Vertical_Fastron_MESC.step", 1, 27, 51, 26},
    {"CP_Elec_6.3x5.9.step", 1, 41, 103, 65},
    {"Transformer_Breve_TEZ-22x24.step", 8, 63, 117, 61},
    {"SMA_Amphenol_132291-12_Vertical.step", 1, 137, 287, 159},
    {"DSUB-15-HD_Female_Horizontal_P2.29x1.98mm_EdgePinOffset9.40mm.step", 1, 234, 481, 282},
    {"TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step", 1, 1549, 4203, 2658},
};

std::shared_ptr<KroBRepModel> LoadOrFail(const std::string& path) {
  KroBRepStatus st;
  auto m = KroBRepModel::Load(path, st);
  EXPECT_TRUE(st.Ok()) << path << ": " << st.message;
  return m;
}

int TotalCells(const KroBRepModel& m, int dim) {
  int n = 0;
  for (int s = 0; s < m.SolidCount(); ++s) n += m.Solid(s)->CellCount(dim);
  return n;
}

// What a writer puts in a text stream: each coordinate as "%g" would print it.
double Rounded(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", v);
  return std::strtod(buf, nullptr);
}
KroBRepXYZ Rounded(const KroBRepXYZ& p) { return {Rounded(p.x), Rounded(p.y), Rounded(p.z)}; }

double Dot(const KroBRepXYZ& a, const KroBRepXYZ& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
KroBRepXYZ Minus(const KroBRepXYZ& a, const KroBRepXYZ& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

bool UnderSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return std::getenv("KROODT_KERNEL_SAMPLE") != nullptr;
}

// Every cell for ordinary bodies; under a sanitizer, every 7th cell of a big body.
int Stride(const KroBRepSolid& s) { return UnderSanitizer() && s.CellCount(2) > 500 ? 7 : 1; }

struct RoundTripCounts {
  int same = 0;
  int ambiguous = 0;
  int wrong = 0;
  int skipped = 0;  // degenerate edges (no curve, no direction)
  std::vector<std::string> failures;
};

// Writes the point (and direction) of every cell of a solid as a stream would, reads it back
// through the cell search, and classifies the answer.
void RoundTrip(const KroBRepSolid& solid, int dim, RoundTripCounts& counts) {
  const int stride = Stride(solid);
  for (int i = 0; i < solid.CellCount(dim); i += stride) {
    const KroBRepCell cell = solid.Cell(dim, i);
    if (dim == kKroBRepEdge && cell.IsDegenerate()) {
      ++counts.skipped;
      continue;
    }
    KroBRepXYZ p;
    KroBRepStatus st = cell.Point(p);
    ASSERT_TRUE(st.Ok()) << solid.Name() << " dim " << dim << " #" << i << ": " << st.message;
    double onCell = 1.0;
    ASSERT_TRUE(cell.DistanceTo(p, onCell).Ok());
    EXPECT_LT(onCell, 1e-6) << "the point of a cell lies on it: " << solid.Name() << " dim "
                            << dim << " #" << i;
    const KroBRepXYZ written = Rounded(p);
    if (dim == kKroBRepVertex) {
      KroBRepCell found;
      ASSERT_TRUE(solid.FirstVertexNear(written, kTol, found).Ok());
      if (found == cell) {
        ++counts.same;
      } else {
        ++counts.ambiguous;  // an earlier vertex lies within the tolerance: it wins by order
      }
      continue;
    }
    KroBRepXYZ d{1, 0, 0};
    if (dim == kKroBRepEdge || dim == kKroBRepFace) {
      st = cell.Direction(p, d);
      ASSERT_TRUE(st.Ok()) << solid.Name() << " dim " << dim << " #" << i << ": " << st.message;
    }
    const KroBRepXYZ writtenDir = Rounded(d);
    std::vector<KroBRepCellHit> hits;
    ASSERT_TRUE(solid.Search(dim, kTol, written, &writtenDir, hits).Ok());
    if (!hits.empty() && hits[0].cell == cell) {
      ++counts.same;
      continue;
    }
    const auto self = std::find_if(hits.begin(), hits.end(),
                                   [&](const KroBRepCellHit& h) { return h.cell == cell; });
    // Indistinguishable: the winner is as near and its direction agrees as well as ours.
    if (!hits.empty() && self != hits.end() && hits[0].directionAgrees &&
        self->directionAgrees && hits[0].distance <= self->distance + 1e-9) {
      ++counts.ambiguous;
    } else {
      ++counts.wrong;
      counts.failures.push_back(solid.Name() + " dim " + std::to_string(dim) + " #" +
                                std::to_string(i) + " (" + cell.GeometryType() + ")");
    }
  }
}

void ReportRoundTrip(const std::string& model, const KroBRepModel& m) {
  static const char* kDims[] = {"vertices", "edges", "faces", "volumes"};
  for (int dim = 0; dim < 4; ++dim) {
    SCOPED_TRACE(std::string(kDims[dim]));
    RoundTripCounts c;
    for (int s = 0; s < m.SolidCount(); ++s) RoundTrip(*m.Solid(s), dim, c);
    std::cout << "[ counts   ] " << model << " " << kDims[dim] << ": same " << c.same
              << ", ambiguous " << c.ambiguous << ", wrong " << c.wrong;
    if (c.skipped) std::cout << ", degenerate skipped " << c.skipped;
    std::cout << "\n";
    ::testing::Test::RecordProperty(model + "." + kDims[dim] + ".same", c.same);
    ::testing::Test::RecordProperty(model + "." + kDims[dim] + ".ambiguous", c.ambiguous);
    EXPECT_EQ(c.wrong, 0) << "first wrong cells: "
                          << (c.failures.empty() ? std::string() : c.failures[0]);
    EXPECT_GT(c.same, 0);
  }
}

// --------------------------------------------------------------------------------------------
// KroBRepModel
// --------------------------------------------------------------------------------------------

TEST(KroBRepModel, ReadsEveryStepModelWithTheEngineCounts) {
  for (const ModelFacts& f : kModels) {
    SCOPED_TRACE(f.file);
    auto m = LoadOrFail(ModelPath(f.file));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->SolidCount(), f.solids);
    EXPECT_EQ(TotalCells(*m, kKroBRepFace), f.faces);
    EXPECT_EQ(TotalCells(*m, kKroBRepEdge), f.edges);
    EXPECT_EQ(TotalCells(*m, kKroBRepVertex), f.vertices);
    EXPECT_EQ(TotalCells(*m, kKroBRepVolume), f.solids);
    ASSERT_EQ(static_cast<int>(m->Features().size()), m->SolidCount());
    for (int s = 0; s < m->SolidCount(); ++s) {
      EXPECT_FALSE(m->Solid(s)->Name().empty());
      EXPECT_EQ(m->Features()[s].name, m->Solid(s)->Name());
    }
  }
}

TEST(KroBRepModel, NamesSolidsAfterTheirStepProduct) {
  auto m = LoadOrFail(ModelPath("CP_Elec_6.3x5.9.step"));
  ASSERT_TRUE(m);
  // The part's product is named after the file's component, not "Solid.1".
  EXPECT_NE(m->Solid(0)->Name(), "Solid.1");
  EXPECT_NE(m->Solid(0)->Name().find("CP_Elec"), std::string::npos) << m->Solid(0)->Name();
  auto t = LoadOrFail(ModelPath("Transformer_Breve_TEZ-22x24.step"));
  ASSERT_TRUE(t);
  std::set<std::string> names;
  for (int s = 0; s < t->SolidCount(); ++s) names.insert(t->Solid(s)->Name());
  EXPECT_EQ(static_cast<int>(names.size()), t->SolidCount()) << "solid names are distinct";
}

TEST(KroBRepModel, LoadingTwiceGivesTheSameNamesTagsAndCellOrder) {
  for (const ModelFacts& f : kModels) {
    SCOPED_TRACE(f.file);
    auto a = LoadOrFail(ModelPath(f.file));
    auto b = LoadOrFail(ModelPath(f.file));
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->SolidCount(), b->SolidCount());
    std::set<std::uint32_t> tags;
    for (int s = 0; s < a->SolidCount(); ++s) {
      const KroBRepSolid& sa = *a->Solid(s);
      const KroBRepSolid& sb = *b->Solid(s);
      EXPECT_EQ(sa.Name(), sb.Name());
      EXPECT_EQ(sa.Tag(), sb.Tag());
      EXPECT_TRUE(tags.insert(sa.Tag()).second);
      EXPECT_EQ(a->SolidByTag(sa.Tag()), &sa);
      for (int dim = 0; dim < 4; ++dim) {
        ASSERT_EQ(sa.CellCount(dim), sb.CellCount(dim));
        // Vertices compared by position, so that a reordering would show.
        for (int i = 0; i < sa.CellCount(dim); ++i) {
          const KroBRepCell ca = sa.Cell(dim, i), cb = sb.Cell(dim, i);
          EXPECT_EQ(ca.Tag(), cb.Tag());
          EXPECT_TRUE(tags.insert(ca.Tag()).second) << "tag " << ca.Tag() << " used twice";
          EXPECT_EQ(a->CellByTag(ca.Tag()), ca);
          if (dim == kKroBRepVertex) {
            KroBRepXYZ pa, pb;
            ASSERT_TRUE(ca.Point(pa).Ok() && cb.Point(pb).Ok());
            EXPECT_EQ(pa.x, pb.x);
            EXPECT_EQ(pa.y, pb.y);
            EXPECT_EQ(pa.z, pb.z);
          }
        }
      }
    }
  }
}

TEST(KroBRepModel, MissingOrNonModelFilesFailCleanly) {
  const std::string text = ::testing::TempDir() + "kro_brep_not_a_model.txt";
  std::ofstream(text) << "just some words, not a model\n";
  const std::string fakeStep = ::testing::TempDir() + "kro_brep_broken.step";
  std::ofstream(fakeStep) << "ISO-10303-21;\nHEADER;\nthis is not STEP\n";
  const std::string empty = ::testing::TempDir() + "kro_brep_empty.brep";
  std::ofstream(empty).flush();
  const struct {
    std::string path;
    KroBRepCode code;
  } cases[] = {
      {ModelPath("no_such_model.step"), KroBRepCode::FileNotFound},
      {text, KroBRepCode::NotAModel},
      {fakeStep, KroBRepCode::NotAModel},
      {empty, KroBRepCode::NotAModel},
      {std::string(KROODT_MODELS_DIR) + "/README.md", KroBRepCode::NotAModel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    KroBRepStatus st;
    auto m = KroBRepModel::Load(c.path, st);
    EXPECT_FALSE(m);
    EXPECT_FALSE(st.Ok());
    EXPECT_EQ(st.code, c.code) << st.message;
    EXPECT_FALSE(st.message.empty());
  }
}

TEST(KroBRepModel, BRepFileRoundTripKeepsCellsAndPoints) {
  auto part = KroBRepModel::MakeSamplePart();
  ASSERT_TRUE(part);
  const std::string path = ::testing::TempDir() + "kro_brep_sample.brep";
  ASSERT_TRUE(part->SaveBRep(path).Ok());
  auto back = LoadOrFail(path);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->SolidCount(), part->SolidCount());
  for (int s = 0; s < part->SolidCount(); ++s) {
    EXPECT_EQ(back->Solid(s)->Name(), "Solid." + std::to_string(s + 1));
    EXPECT_EQ(back->Solid(s)->Tag(), part->Solid(s)->Tag());
    for (int dim = 0; dim < 3; ++dim) {
      ASSERT_EQ(back->Solid(s)->CellCount(dim), part->Solid(s)->CellCount(dim));
      for (int i = 0; i < part->Solid(s)->CellCount(dim); ++i) {
        KroBRepXYZ a, b;
        ASSERT_TRUE(part->Solid(s)->Cell(dim, i).Point(a).Ok());
        ASSERT_TRUE(back->Solid(s)->Cell(dim, i).Point(b).Ok());
        EXPECT_NEAR(a.x, b.x, 1e-9);
        EXPECT_NEAR(a.y, b.y, 1e-9);
        EXPECT_NEAR(a.z, b.z, 1e-9);
      }
    }
  }
}

TEST(KroBRepModel, SamplePartHasNamedFeaturesOfSeveralSurfaceKinds) {
  KroBRepStatus st;
  auto part = KroBRepModel::MakeSamplePart(&st);
  ASSERT_TRUE(part) << st.message;
  std::vector<std::string> names;
  for (const KroBRepFeature& f : part->Features()) {
    names.push_back(f.name);
    ASSERT_GE(f.solidIndex, 0);
    EXPECT_EQ(part->Solid(f.solidIndex)->Name(), f.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Plate", "Boss", "Fillet.1", "Rib", "Loft", "Hole.1",
                                             "Hole.2", "BossHole"}));
  int cells = 0;
  std::set<std::string> kinds;
  for (int s = 0; s < part->SolidCount(); ++s)
    for (int dim = 0; dim < 4; ++dim) {
      cells += part->Solid(s)->CellCount(dim);
      if (dim == kKroBRepFace)
        for (const KroBRepCell& c : part->Solid(s)->Cells(dim)) kinds.insert(c.GeometryType());
    }
  EXPECT_GE(cells, 150);
  for (const char* kind : {"Plane", "Cylinder", "Torus", "BSplineSurface"})
    EXPECT_EQ(kinds.count(kind), 1u) << kind;
  // Each feature changes the part.
  for (int s = 1; s < part->SolidCount(); ++s)
    EXPECT_NE(part->Solid(s)->CellCount(kKroBRepFace), part->Solid(s - 1)->CellCount(kKroBRepFace))
        << part->Solid(s)->Name();
  // Deterministic: a second build has the same tags and cell points.
  auto again = KroBRepModel::MakeSamplePart();
  ASSERT_TRUE(again);
  const KroBRepSolid& a = *part->Solid(part->SolidCount() - 1);
  const KroBRepSolid& b = *again->Solid(again->SolidCount() - 1);
  ASSERT_EQ(a.CellCount(kKroBRepFace), b.CellCount(kKroBRepFace));
  for (int i = 0; i < a.CellCount(kKroBRepFace); ++i) {
    KroBRepXYZ pa, pb;
    ASSERT_TRUE(a.Cell(2, i).Point(pa).Ok() && b.Cell(2, i).Point(pb).Ok());
    EXPECT_EQ(a.Cell(2, i).Tag(), b.Cell(2, i).Tag());
    EXPECT_NEAR(pa.x, pb.x, 1e-12);
    EXPECT_NEAR(pa.y, pb.y, 1e-12);
    EXPECT_NEAR(pa.z, pb.z, 1e-12);
  }
}

TEST(KroBRepModel, GeneratedPlatesHaveTheRequestedFaceCounts) {
  const struct {
    int rows, cols;
    bool filleted;
    int faces;
  } cases[] = {{10, 10, false, 106}, {4, 5, true, 6 + 20 + 12 + 8}, {0, 0, false, 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.rows) + "x" + std::to_string(c.cols) +
                 (c.filleted ? " filleted" : ""));
    KroBRepStatus st;
    auto m = KroBRepModel::MakeHoledPlate(c.rows, c.cols, c.filleted, &st);
    ASSERT_TRUE(m) << st.message;
    EXPECT_EQ(m->Solid(0)->CellCount(kKroBRepFace), c.faces);
  }
  auto v1 = KroBRepModel::MakePlateVersion(1);
  auto v2 = KroBRepModel::MakePlateVersion(2);
  ASSERT_TRUE(v1 && v2);
  EXPECT_EQ(v2->Solid(0)->CellCount(kKroBRepFace), v1->Solid(0)->CellCount(kKroBRepFace) + 1);
}

// --------------------------------------------------------------------------------------------
// KroBRepCell
// --------------------------------------------------------------------------------------------

TEST(KroBRepCell, NormalsPointOutOfTheMaterial) {
  auto box = KroBRepModel::MakeBox(10, 20, 30);
  ASSERT_TRUE(box);
  const KroBRepXYZ centre{5, 10, 15};
  for (const KroBRepCell& f : box->Solid(0)->Cells(kKroBRepFace)) {
    KroBRepXYZ p, n;
    ASSERT_TRUE(f.Point(p).Ok());
    ASSERT_TRUE(f.Direction(p, n).Ok());
    EXPECT_GT(Dot(n, Minus(p, centre)), 0.0) << "face " << f.Index();
    EXPECT_NEAR(Dot(n, n), 1.0, 1e-12);
  }
  // After a boolean cut the hole faces are reversed: their normal points to the hole's axis.
  auto plate = KroBRepModel::MakePlateVersion(2);
  ASSERT_TRUE(plate);
  int holes = 0;
  for (const KroBRepCell& f : plate->Solid(0)->Cells(kKroBRepFace)) {
    if (f.GeometryType() != "Cylinder") continue;
    ++holes;
    KroBRepXYZ p, n;
    ASSERT_TRUE(f.Point(p).Ok());
    ASSERT_TRUE(f.Direction(p, n).Ok());
    const double axisX = std::round((p.x - 20) / 30) * 30 + 20;  // holes at x = 20, 50, 80
    const KroBRepXYZ toAxis{axisX - p.x, 30 - p.y, 0};
    EXPECT_GT(Dot(n, toAxis), 0.0) << "hole face " << f.Index();
  }
  EXPECT_EQ(holes, 3);
}

TEST(KroBRepCell, DegenerateAndSeamEdgesAnswerWithoutCrashing) {
  auto sphere = KroBRepModel::MakeSphere(5);
  auto cylinder = KroBRepModel::MakeCylinder(3, 8);
  ASSERT_TRUE(sphere && cylinder);
  int degenerate = 0, seams = 0;
  for (const auto& m : {sphere, cylinder}) {
    const KroBRepSolid& s = *m->Solid(0);
    for (const KroBRepCell& e : s.Cells(kKroBRepEdge)) {
      SCOPED_TRACE(s.Name() + " edge " + std::to_string(e.Index()));
      KroBRepXYZ p, d;
      ASSERT_TRUE(e.Point(p).Ok());
      double t = 0, f = 0, l = 0;
      if (e.IsDegenerate()) {
        ++degenerate;
        EXPECT_FALSE(e.HasGeometry());
        EXPECT_EQ(e.Direction(p, d).code, KroBRepCode::NoGeometry);
        EXPECT_EQ(e.ProjectOnCurve(p, t).code, KroBRepCode::NoGeometry);
        EXPECT_EQ(e.Tangent(0.0, d).code, KroBRepCode::NoGeometry);
        EXPECT_EQ(e.ParameterRange(f, l).code, KroBRepCode::NoGeometry);
      } else {
        EXPECT_TRUE(e.Direction(p, d).Ok());
        EXPECT_TRUE(e.ProjectOnCurve(p, t).Ok());
        EXPECT_TRUE(e.ParameterRange(f, l).Ok());
        EXPECT_GE(t, f - 1e-9);
        EXPECT_LE(t, l + 1e-9);
      }
      if (e.IsSeam()) ++seams;
      std::vector<KroBRepCellHit> hits;
      KroBRepXYZ dir{0, 0, 1};
      EXPECT_TRUE(s.Search(kKroBRepEdge, kTol, p, &dir, hits).Ok());
      EXPECT_FALSE(hits.empty());
    }
    RoundTripCounts c;
    RoundTrip(s, kKroBRepFace, c);
    RoundTrip(s, kKroBRepEdge, c);
    RoundTrip(s, kKroBRepVolume, c);
    EXPECT_EQ(c.wrong, 0);
  }
  EXPECT_EQ(degenerate, 2);  // the sphere's poles
  EXPECT_EQ(seams, 2);       // one per body
}

TEST(KroBRepCell, SubCellsFollowTheSolidsOrderAndCoverTheBoundary) {
  auto box = KroBRepModel::MakeBox(1, 2, 3);
  ASSERT_TRUE(box);
  const KroBRepSolid& s = *box->Solid(0);
  const KroBRepCell volume = s.Cell(kKroBRepVolume, 0);
  EXPECT_EQ(volume.SubCells(kKroBRepFace), s.Cells(kKroBRepFace));
  EXPECT_EQ(volume.SubCells(kKroBRepVertex).size(), 8u);
  for (const KroBRepCell& f : s.Cells(kKroBRepFace)) {
    EXPECT_EQ(f.SubCells(kKroBRepEdge).size(), 4u);
    EXPECT_EQ(f.SubCells(kKroBRepVertex).size(), 4u);
    EXPECT_TRUE(f.SubCells(kKroBRepVolume).empty());
  }
  for (const KroBRepCell& e : s.Cells(kKroBRepEdge)) EXPECT_EQ(e.SubCells(kKroBRepVertex).size(), 2u);
  EXPECT_TRUE(KroBRepCell().SubCells(0).empty());
  KroBRepXYZ p;
  EXPECT_EQ(KroBRepCell().Point(p).code, KroBRepCode::BadArgument);
}

// --------------------------------------------------------------------------------------------
// KroBRepSolid
// --------------------------------------------------------------------------------------------

TEST(KroBRepSolid, FindsEveryCellOfTheStepModelsFromItsRoundedPoint) {
  for (const ModelFacts& f : kModels) {
    SCOPED_TRACE(f.file);
    auto m = LoadOrFail(ModelPath(f.file));
    ASSERT_TRUE(m);
    ReportRoundTrip(f.file, *m);
  }
}

TEST(KroBRepSolid, FindsEveryCellOfTheSamplePartFromItsRoundedPoint) {
  auto part = KroBRepModel::MakeSamplePart();
  ASSERT_TRUE(part);
  ReportRoundTrip("SamplePart", *part);
}

TEST(KroBRepSolid, IndexedSearchGivesTheBruteForceAnswers) {
  auto part = KroBRepModel::MakeSamplePart();
  auto plate = KroBRepModel::MakeHoledPlate(6, 7, true);
  auto dsub = LoadOrFail(ModelPath(kModels[5].file));
  ASSERT_TRUE(part && plate && dsub);
  for (const KroBRepSolid* s : {part->Solid(part->SolidCount() - 1), plate->Solid(0), dsub->Solid(0)}) {
    SCOPED_TRACE(s->Name());
    // Probe points: each cell's point, pushed off by a fraction of the tolerance, and a far one.
    for (int dim = 0; dim < 4; ++dim) {
      const int step = std::max(1, s->CellCount(dim) / 40);
      for (int i = 0; i < s->CellCount(dim); i += step) {
        KroBRepXYZ p;
        ASSERT_TRUE(s->Cell(dim, i).Point(p).Ok());
        for (const KroBRepXYZ& q : {p, KroBRepXYZ{p.x + 0.012, p.y - 0.007, p.z + 0.005},
                                    KroBRepXYZ{p.x + 1e3, p.y, p.z}}) {
          const KroBRepXYZ dir{0.6, 0.0, 0.8};
          std::vector<KroBRepCellHit> fast, slow;
          ASSERT_TRUE(s->Search(dim, kTol, q, &dir, fast).Ok());
          ASSERT_TRUE(s->SearchBruteForce(dim, kTol, q, &dir, slow).Ok());
          ASSERT_EQ(fast.size(), slow.size()) << "dim " << dim << " cell " << i;
          for (std::size_t k = 0; k < fast.size(); ++k) {
            EXPECT_EQ(fast[k].cell, slow[k].cell);
            EXPECT_EQ(fast[k].distance, slow[k].distance);
            EXPECT_EQ(fast[k].directionAgrees, slow[k].directionAgrees);
            EXPECT_LT(fast[k].distance, kTol);
          }
        }
      }
    }
  }
}

TEST(KroBRepSolid, SearchOrdersAgreeingCellsFirstThenNearest) {
  auto box = KroBRepModel::MakeBox(10, 10, 10);
  ASSERT_TRUE(box);
  const KroBRepSolid& s = *box->Solid(0);
  // Near the edge x = 10, z = 10: the top face (0.01 away) and the side face (0.005 away).
  const KroBRepXYZ p{9.995, 5, 9.99};
  const struct {
    const char* what;
    KroBRepXYZ dir;
    KroBRepXYZ firstNormal;
  } cases[] = {
      {"up", {0, 0, 1}, {0, 0, 1}},
      {"side", {1, 0, 0}, {1, 0, 0}},
      {"none agrees: nearest", {0, 1, 0}, {1, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<KroBRepCellHit> hits;
    ASSERT_TRUE(s.Search(kKroBRepFace, kTol, p, &c.dir, hits).Ok());
    ASSERT_EQ(hits.size(), 2u);
    KroBRepXYZ n;
    ASSERT_TRUE(hits[0].cell.Direction(p, n).Ok());
    EXPECT_NEAR(Dot(n, c.firstNormal), 1.0, 1e-9);
  }
  std::vector<KroBRepCellHit> hits;
  ASSERT_TRUE(s.Search(kKroBRepFace, kTol, p, nullptr, hits).Ok());
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_NEAR(hits[0].distance, 0.005, 1e-12);
  EXPECT_NEAR(hits[1].distance, 0.01, 1e-12);
  // Edges: the one along y is within 0.0112; its tangent agrees up to sign.
  const KroBRepXYZ minusY{0, -1, 0};
  ASSERT_TRUE(s.Search(kKroBRepEdge, kTol, p, &minusY, hits).Ok());
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_TRUE(hits[0].directionAgrees);
  EXPECT_NEAR(hits[0].distance, std::hypot(0.005, 0.01), 1e-12);
}

TEST(KroBRepSolid, ToleranceIsStrictAndVolumesContainTheirInside) {
  auto box = KroBRepModel::MakeBox(10, 10, 10);
  ASSERT_TRUE(box);
  const KroBRepSolid& s = *box->Solid(0);
  const struct {
    const char* what;
    int dim;
    KroBRepXYZ p;
    std::size_t hits;
  } cases[] = {
      {"vertex exactly at the tolerance", 0, {-0.02, 0, 0}, 0},
      {"vertex just inside the tolerance", 0, {-0.0199, 0, 0}, 1},
      {"face exactly at the tolerance", 2, {5, 5, -0.02}, 0},
      {"volume, point inside", 3, {5, 5, 5}, 1},
      {"volume, point on the boundary", 3, {5, 5, 10}, 1},
      {"volume, point just outside", 3, {5, 5, 10.01}, 1},
      {"volume, point far outside", 3, {5, 5, 11}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<KroBRepCellHit> hits;
    ASSERT_TRUE(s.Search(c.dim, kTol, c.p, nullptr, hits).Ok());
    EXPECT_EQ(hits.size(), c.hits);
  }
  std::vector<KroBRepCellHit> hits;
  ASSERT_TRUE(s.Search(kKroBRepVolume, kTol, {5, 5, 5}, nullptr, hits).Ok());
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].distance, 0.0);
  ASSERT_TRUE(s.Search(kKroBRepVolume, kTol, {5, 5, 10.01}, nullptr, hits).Ok());
  EXPECT_NEAR(hits[0].distance, 0.01, 1e-9);
  EXPECT_EQ(s.Search(4, kTol, {0, 0, 0}, nullptr, hits).code, KroBRepCode::BadArgument);
  EXPECT_EQ(s.Search(0, -1.0, {0, 0, 0}, nullptr, hits).code, KroBRepCode::BadArgument);
}

TEST(KroBRepSolid, FirstVertexInOrderWinsOverTheNearest) {
  auto box = KroBRepModel::MakeBox(0.01, 1, 1);  // vertices 0.01 apart along x
  ASSERT_TRUE(box);
  const KroBRepSolid& s = *box->Solid(0);
  std::vector<KroBRepCell> vertices = s.Cells(kKroBRepVertex);
  for (const KroBRepCell& v : vertices) {
    KroBRepXYZ p;
    ASSERT_TRUE(v.Point(p).Ok());
    KroBRepCell first;
    ASSERT_TRUE(s.FirstVertexNear(p, kTol, first).Ok());
    EXPECT_LE(first.Index(), v.Index());
    std::vector<KroBRepCellHit> hits;
    ASSERT_TRUE(s.Search(kKroBRepVertex, kTol, p, nullptr, hits).Ok());
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].cell, v) << "the search itself gives the nearest first";
  }
  KroBRepCell none;
  EXPECT_EQ(s.FirstVertexNear({5, 5, 5}, kTol, none).code, KroBRepCode::NotFound);
  EXPECT_TRUE(none.IsNull());
}

TEST(KroBRepSolid, IndexedSearchRunsFewExactTestsOnAHoledPlate) {
  auto plate = KroBRepModel::MakeHoledPlate(20, 25, false);
  ASSERT_TRUE(plate);
  const KroBRepSolid& s = *plate->Solid(0);
  ASSERT_TRUE(s.BuildIndex().Ok());
  EXPECT_TRUE(s.HasIndex());
  for (int dim = 0; dim < 3; ++dim) {
    SCOPED_TRACE(dim);
    std::vector<KroBRepCellHit> hits;
    s.ResetExactTestCount();
    for (const KroBRepCell& c : s.Cells(dim)) {
      KroBRepXYZ p;
      ASSERT_TRUE(c.Point(p).Ok());
      ASSERT_TRUE(s.Search(dim, kTol, p, nullptr, hits).Ok());
    }
    EXPECT_LE(s.ExactTestCount(), static_cast<std::uint64_t>(s.CellCount(dim) * 1.2));
  }
}

}  // namespace
