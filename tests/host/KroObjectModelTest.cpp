// Tests of the counted object model as the part documents use it: typed views, extensions made
// by the interface dictionary, shared reference counts of a document's objects, counted lists
// and the math values.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "KroBody.h"
#include "KroCell.h"
#include "KroCurve.h"
#include "KroIAlias.h"
#include "KroIGnAssociatedObject.h"
#include "KroIJournalingSpec.h"
#include "KroISpecObject.h"
#include "KroInterfaceDictionary.h"
#include "KroListPtrKroCell.h"
#include "KroMathDirection.h"
#include "KroMfPart.h"
#include "KroSurface.h"
#include "KroUnicodeString.h"
#include "KroVertex.h"
#include "_SEQUENCE_KroBaseUnknown_ptr.h"

namespace {

KroMfPart_var SamplePart() {
  KroMfPart_var part;
  EXPECT_EQ(KroMfPart::CreateSamplePart(part), KRO_S_OK);
  return part;
}

KroCell_var FirstCell(const KroBody_var& body, short dimension) {
  KroListPtrKroCell cells;
  EXPECT_EQ(body->GetAllCells(cells, dimension), KRO_S_OK);
  return cells.Size() > 0 ? KroCell_var(cells[1]) : KroCell_var();
}

// An interface that no document object implements; the tests give it to cells by extension.
class ITestCellNote : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(ITestCellNote)

 public:
  virtual unsigned int NotedTag() const = 0;
};

// The extension holds its cell (and so the cell's document) while it lives.
class TestCellNote : public virtual ITestCellNote {
 public:
  explicit TestCellNote(KroBaseUnknown* owner) : _Cell(owner) { ++Made; }
  unsigned int NotedTag() const override { return _Cell->GetTag(); }
  static int Made;

 private:
  KroCell_var _Cell;
};
int TestCellNote::Made = 0;

KroBaseUnknown* MakeCellNote(KroBaseUnknown* owner) { return new TestCellNote(owner); }

}  // namespace

// --------------------------------------------------------------------------------------------
// Views and the interface dictionary
// --------------------------------------------------------------------------------------------

TEST(KroVar, ViewsGiveEmptyReferencesForMissingInterfaces) {
  KroMfPart_var part = SamplePart();
  ASSERT_TRUE(part);
  KroBody_var body = part->GetBody(1);
  KroCell_var face = FirstCell(body, 2);
  KroCell_var vertex = FirstCell(body, 0);
  ASSERT_TRUE(face && vertex);

  EXPECT_FALSE(KroVertex_var(face)) << "a face is no vertex";
  EXPECT_TRUE(KroVertex_var(vertex));
  EXPECT_FALSE(KroCell_var(body)) << "a body is no cell";
  EXPECT_TRUE(KroTopology_var(body));
  EXPECT_FALSE(KroBody_var(face));
  EXPECT_FALSE(KroCurve_var(face->GetGeometry()));
  EXPECT_TRUE(KroSurface_var(face->GetGeometry()));
  EXPECT_FALSE(KroISpecObject_var(body));
  EXPECT_FALSE(KroIGnAssociatedObject_var(part));
  EXPECT_FALSE(KroBody_var(static_cast<KroBaseUnknown*>(nullptr)));

  // Features answer KroIAlias and KroIJournalingSpec only when they have an alias or a
  // journaling name.
  int withAlias = 0, withoutAlias = 0, journaled = 0;
  for (int i = 1; i <= part->GetFeatureCount(); ++i) {
    KroISpecObject_var feature = part->GetFeature(i);
    KroIAlias_var alias(feature);
    KroIJournalingSpec_var journaling(feature);
    (alias ? withAlias : withoutAlias)++;
    if (journaling) ++journaled;
    if (alias) {
      EXPECT_FALSE(alias->GetAlias().IsEmpty());
    }
    if (journaling) {
      EXPECT_FALSE(journaling->GetJournalingName().IsEmpty());
    }
  }
  EXPECT_GT(withAlias, 0);
  EXPECT_GT(withoutAlias, 0);
  EXPECT_GT(journaled, 0);
  // A document built in code gives features without a journaling name too.
  std::vector<KroMfPart::FeatureDescription> features(1);
  features[0].name = "Plain";
  features[0].solidIndex = 0;
  KroMfPart_var plain;
  ASSERT_EQ(KroMfPart::CreateFromModel(part->GetModel(), features, plain), KRO_S_OK);
  EXPECT_FALSE(KroIJournalingSpec_var(plain->GetFeature(1)));
  EXPECT_FALSE(KroIAlias_var(plain->GetFeature(1)));
  EXPECT_TRUE(KroISpecObject_var(plain->GetFeature(1)));

  // Dereferencing an empty view is the host's null-reference error, not a crash.
  KroVertex_var none(face);
  EXPECT_THROW(none->GetPoint(), KroNullReferenceError);
}

