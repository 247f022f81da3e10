// Tests of the host's geometric cell search and distance operators through the document's own
// objects: every cell of the test models, written as a compact stream writes it (its point and
// direction, each coordinate as "%g" prints it), is found again as itself.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroBRepModel.h"
#include "KroCurve.h"
#include "KroHostTestDocuments.h"
#include "KroMmdGeomCursorForODT.h"
#include "KroSoftwareConfiguration.h"
#include "KroSurface.h"
#include "KroVyxCreateDistanceMin.h"

namespace {

constexpr double kTolerance = KroMmdGeomCursorForODT::_LocationTolerance;

// The answer of one search; the lists are deleted with it.
struct Hits {
  KroResult rc = KRO_E_FAIL;
  std::unique_ptr<KroListPtrKroCell> cells;
  std::unique_ptr<KroRawColldouble> distances;
  KroRawCollint agreements;
  int Size() const { return cells ? cells->Size() : 0; }
  KroCell* First() const { return Size() > 0 ? (*cells)[1] : nullptr; }
};

Hits Find(const KroBody_var& body, short dimension, KroMathPoint point, KroMathDirection direction,
          int useDirection = 1) {
  Hits hits;
  KroListPtrKroCell* cells = nullptr;
  KroRawColldouble* distances = nullptr;
  hits.rc = GetCellsOnBodyFromPointByGeomReroute(0, kTolerance, dimension, useDirection, &point,
                                                 &direction, body.get(), cells, distances,
                                                 &hits.agreements);
  hits.cells.reset(cells);
  hits.distances.reset(distances);
  return hits;
}

// The direction a compact stream writes for a cell at a point: a vertex's fixed direction, an
// edge's unit tangent or a face's unit normal at the point's projection.
KroMathDirection StreamDirection(KroCell* cell, const KroMathPoint& point) {
  KroMathDirection direction(1, 1, 1);
  KroGeoFactory_var factory = cell->GetGeoFactory();
  KroSoftwareConfiguration_var config =
      KroSoftwareConfiguration_var::Adopt(new KroSoftwareConfiguration);
  if (cell->GetDimension() == 1) {
    KroCurve_var curve(cell->GetGeometry());
    KroCrvParam param;
    if (KroVyxDistanceMin* op =
            KroVyxCreateDistanceMin(factory.get(), config.get(), point, curve.get(), 0)) {
      op->GetCrvParam(param);
      op->Release();
    }
    KroMathVector tangent;
    curve->EvalFirstDeriv(param, tangent);
    direction.SetCoord(tangent.GetX(), tangent.GetY(), tangent.GetZ());
  } else if (cell->GetDimension() == 2) {
    KroSurface_var surface(cell->GetGeometry());
    KroSurParam param;
    if (KroVyxDistanceMin* op =
            KroVyxCreateDistanceMin(factory.get(), config.get(), point, surface.get(), 1, 0)) {
      op->GetSurParam(param);
      op->Release();
    }
    surface->EvalNormal(param, direction);
  }
  return direction;
}

// A number as a stream carries it: printed with "%g", read back with "%le".
double AsWritten(double value) {
  KroUnicodeString text;
  text.BuildFromNum(value, "%g");
  double read = 0.0;
  EXPECT_NE(text.ConvertToNum(&read, "%le"), 0) << text.CastToCharPtr();
  return read;
}

struct Counts {
  int same = 0, ambiguous = 0, wrong = 0;
  int degenerate = 0;  // edges without a curve: no direction of their own
  std::vector<std::string> failures;
};

// Writes every stride-th cell of the dimension and finds it again as a reader does.
void RoundTrip(const KroBody_var& body, short dimension, int stride, Counts& counts) {
  KroListPtrKroCell cells, vertices;
  ASSERT_EQ(body->GetAllCells(cells, dimension), KRO_S_OK);
  ASSERT_EQ(body->GetAllCells(vertices, 0), KRO_S_OK);
  for (int i = 1; i <= cells.Size(); i += stride) {
    KroCell* cell = cells[i];
    const std::string where = body->GetName().ToStdString() + " dim " + std::to_string(dimension) +
                              " #" + std::to_string(i);
    KroMathPoint point;
    if (dimension == 1 && !cell->GetGeometry()) {
      // No curve, so the writer keeps its start direction; such an edge lies where other cells
      // meet, so finding it again is a matter of luck: only asking must not fail.
      ++counts.degenerate;
      if (cell->GetPointOnCell(point) == KRO_S_OK) {
        EXPECT_EQ(Find(body, 1, point, KroMathDirection()).rc, KRO_S_OK) << where;
      }
      continue;
    }
    ASSERT_EQ(cell->GetPointOnCell(point), KRO_S_OK) << where;
    const KroMathDirection direction = StreamDirection(cell, point);
    const KroMathPoint written(AsWritten(point.GetX()), AsWritten(point.GetY()),
                               AsWritten(point.GetZ()));
    if (dimension == 0) {
      // The first vertex of the body strictly within the tolerance: an earlier vertex that near
      // wins by order, and is then as good as the cell.
      KroMathPoint at = written;
      KroCell_var found;
      ASSERT_EQ(GetFirstVertexOnBodyFromPoint(kTolerance, &at, body.get(), found), KRO_S_OK)
          << where;
      if (found.get() == cell) {
        ++counts.same;
        continue;
      }
      KroMathPoint own;
      ASSERT_EQ(found->GetPointOnCell(own), KRO_S_OK);
      const bool earlier = vertices.Locate(found.get()) < vertices.Locate(cell);
      ++(earlier && own.DistanceTo(written) < kTolerance ? counts.ambiguous : counts.wrong);
      if (!earlier) counts.failures.push_back(where);
      continue;
    }
    const Hits hits =
        Find(body, dimension, written,
             KroMathDirection(AsWritten(direction.GetX()), AsWritten(direction.GetY()),
                              AsWritten(direction.GetZ())));
    ASSERT_EQ(hits.rc, KRO_S_OK) << where;
    ASSERT_EQ(hits.Size(), hits.distances->Size());
    ASSERT_EQ(hits.Size(), hits.agreements.Size());
    if (hits.First() == cell) {  // the document's own object, not a copy
      ++counts.same;
      continue;
    }
    const int self = hits.cells->Locate(cell);
    // Indistinguishable: the winner is as near as the cell and its direction agrees too.
    if (hits.Size() > 0 && self > 0 && hits.agreements[1] == 1 && hits.agreements[self] == 1 &&
        (*hits.distances)[1] <= (*hits.distances)[self] + 1e-9) {
      ++counts.ambiguous;
    } else {
      ++counts.wrong;
      counts.failures.push_back(where);
    }
  }
}

// Round trips every cell of the document, reports the counts per dimension and gives them.
std::vector<Counts> RoundTripDocument(const std::string& name, const KroMfPart_var& part) {
  static const char* kDimensions[] = {"vertices", "edges", "faces", "volumes"};
  std::vector<Counts> all(4);
  const unsigned long references = part->RefCount();
  for (short dimension = 0; dimension <= 3; ++dimension) {
    SCOPED_TRACE(kDimensions[dimension]);
    Counts& counts = all[static_cast<size_t>(dimension)];
    for (int b = 1; b <= part->GetBodyCount(); ++b) {
      KroBody_var body = part->GetBody(b);
      // Under a sanitizer, every 7th cell of the big bodies.
      const int stride = KroHostTestUnderSanitizer() && body->GetCellCount(2) > 500 ? 7 : 1;
      RoundTrip(body, dimension, stride, counts);
    }
    std::cout << "[ counts   ] " << name << " " << kDimensions[dimension] << ": same "
              << counts.same << ", ambiguous " << counts.ambiguous << ", wrong " << counts.wrong
              << ", degenerate " << counts.degenerate << "\n";
    EXPECT_EQ(counts.wrong, 0) << "first: " << (counts.failures.empty() ? "" : counts.failures[0]);
    EXPECT_GT(counts.same, 0);
  }
  EXPECT_EQ(part->RefCount(), references) << "deleting the lists gives the references back";
  return all;
}

KroMfPart_var DocumentOf(const std::shared_ptr<KroBRepModel>& model) {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateFromModel(model, part), KRO_S_OK);
  return part;
}

}  // namespace

