// Tests of the counted object model as the part documents use it: typed views and the shared
// reference counts of a document's objects. Extensions made by the interface dictionary are
// tested with the object module that registers them.
#include <gtest/gtest.h>

#include "KroCurve.h"
#include "KroHostTestDocuments.h"
#include "KroIGnAssociatedObject.h"
#include "KroISpecObject.h"
#include "KroVertex.h"
#include "_SEQUENCE_KroBaseUnknown_ptr.h"

TEST(KroVar, ViewsGiveEmptyReferencesForMissingInterfaces) {
  KroMfPart_var part = KroHostTestSamplePart();
  KroBody_var body = part->GetBody(1);
  KroCell_var face = KroHostTestCell(body, 2);
  ASSERT_TRUE(face);
  EXPECT_TRUE(KroVertex_var(KroHostTestCell(body, 0)));
  EXPECT_FALSE(KroCell_var(body)) << "a body is no cell";
  EXPECT_FALSE(KroCurve_var(face->GetGeometry()));
  EXPECT_FALSE(KroIGnAssociatedObject_var(part));
  // Dereferencing an empty view is the host's null-reference error, not a crash.
  KroVertex_var none(face);
  EXPECT_THROW(none->GetPoint(), KroNullReferenceError);
}

TEST(KroMfPartObject, ReferencesBalanceAndADocumentGoesWithTheLastReferenceToAnyOfItsObjects) {
  const long before = KroBaseUnknown::LiveObjects();
  KroMfPart_var other = KroHostTestSamplePart();  // freed independently at the end
  const long withOther = KroBaseUnknown::LiveObjects();
  KroCell_var edge;
  {
    KroMfPart_var part = KroHostTestSamplePart();
    const unsigned long base = part->RefCount();
    {
      KroListPtrKroCell faces;
      ASSERT_EQ(part->GetBody(1)->GetAllCells(faces, 2), KRO_S_OK);
      const unsigned long size = static_cast<unsigned long>(faces.Size());
      EXPECT_EQ(part->RefCount(), base + size) << "a list holds one reference per cell";
      KroListPtrKroCell copy(faces);
      EXPECT_EQ(part->RefCount(), base + 2 * size);
      copy = copy;
      copy.RemoveAll();
      EXPECT_EQ(part->RefCount(), base + size);
    }
    EXPECT_EQ(part->RefCount(), base);
    _SEQUENCE_KroBaseUnknown_ptr members;
    ASSERT_EQ(part->ListMembersHere(KroISpecObject::ClassName(), members), KRO_S_OK);
    EXPECT_EQ(part->RefCount(), base + members.length());
    members.ReleaseAll();
    EXPECT_EQ(part->RefCount(), base);
    edge = KroHostTestCell(part->GetBody(2), 1);
    EXPECT_EQ(edge->RefCount(), part->RefCount()) << "the cell counts with its document";
  }
  EXPECT_GT(KroBaseUnknown::LiveObjects(), withOther);
  // The edge still reaches its document: body, geometry and factory are all alive.
  KroCurve_var curve(edge->GetGeometry());
  ASSERT_TRUE(curve && edge->GetBody() && edge->GetBody()->GetGeoFactory());
  KroCrvParam start, end;
  EXPECT_EQ(curve->GetParamRange(start, end), KRO_S_OK);
  curve = nullptr;
  edge = nullptr;
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), withOther) << "everything goes with the last reference";
  other = nullptr;
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), before);
}
