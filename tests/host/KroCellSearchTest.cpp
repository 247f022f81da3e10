// Tests of the host's geometric cell search and distance operators through the document's own
// objects: every cell of the test models, written as a compact stream writes it (its point and
// direction, each coordinate as "%g" prints it), is found again as itself.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroBRepModel.h"
#include "KroCell.h"
#include "KroCurve.h"
#include "KroHostTestDocuments.h"
#include "KroListPtrKroCell.h"
#include "KroMfPart.h"
#include "KroSoftwareConfiguration.h"
#include "KroSurface.h"
#include "KroVertex.h"
#include "KroVyxCreateDistanceMin.h"

namespace {

constexpr double kTolerance = 0.02;

// The direction a compact stream writes for a cell at a point: a vertex's fixed direction, an
// edge's unit tangent or a face's unit normal at the point's projection.
KroMathDirection StreamDirection(KroCell* cell, const KroMathPoint& point) {
  KroMathDirection direction;
  switch (cell->GetDimension()) {
    case 0:
      direction.SetX(1);
      direction.SetY(1);
      direction.SetZ(1);
      break;
    case 1: {
      KroCurve_var curve(cell->GetGeometry());
      if (!curve) break;
      KroCrvParam param;
      KroGeoFactory_var factory = curve->GetGeoFactory();
      KroSoftwareConfiguration* config = new KroSoftwareConfiguration;
      if (factory) {
        KroVyxDistanceMin* op =
            KroVyxCreateDistanceMin(factory.get(), config, point, curve.get(), 0);
        if (op) {
          op->GetCrvParam(param);
          op->Release();
        }
      }
      config->Release();
      KroMathVector tangent;
      curve->EvalFirstDeriv(param, tangent);
      direction.SetCoord(tangent.GetX(), tangent.GetY(), tangent.GetZ());
      break;
    }
    case 2: {
      KroSurface_var surface(cell->GetGeometry());
      if (!surface) break;
      KroSurParam param;
      KroGeoFactory_var factory = surface->GetGeoFactory();
      KroSoftwareConfiguration* config = new KroSoftwareConfiguration;
      if (factory) {
        KroVyxDistanceMin* op =
            KroVyxCreateDistanceMin(factory.get(), config, point, surface.get(), 1, 0);
        if (op) {
          op->GetSurParam(param);
          op->Release();
        }
      }
      config->Release();
      surface->EvalNormal(param, direction);
      break;
    }
    default:
      break;
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

// The point of a cell as a stream writer takes it (a vertex's geometric point, else the cell
// point query).
bool WrittenPoint(KroCell* cell, KroMathPoint& point) {
  if (cell->GetDimension() == 0) {
    KroVertex_var vertex(cell);
    if (!vertex || !vertex->GetPoint()) return false;
    point = vertex->GetPoint()->GetModelPoint();
    return true;
  }
  return cell->GetPointOnCell(point) == KRO_S_OK;
}

struct Counts {
  int same = 0;
  int ambiguous = 0;
  int wrong = 0;
  int degenerate = 0;       // edges without a curve: no direction of their own
  int degenerateFound = 0;  // ... of which the search gives first all the same
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
    const bool degenerate = dimension == 1 && !cell->GetGeometry();
    if (degenerate) {
      // No curve, so the writer keeps its start direction; such an edge lies where other cells
      // meet, so finding it again is a matter of luck, not of the search: counted apart.
      ++counts.degenerate;
      if (!WrittenPoint(cell, point)) continue;
      KroMathDirection start;
      KroListPtrKroCell* hits = nullptr;
      KroRawColldouble* distances = nullptr;
      ASSERT_EQ(GetCellsOnBodyFromPointByGeomReroute(0, kTolerance, 1, 1, &point, &start,
                                                     body.get(), hits, distances, nullptr),
                KRO_S_OK);
      if (hits->Size() > 0 && (*hits)[1] == cell) ++counts.degenerateFound;
      delete hits;
      delete distances;
      continue;
    }
    ASSERT_TRUE(WrittenPoint(cell, point)) << where;
    const KroMathDirection direction = StreamDirection(cell, point);
    KroMathPoint written(AsWritten(point.GetX()), AsWritten(point.GetY()), AsWritten(point.GetZ()));
    KroMathDirection writtenDirection(AsWritten(direction.GetX()), AsWritten(direction.GetY()),
                                      AsWritten(direction.GetZ()));
    if (dimension == 0) {
      // The first vertex of the body strictly within the tolerance.
      KroCell* found = nullptr;
      for (int v = 1; v <= vertices.Size() && !found; ++v) {
        KroVertex_var vertex(vertices[v]);
        if (vertex && vertex->GetPoint() &&
            vertex->GetPoint()->GetModelPoint().DistanceTo(written) < kTolerance)
          found = vertices[v];
      }
      ASSERT_TRUE(found) << where;
      if (found == cell)
        ++counts.same;
      else
        ++counts.ambiguous;  // an earlier vertex lies within the tolerance and wins by order
      continue;
    }
    KroListPtrKroCell* hits = nullptr;
    KroRawColldouble* distances = nullptr;
    KroRawCollint agreements;
    ASSERT_EQ(GetCellsOnBodyFromPointByGeomReroute(0, kTolerance, dimension, 1, &written,
                                                   &writtenDirection, body.get(), hits, distances,
                                                   &agreements),
              KRO_S_OK)
        << where;
    ASSERT_TRUE(hits && distances);
    ASSERT_EQ(hits->Size(), distances->Size());
    ASSERT_EQ(hits->Size(), agreements.Size());
    if (hits->Size() > 0 && (*hits)[1] == cell) {
      ++counts.same;
    } else {
      const int self = hits->Locate(cell);
      // Indistinguishable: the winner is as near as the cell and its direction agrees too.
      if (hits->Size() > 0 && self > 0 && agreements[1] == 1 && agreements[self] == 1 &&
          (*distances)[1] <= (*distances)[self] + 1e-9)
        ++counts.ambiguous;
      else {
        ++counts.wrong;
        counts.failures.push_back(where);
      }
    }
    delete hits;
    delete distances;
  }
}

void RoundTripDocument(const std::string& name, const KroMfPart_var& part) {
  static const char* kDimensions[] = {"vertices", "edges", "faces", "volumes"};
  for (short dimension = 0; dimension <= 3; ++dimension) {
    SCOPED_TRACE(kDimensions[dimension]);
    Counts counts;
    for (int b = 1; b <= part->GetBodyCount(); ++b) {
      KroBody_var body = part->GetBody(b);
      // Under a sanitizer, every 7th cell of the big bodies.
      const int stride = KroHostTestUnderSanitizer() && body->GetCellCount(2) > 500 ? 7 : 1;
      RoundTrip(body, dimension, stride, counts);
    }
    std::cout << "[ counts   ] " << name << " " << kDimensions[dimension] << ": same "
              << counts.same << ", ambiguous " << counts.ambiguous << ", wrong " << counts.wrong;
    if (counts.degenerate)
      std::cout << ", degenerate " << counts.degenerate << " (found first "
                << counts.degenerateFound << ")";
    std::cout << "\n";
    EXPECT_EQ(counts.wrong, 0) << "first: " << (counts.failures.empty() ? "" : counts.failures[0]);
    EXPECT_GT(counts.same, 0);
  }
}

KroCell_var CellAt(const KroBody_var& body, short dimension, int index) {
  KroListPtrKroCell cells;
  body->GetAllCells(cells, dimension);
  return index <= cells.Size() ? KroCell_var(cells[index]) : KroCell_var();
}

KroMfPart_var DocumentOf(const std::shared_ptr<KroBRepModel>& model) {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateFromModel(model, part), KRO_S_OK);
  return part;
}

}  // namespace