TEST(KroInterfaceDictionary, ExtensionOfACellIsMadeOnQueryAndKeepsItsDocumentAlive) {
  const long before = KroBaseUnknown::LiveObjects();
  KroInterfaceDictionary::Register("KroMfCell", ITestCellNote::InterfaceName(), &MakeCellNote);
  TestCellNote::Made = 0;
  {
    KroVar<ITestCellNote> note;
    unsigned int faceTag = 0;
    {
      KroMfPart_var part = SamplePart();
      KroCell_var face = FirstCell(part->GetBody(1), 2);
      ASSERT_TRUE(face);
      faceTag = face->GetTag();
      EXPECT_FALSE(KroVar<ITestCellNote>(FirstCell(part->GetBody(1), 0)))
          << "vertices have another late type: no extension";
      EXPECT_EQ(TestCellNote::Made, 0);
      note = face;  // the view asks the dictionary
      ASSERT_TRUE(note);
      EXPECT_EQ(TestCellNote::Made, 1);
      void* raw = nullptr;
      ASSERT_EQ(face->QueryInterface(ITestCellNote::ClassIID(), &raw), KRO_S_OK);
      EXPECT_EQ(TestCellNote::Made, 2) << "each query makes a new extension";
      static_cast<ITestCellNote*>(raw)->Release();
    }
    // Only the extension holds the document now.
    EXPECT_EQ(note->NotedTag(), faceTag);
  }
  KroInterfaceDictionary::Unregister("KroMfCell", ITestCellNote::InterfaceName());
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), before);
}

// --------------------------------------------------------------------------------------------
// Shared reference counts
// --------------------------------------------------------------------------------------------

TEST(KroMfPartObject, ADocumentLivesWhileAnyOfItsObjectsIsHeld) {
  const long before = KroBaseUnknown::LiveObjects();
  KroCell_var edge;
  {
    KroMfPart_var part = SamplePart();
    ASSERT_TRUE(part);
    edge = FirstCell(part->GetBody(2), 1);
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->RefCount(), part->RefCount()) << "the cell counts with its document";
  }
  EXPECT_GT(KroBaseUnknown::LiveObjects(), before);
  // The edge still reaches its document: body, geometry and factory are all alive.
  KroBody_var body = edge->GetBody();
  ASSERT_TRUE(body);
  EXPECT_TRUE(body->GetGeoFactory());
  KroCurve_var curve(edge->GetGeometry());
  ASSERT_TRUE(curve);
  KroCrvParam start, end;
  EXPECT_EQ(curve->GetParamRange(start, end), KRO_S_OK);
  body = nullptr;
  curve = nullptr;
  edge = nullptr;
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), before) << "everything goes with the last reference";
}

TEST(KroMfPartObject, ReferencesTakenAndGivenBackBalance) {
  const long before = KroBaseUnknown::LiveObjects();
  {
    KroMfPart_var part = SamplePart();
    const unsigned long base = part->RefCount();
    {
      KroListPtrKroCell faces;
      ASSERT_EQ(part->GetBody(1)->GetAllCells(faces, 2), KRO_S_OK);
      EXPECT_EQ(part->RefCount(), base + static_cast<unsigned long>(faces.Size()))
          << "a list holds one reference per cell";
      KroListPtrKroCell copy(faces);
      EXPECT_EQ(part->RefCount(), base + 2 * static_cast<unsigned long>(faces.Size()));
      copy = copy;
      copy.RemoveAll();
      EXPECT_EQ(part->RefCount(), base + static_cast<unsigned long>(faces.Size()));
    }
    EXPECT_EQ(part->RefCount(), base);
    {
      _SEQUENCE_KroBaseUnknown_ptr members;
      ASSERT_EQ(part->ListMembersHere(KroISpecObject::ClassName(), members), KRO_S_OK);
      EXPECT_EQ(part->RefCount(), base + members.length());
      members.ReleaseAll();
    }
    EXPECT_EQ(part->RefCount(), base);
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), before);
}

TEST(KroMfPartObject, TwoDocumentsAreFreedIndependently) {
  const long before = KroBaseUnknown::LiveObjects();
  KroMfPart_var first = SamplePart();
  const long withOne = KroBaseUnknown::LiveObjects();
  {
    KroMfPart_var second = SamplePart();
    KroCell_var cell = FirstCell(second->GetBody(1), 2);
    EXPECT_GT(KroBaseUnknown::LiveObjects(), withOne);
  }
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), withOne);
  first = nullptr;
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), before);
}

// --------------------------------------------------------------------------------------------
// Math values
// --------------------------------------------------------------------------------------------

TEST(KroMathDirection, SettingComponentsRenormalisesEachTime) {
  KroMathDirection d;
  d.SetX(1);
  d.SetY(1);
  d.SetZ(1);
  KroUnicodeString x, y, z;
  x.BuildFromNum(d.GetX(), "%g");
  y.BuildFromNum(d.GetY(), "%g");
  z.BuildFromNum(d.GetZ(), "%g");
  EXPECT_EQ(x + "," + y + "," + z, KroUnicodeString("0.5,0.5,0.707107"));
  EXPECT_NEAR(d.Dot(d), 1.0, 1e-15);
}

TEST(KroMathDirection, DegenerateVectorsBecomeTheXAxis) {
  struct Row {
    const char* name;
    double x, y, z;
  };
  const Row rows[] = {{"zero", 0, 0, 0}, {"nan", std::nan(""), 1, 0}, {"infinite", HUGE_VAL, 0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    KroMathDirection d(0, 0, 1);
    d.SetCoord(row.x, row.y, row.z);
    EXPECT_EQ(d, KroMathDirection(1, 0, 0));
  }
  // Components whose squares underflow or overflow still give their direction.
  EXPECT_EQ(KroMathDirection(0, 1e-200, 0), KroMathDirection(0, 1, 0));
  EXPECT_EQ(KroMathDirection(0, 0, -1e200), KroMathDirection(0, 0, -1));
  KroMathDirection unit(0.6, 0.8, 0.0);
  EXPECT_EQ(unit.GetX(), 0.6) << "a unit vector is kept as it is";
  EXPECT_EQ(unit.GetY(), 0.8);
}