TEST(GetCellsOnBodyFromPointByGeomReroute, FindsEveryCellOfTheStepModelsFromItsWrittenPoint) {
  for (const KroHostTestModel& model : KroHostTestModels()) {
    SCOPED_TRACE(model.file);
    KroMfPart_var part = KroHostTestDocument(model.file);
    ASSERT_TRUE(part);
    RoundTripDocument(model.file, part);
  }
  RoundTripDocument("sample part", KroHostTestSamplePart());
}

TEST(GetCellsOnBodyFromPointByGeomReroute, FindsSeamsAsThemselvesAndAsksAboutDegenerateEdges) {
  const std::vector<Counts> sphere =
      RoundTripDocument("sphere", DocumentOf(KroBRepModel::MakeSphere(5)));
  const std::vector<Counts> cylinder =
      RoundTripDocument("cylinder", DocumentOf(KroBRepModel::MakeCylinder(3, 8)));
  EXPECT_EQ(sphere[1].degenerate, 2) << "the poles";
  EXPECT_EQ(sphere[1].same, 1) << "the seam";
  EXPECT_EQ(cylinder[1].same, 3) << "two circles and the seam";
  EXPECT_EQ(sphere[1].ambiguous + cylinder[1].ambiguous, 0);
}

TEST(GetCellsOnBodyFromPointByGeomReroute, RefusesBadArgumentsWithNoListToDelete) {
  KroMfPart_var part = DocumentOf(KroBRepModel::MakeBox(10, 10, 10));
  KroBody_var body = part->GetBody(1);
  KroMathPoint point(5, 5, 10), nan(std::nan(""), 0, 0);
  KroMathDirection direction(0, 0, 1);
  const struct {
    const char* name;
    double tolerance;
    short dimension;
    KroMathPoint* point;
    KroBody* body;
  } rows[] = {{"no point", kTolerance, 2, nullptr, body.get()},
              {"no body", kTolerance, 2, &point, nullptr},
              {"negative tolerance", -1.0, 2, &point, body.get()},
              {"nan tolerance", std::nan(""), 2, &point, body.get()},
              {"dimension 4", kTolerance, 4, &point, body.get()},
              {"dimension -1", kTolerance, -1, &point, body.get()},
              {"nan point", kTolerance, 2, &nan, body.get()}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    KroListPtrKroCell* hits = reinterpret_cast<KroListPtrKroCell*>(&direction);
    KroRawColldouble* distances = reinterpret_cast<KroRawColldouble*>(&direction);
    EXPECT_EQ(GetCellsOnBodyFromPointByGeomReroute(0, row.tolerance, row.dimension, 1, row.point,
                                                   &direction, row.body, hits, distances, nullptr),
              KRO_E_FAIL);
    EXPECT_TRUE(hits == nullptr && distances == nullptr) << "no list to delete";
  }
  // The vertex query: no point or body, or a point or tolerance no vertex can meet, fails and
  // leaves the vertex as it was.
  KroCell_var before = KroHostTestCell(body, 0), vertex = before;
  KroMathPoint corner(0, 0, 0);
  const struct {
    const char* name;
    double tolerance;
    KroMathPoint* point;
    KroBody* body;
  } vertexRows[] = {{"no point", kTolerance, nullptr, body.get()},
                    {"no body", kTolerance, &corner, nullptr},
                    {"nan point", kTolerance, &nan, body.get()},
                    {"negative tolerance", -1.0, &corner, body.get()},
                    {"nan tolerance", std::nan(""), &corner, body.get()},
                    {"no vertex that near", kTolerance, &point, body.get()}};
  for (const auto& row : vertexRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(GetFirstVertexOnBodyFromPoint(row.tolerance, row.point, row.body, vertex),
              KRO_E_FAIL);
    EXPECT_EQ(vertex.get(), before.get());
  }
  ASSERT_EQ(GetFirstVertexOnBodyFromPoint(kTolerance, &corner, body.get(), vertex), KRO_S_OK);
  EXPECT_EQ(vertex->GetDimension(), 0);
}