// --------------------------------------------------------------------------------------------
// Round trips on real models
// --------------------------------------------------------------------------------------------

TEST(GetCellsOnBodyFromPointByGeomReroute, FindsEveryCellOfTheStepModelsFromItsWrittenPoint) {
  int count = 0;
  const KroHostTestModel* models = KroHostTestModels(count);
  for (int m = 0; m < count; ++m) {
    SCOPED_TRACE(models[m].file);
    KroMfPart_var part = KroHostTestDocument(models[m].file);
    ASSERT_TRUE(part);
    RoundTripDocument(models[m].file, part);
  }
}

TEST(GetCellsOnBodyFromPointByGeomReroute, FindsEveryCellOfTheSamplePartFromItsWrittenPoint) {
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateSamplePart(part), KRO_S_OK);
  RoundTripDocument("sample part", part);
}

TEST(GetCellsOnBodyFromPointByGeomReroute, DegenerateAndSeamEdgesDoNotGetInTheWay) {
  const std::shared_ptr<KroBRepModel> models[] = {KroBRepModel::MakeSphere(5),
                                                  KroBRepModel::MakeCylinder(3, 8)};
  for (const auto& model : models) {
    ASSERT_TRUE(model);
    KroMfPart_var part = DocumentOf(model);
    KroBody_var body = part->GetBody(1);
    SCOPED_TRACE(body->GetName().ToStdString());
    KroListPtrKroCell edges;
    ASSERT_EQ(body->GetAllCells(edges, 1), KRO_S_OK);
    for (int i = 1; i <= edges.Size(); ++i) {
      KroCell* edge = edges[i];
      KroMathPoint point;
      // Whatever a degenerate edge answers, asking must not fail badly.
      const bool hasPoint = edge->GetPointOnCell(point) == KRO_S_OK;
      if (!edge->GetGeometry()) {
        EXPECT_EQ(KroVyxCreateDistanceMin(part->GetGeoFactory().get(), nullptr, point,
                                          static_cast<KroCurve*>(nullptr)),
                  nullptr);
      }
      if (!hasPoint) continue;
      KroMathDirection direction = StreamDirection(edge, point);
      KroListPtrKroCell* hits = nullptr;
      KroRawColldouble* distances = nullptr;
      EXPECT_EQ(GetCellsOnBodyFromPointByGeomReroute(0, kTolerance, 1, 1, &point, &direction,
                                                     body.get(), hits, distances, nullptr),
                KRO_S_OK);
      ASSERT_TRUE(hits);
      if (edge->GetGeometry()) {
        ASSERT_GT(hits->Size(), 0);
        EXPECT_EQ((*hits)[1], edge) << "seam edges are found as themselves";
      }
      delete hits;
      delete distances;
    }
  }
  KroMfPart_var sphere = DocumentOf(KroBRepModel::MakeSphere(5));
  RoundTripDocument("sphere", sphere);
}

