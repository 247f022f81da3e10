// The next versions of a model: a hole drilled through it, the whole model moved.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "KroBRepEdit.h"
#include "KroBRepModel.h"
#include "KroBRepSolid.h"

namespace {

// The plate drilled as version 2 is shown by the diff of the two, which keeps every cell.
TEST(KroBRepEdit, ThroughHoleCutsEverySolidItMeets) {
  struct Case {
    const char* what;
    std::shared_ptr<KroBRepModel> model;
    double x, y, radius;
    int solids, faces;  // of the result; faces of its first solid
  };
  const Case cases[] = {
      {"a hole that misses the box", KroBRepModel::MakeBox(10, 10, 10), 50, 50, 1, 1, 6},
      {"a hole that cuts a bar in two", KroBRepModel::MakeBox(10, 2, 2), 5, 1, 1.5, 2, 6},
      {"a hole in each of the sample part's eight solids", KroBRepModel::MakeSamplePart(), 30, 12,
       2, 8, 10 + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    KroBRepStatus status;
    const auto drilled = KroBRepEdit::ThroughHole(c.model, c.x, c.y, c.radius, &status);
    ASSERT_TRUE(drilled) << status.message;
    EXPECT_EQ(drilled->SolidCount(), c.solids);
    EXPECT_EQ(drilled->Solid(0)->CellCount(kKroBRepFace), c.faces);
    EXPECT_EQ(c.model->Solid(0)->CellCount(kKroBRepVolume), 1);  // the original is untouched
  }
}

TEST(KroBRepEdit, TranslatedMovesEveryCellByTheOffset) {
  const auto plate = KroBRepModel::MakePlateVersion(2);
  const auto moved = KroBRepEdit::Translated(plate, {1, -2, 30});
  ASSERT_TRUE(moved);
  for (int d = kKroBRepVertex; d <= kKroBRepVolume; ++d) {
    ASSERT_EQ(moved->Solid(0)->CellCount(d), plate->Solid(0)->CellCount(d)) << d;
    for (const KroBRepCell& cell : plate->Solid(0)->Cells(d)) {
      KroBRepXYZ p;
      double distance = -1;
      ASSERT_TRUE(cell.Point(p).Ok());
      const KroBRepCell same = moved->Solid(0)->Cell(d, cell.Index());
      ASSERT_TRUE(same.DistanceTo({p.x + 1, p.y - 2, p.z + 30}, distance).Ok());
      EXPECT_LT(distance, 1e-9) << "dimension " << d << " cell " << cell.Index();
    }
  }
}

TEST(KroBRepEdit, RefusesWhatItCannotMake) {
  const auto box = KroBRepModel::MakeBox(10, 10, 10);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  KroBRepStatus status;
  EXPECT_FALSE(KroBRepEdit::ThroughHole(nullptr, 0, 0, 1, &status));
  EXPECT_EQ(status.code, KroBRepCode::BadArgument);
  for (const double radius : {0.0, -1.0, nan}) {
    EXPECT_FALSE(KroBRepEdit::ThroughHole(box, 5, 5, radius, &status));
    EXPECT_EQ(status.code, KroBRepCode::BadArgument) << radius;
  }
  EXPECT_FALSE(KroBRepEdit::Translated(box, {0, nan, 0}, &status));
  EXPECT_EQ(status.code, KroBRepCode::BadArgument);
  // A hole wider than the box takes all of it.
  EXPECT_FALSE(KroBRepEdit::ThroughHole(box, 5, 5, 20, &status));
  EXPECT_EQ(status.message, "KroBRepEdit::ThroughHole: the cut leaves no solid");
}

}  // namespace