TEST(GetCellsOnBodyFromPointByGeomReroute,
     OrdersAgreeingCellsFirstThenNearestWithinAStrictTolerance) {
  KroMfPart_var part = DocumentOf(KroBRepModel::MakeBox(10, 10, 10));
  // Near the edge x = 10, z = 10 of the box: the faces x = 10 (0.005 away) and z = 10 (0.01
  // away) both lie within reach, and the edge along y (0.0112 away) whatever its sense.
  const KroMathPoint nearEdge(9.995, 5, 9.99);
  const struct {
    const char* name;
    short dimension;
    KroMathPoint point;
    KroMathDirection direction;
    int useDirection;
    int count;
    double firstDistance;
  } rows[] = {
      {"nearer face first", 2, nearEdge, {1, 0, 0}, 0, 2, 0.005},
      {"agreeing face first", 2, nearEdge, {0, 0, 1}, 1, 2, 0.01},
      {"direction ignored", 2, nearEdge, {0, 0, 1}, 0, 2, 0.005},
      {"edge of the other sense", 1, nearEdge, {0, -1, 0}, 1, 1, std::hypot(0.005, 0.01)},
      {"face outside but within", 2, {5, 5, 10.0199}, {0, 0, 1}, 1, 1, 0.0199},
      {"face exactly at the tolerance", 2, {5, 5, -0.02}, {0, 0, -1}, 1, 0, 0},
      {"vertex exactly at the tolerance", 0, {-0.02, 0, 0}, {}, 1, 0, 0},
      {"vertex just inside the tolerance", 0, {-0.0199, 0, 0}, {}, 1, 1, 0.0199},
      {"volume, point inside", 3, {5, 5, 5}, {}, 1, 1, 0},
      {"volume, point on the boundary", 3, {5, 5, 10}, {}, 1, 1, 0},
      {"volume, point just outside", 3, {5, 5, 10.01}, {}, 1, 1, 0.01},
      {"volume, point far outside", 3, {5, 5, 11}, {}, 1, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Hits hits =
        Find(part->GetBody(1), row.dimension, row.point, row.direction, row.useDirection);
    ASSERT_EQ(hits.rc, KRO_S_OK);
    ASSERT_EQ(hits.Size(), row.count);
    if (row.count == 0) continue;
    EXPECT_NEAR((*hits.distances)[1], row.firstDistance, 1e-9);
    if (row.useDirection) {
      EXPECT_EQ(hits.agreements[1], 1) << "the first hit agrees";
    }
  }
}