// --------------------------------------------------------------------------------------------
// The search's contract
// --------------------------------------------------------------------------------------------

TEST(GetCellsOnBodyFromPointByGeomReroute, RefusesBadArgumentsWithNoListToDelete) {
  KroMfPart_var part = DocumentOf(KroBRepModel::MakeBox(10, 10, 10));
  KroBody_var body = part->GetBody(1);
  KroMathPoint point(5, 5, 10), nan(std::nan(""), 0, 0);
  KroMathDirection direction(0, 0, 1);
  struct Row {
    const char* name;
    double tolerance;
    short dimension;
    KroMathPoint* point;
    KroBody* body;
  };
  const Row rows[] = {
      {"no point", kTolerance, 2, nullptr, body.get()},
      {"no body", kTolerance, 2, &point, nullptr},
      {"negative tolerance", -1.0, 2, &point, body.get()},
      {"nan tolerance", std::nan(""), 2, &point, body.get()},
      {"dimension 4", kTolerance, 4, &point, body.get()},
      {"dimension -1", kTolerance, -1, &point, body.get()},
      {"nan point", kTolerance, 2, &nan, body.get()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KroListPtrKroCell* hits = reinterpret_cast<KroListPtrKroCell*>(&direction);
    KroRawColldouble* distances = reinterpret_cast<KroRawColldouble*>(&direction);
    EXPECT_EQ(GetCellsOnBodyFromPointByGeomReroute(0, row.tolerance, row.dimension, 1, row.point,
                                                   &direction, row.body, hits, distances, nullptr),
              KRO_E_FAIL);
    EXPECT_EQ(hits, nullptr);
    EXPECT_EQ(distances, nullptr);
  }
}

TEST(GetCellsOnBodyFromPointByGeomReroute,
     OrdersAgreeingCellsFirstThenNearestWithinAStrictTolerance) {
  KroMfPart_var part = DocumentOf(KroBRepModel::MakeBox(10, 10, 10));
  KroBody_var body = part->GetBody(1);
  struct Row {
    const char* name;
    KroMathPoint point;
    KroMathDirection direction;
    int useDirection;
    int expectedCount;
    KroMathDirection firstNormal;  // outward normal of the first face found
  };
  // Near the edge x = 10, z = 10 of the box: the faces x = 10 and z = 10 both lie within reach.
  const Row rows[] = {
      {"nearer face first", KroMathPoint(9.995, 5, 9.99), KroMathDirection(1, 0, 0), 0, 2,
       KroMathDirection(1, 0, 0)},
      {"agreeing face first", KroMathPoint(9.995, 5, 9.99), KroMathDirection(0, 0, 1), 1, 2,
       KroMathDirection(0, 0, 1)},
      {"direction ignored", KroMathPoint(9.995, 5, 9.99), KroMathDirection(0, 0, 1), 0, 2,
       KroMathDirection(1, 0, 0)},
      {"outside but within", KroMathPoint(5, 5, 10.0199), KroMathDirection(0, 0, 1), 1, 1,
       KroMathDirection(0, 0, 1)},
      {"exactly at the tolerance", KroMathPoint(5, 5, -0.02), KroMathDirection(0, 0, -1), 1, 0,
       KroMathDirection()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KroMathPoint point = row.point;
    KroMathDirection direction = row.direction;
    KroListPtrKroCell* hits = nullptr;
    KroRawColldouble* distances = nullptr;
    KroRawCollint agreements;
    ASSERT_EQ(
        GetCellsOnBodyFromPointByGeomReroute(0, kTolerance, 2, row.useDirection, &point, &direction,
                                             body.get(), hits, distances, &agreements),
        KRO_S_OK);
    ASSERT_EQ(hits->Size(), row.expectedCount);
    if (row.expectedCount > 0) {
      KroSurface_var surface((*hits)[1]->GetGeometry());
      KroMathDirection normal;
      ASSERT_EQ(surface->EvalNormal(KroSurParam(), normal), KRO_S_OK);
      EXPECT_NEAR(normal.Dot(row.firstNormal), 1.0, 1e-9);
      for (int i = 1; i <= distances->Size(); ++i) EXPECT_LT((*distances)[i], kTolerance);
    }
    delete hits;
    delete distances;
  }
}

TEST(GetCellsOnBodyFromPointByGeomReroute, GivesTheDocumentsOwnCellObjects) {
  KroMfPart_var part;
  ASSERT_EQ(KroMfPart::CreateSamplePart(part), KRO_S_OK);
  KroBody_var body = part->GetBody(part->GetBodyCount());
  KroCell_var face = CellAt(body, 2, 3);
  KroMathPoint point;
  ASSERT_EQ(face->GetPointOnCell(point), KRO_S_OK);
  KroMathDirection direction = StreamDirection(face.get(), point);
  const unsigned long references = part->RefCount();
  KroListPtrKroCell* hits = nullptr;
  KroRawColldouble* distances = nullptr;
  ASSERT_EQ(GetCellsOnBodyFromPointByGeomReroute(0, kTolerance, 2, 1, &point, &direction,
                                                 body.get(), hits, distances, nullptr),
            KRO_S_OK);
  ASSERT_GT(hits->Size(), 0);
  EXPECT_EQ((*hits)[1], face.get()) << "the same object, not a copy";
  delete hits;
  delete distances;
  EXPECT_EQ(part->RefCount(), references) << "deleting the lists gives the references back";
}

// --------------------------------------------------------------------------------------------
// Distance operators and local geometry
// --------------------------------------------------------------------------------------------

TEST(KroVyxCreateDistanceMin, ProjectsOntoTheCurveAndTheSurfaceOfABox) {
  KroMfPart_var part = DocumentOf(KroBRepModel::MakeBox(10, 20, 30));
  KroBody_var body = part->GetBody(1);
  KroGeoFactory_var factory = part->GetGeoFactory();
  KroListPtrKroCell faces, edges;
  ASSERT_EQ(body->GetAllCells(faces, 2), KRO_S_OK);
  ASSERT_EQ(body->GetAllCells(edges, 1), KRO_S_OK);

  // Each face's normal at the projection of a point 1 unit outside its centre points to it.
  for (int i = 1; i <= faces.Size(); ++i) {
    SCOPED_TRACE(i);
    KroMathPoint inside;
    ASSERT_EQ(faces[i]->GetPointOnCell(inside), KRO_S_OK);
    KroSurface_var surface(faces[i]->GetGeometry());
    ASSERT_TRUE(surface);
    KroMathDirection normal;
    ASSERT_EQ(surface->EvalNormal(KroSurParam(), normal), KRO_S_OK);
    KroMathPoint outside(inside.GetX() + normal.GetX(), inside.GetY() + normal.GetY(),
                         inside.GetZ() + normal.GetZ());
    KroVyxDistanceMin* op =
        KroVyxCreateDistanceMin(factory.get(), nullptr, outside, surface.get(), 1, 0);
    ASSERT_TRUE(op);
    EXPECT_NEAR(op->GetDistance(), 1.0, 1e-9);
    KroSurParam param;
    ASSERT_EQ(op->GetSurParam(param), KRO_S_OK);
    KroCrvParam notACurve(42.0);
    EXPECT_EQ(op->GetCrvParam(notACurve), KRO_E_FAIL);
    EXPECT_EQ(notACurve.GetParam(), 42.0);
    op->Release();
    KroMathDirection there;
    ASSERT_EQ(surface->EvalNormal(param, there), KRO_S_OK);
    EXPECT_NEAR(there.Dot(normal), 1.0, 1e-12);
  }

  // Each edge's tangent at the projection of its mid point is along the edge.
  for (int i = 1; i <= edges.Size(); ++i) {
    SCOPED_TRACE(i);
    KroMathPoint mid;
    ASSERT_EQ(edges[i]->GetPointOnCell(mid), KRO_S_OK);
    KroCurve_var curve(edges[i]->GetGeometry());
    ASSERT_TRUE(curve);
    KroVyxDistanceMin* op = KroVyxCreateDistanceMin(factory.get(), nullptr, mid, curve.get());
    ASSERT_TRUE(op);
    EXPECT_NEAR(op->GetDistance(), 0.0, 1e-9);
    KroCrvParam param, start, end;
    ASSERT_EQ(op->GetCrvParam(param), KRO_S_OK);
    op->Release();
    ASSERT_EQ(curve->GetParamRange(start, end), KRO_S_OK);
    EXPECT_NEAR(param.GetParam(), (start.GetParam() + end.GetParam()) / 2, 1e-7);
    KroMathVector tangent;
    ASSERT_EQ(curve->EvalFirstDeriv(param, tangent), KRO_S_OK);
    KroListPtrKroCell ends;
    ASSERT_EQ(edges[i]->GetAllCells(ends, 0), KRO_S_OK);
    ASSERT_EQ(ends.Size(), 2);
    KroMathPoint a, b;
    ends[1]->GetPointOnCell(a);
    ends[2]->GetPointOnCell(b);
    KroMathVector along(b.GetX() - a.GetX(), b.GetY() - a.GetY(), b.GetZ() - a.GetZ());
    EXPECT_NEAR(std::fabs(tangent.Dot(along)), tangent.Norm() * along.Norm(), 1e-9);
  }
}

TEST(KroVyxCreateDistanceMin, GivesNoOperatorWithoutFactoryOrGeometry) {
  KroMfPart_var part = DocumentOf(KroBRepModel::MakeBox(1, 1, 1));
  KroBody_var body = part->GetBody(1);
  KroCurve_var curve(CellAt(body, 1, 1)->GetGeometry());
  KroSurface_var surface(CellAt(body, 2, 1)->GetGeometry());
  KroGeoFactory_var factory = part->GetGeoFactory();
  const KroMathPoint point(0.5, 0.5, 2), nan(std::nan(""), 0, 0);
  EXPECT_EQ(KroVyxCreateDistanceMin(nullptr, nullptr, point, curve.get()), nullptr);
  EXPECT_EQ(KroVyxCreateDistanceMin(nullptr, nullptr, point, surface.get(), 1), nullptr);
  EXPECT_EQ(KroVyxCreateDistanceMin(factory.get(), nullptr, nan, curve.get()), nullptr);
  EXPECT_EQ(KroVyxCreateDistanceMin(factory.get(), nullptr, nan, surface.get(), 1), nullptr);
  EXPECT_EQ(
      KroVyxCreateDistanceMin(factory.get(), nullptr, point, static_cast<KroSurface*>(nullptr), 1),
      nullptr);
  EXPECT_FALSE(CellAt(body, 3, 1)->GetGeometry()) << "a volume has no geometry";
  KroMathVector unchanged(7, 7, 7);
  EXPECT_EQ(curve->EvalFirstDeriv(KroCrvParam(std::nan("")), unchanged), KRO_E_FAIL);
  EXPECT_EQ(unchanged, KroMathVector(7, 7, 7));
}
