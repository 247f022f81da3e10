// Tests of the host's geometric cell search through the document's own objects: the arguments
// it refuses and the order of its answers. Finding every cell of the test models again is shown
// by the index's property test and by the topology stream's round trip of every model.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroHostTestDocuments.h"
#include "KroMmdGeomCursorForODT.h"

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

}  // namespace

TEST(GetCellsOnBodyFromPointByGeomReroute, RefusesBadArgumentsWithNoListToDelete) {
  KroMfPart_var part = KroHostTestDocumentOf(KroBRepModel::MakeBox(10, 10, 10));
  KroBody_var body = part->GetBody(1);
  KroMathPoint corner(0, 0, 0), middle(5, 5, 10), nan(std::nan(""), 0, 0);
  KroMathDirection direction(0, 0, 1);
  const KroCell_var edge = KroHostTestCell(body, 1);  // what no vertex query gives
  const struct {
    const char* name;
    double tolerance;
    short dimension;
    KroMathPoint* point;
    KroBody* body;
    bool vertexFound;  // the vertex query, which takes no dimension, finds the corner
  } rows[] = {{"no point", kTolerance, 2, nullptr, body.get(), false},
              {"no body", kTolerance, 2, &corner, nullptr, false},
              {"nan tolerance", std::nan(""), 2, &corner, body.get(), false},
              {"nan point", kTolerance, 2, &nan, body.get(), false},
              {"dimension 4", kTolerance, 4, &corner, body.get(), true},
              {"dimension -1, no vertex that near", kTolerance, -1, &middle, body.get(), false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    KroListPtrKroCell* hits = reinterpret_cast<KroListPtrKroCell*>(&direction);
    KroRawColldouble* distances = reinterpret_cast<KroRawColldouble*>(&direction);
    EXPECT_EQ(GetCellsOnBodyFromPointByGeomReroute(0, row.tolerance, row.dimension, 1, row.point,
                                                   &direction, row.body, hits, distances, nullptr),
              KRO_E_FAIL);
    EXPECT_TRUE(hits == nullptr && distances == nullptr) << "no list to delete";
    // A failed vertex query leaves the vertex as it was.
    KroCell_var vertex = edge;
    EXPECT_EQ(GetFirstVertexOnBodyFromPoint(row.tolerance, row.point, row.body, vertex),
              row.vertexFound ? KRO_S_OK : KRO_E_FAIL);
    EXPECT_TRUE(row.vertexFound ? vertex && vertex->GetDimension() == 0
                                : vertex.get() == edge.get());
  }
}

TEST(GetCellsOnBodyFromPointByGeomReroute,
     OrdersAgreeingCellsFirstThenNearestWithinAStrictTolerance) {
  KroMfPart_var part = KroHostTestDocumentOf(KroBRepModel::MakeBox(10, 10, 10));
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
      {"edge of the other sense", 1, nearEdge, {0, -1, 0}, 1, 1, std::hypot(0.005, 0.01)},
      {"face outside but within", 2, {5, 5, 10.0199}, {0, 0, 1}, 1, 1, 0.0199},
      {"face exactly at the tolerance", 2, {5, 5, -0.02}, {0, 0, -1}, 1, 0, 0},
      {"vertex just inside the tolerance", 0, {-0.0199, 0, 0}, {}, 1, 1, 0.0199},
      {"volume, point inside", 3, {5, 5, 5}, {}, 1, 1, 0},
      {"volume, point just outside", 3, {5, 5, 10.01}, {}, 1, 1, 0.01},
      {"volume, point far outside", 3, {5, 5, 11}, {}, 1, 0, 0},
  };
  const unsigned long references = part->RefCount();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Hits hits =
        Find(part->GetBody(1), row.dimension, row.point, row.direction, row.useDirection);
    ASSERT_EQ(hits.rc, KRO_S_OK);
    ASSERT_EQ(hits.Size(), row.count);
    ASSERT_TRUE(hits.distances->Size() == row.count && hits.agreements.Size() == row.count);
    if (row.count == 0) continue;
    EXPECT_NEAR((*hits.distances)[1], row.firstDistance, 1e-9);
    if (row.useDirection) {
      EXPECT_EQ(hits.agreements[1], 1) << "the first hit agrees";
    }
    KroListPtrKroCell own;
    ASSERT_EQ(part->GetBody(1)->GetAllCells(own, row.dimension), KRO_S_OK);
    EXPECT_GT(own.Locate(hits.First()), 0) << "the document's own object, not a copy";
  }
  EXPECT_EQ(part->RefCount(), references) << "deleting the lists gives the references back";
}
