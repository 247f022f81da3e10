// The registration services of the object model: a library's module runs the entries of its
// table and takes back what they registered when it goes; the extensions it registers are
// made by ToCreateBOA when a view asks for them, answer for the object they extend and hold it.
#include <gtest/gtest.h>

#include "KroFillDictionary.h"
#include "KroHostTestDocuments.h"
#include "KroOMModule.h"
#include "ToCreateBOA.h"

namespace {

class ITestMark : public virtual KroBaseUnknown {
  KRO_DECLARE_INTERFACE(ITestMark)
};
KRO_REGISTER_INTERFACE(ITestMark);

const KroMetaClass* MarkMeta() {
  return KroMetaClass::Retrieve("ITestMark", KroClassInterface, nullptr, nullptr, "Tests", 0);
}

// An extension of cells; Wrong describes itself as another class than the one registered.
template <bool Wrong>
class TestMark : public virtual ITestMark {
 public:
  static const KroMetaClass* Meta() {
    return KroMetaClass::Retrieve(Wrong ? "TestWrongMark" : "TestMark", KroClassCodeExtension,
                                  MarkMeta(), "KroMfCell", "Tests", sizeof(TestMark));
  }
  const KroMetaClass* GetMetaObject() const override { return Meta(); }
};
KroBaseUnknown* MakeMark() { return new TestMark<false>; }
KroBaseUnknown* MakeWrongMark() { return new TestMark<true>; }
KroBaseUnknown* CreateMark(KroBaseUnknown* object, KroBaseUnknown* implementation) {
  return ToCreateBOA(object, implementation, TestMark<false>::Meta(), ITestMark::ClassIID(),
                     &MakeMark);
}
KroBaseUnknown* CreateOtherMark(KroBaseUnknown* object, KroBaseUnknown* implementation) {
  return CreateMark(object, implementation);
}
KroOMModule* RegisterMark() {
  EXPECT_EQ(KroFillDictionary::Register(TestMark<false>::Meta(), MarkMeta(), &CreateMark, nullptr,
                                        KroFillDictionary::kReplace),
            KRO_S_OK);
  return nullptr;
}

bool Registered(KroCreateBOAFunction expected) {
  KroCreateBOAFunction create = nullptr;
  KroQueryBOAFunction query = nullptr;
  return KroInterfaceDictionary::FindBOA("KroMfCell", "ITestMark", create, query) &&
         create == expected;
}

}  // namespace

TEST(KroOMModule, RegistersWhatItsTableHoldsAndTakesItBackUnlessReplaced) {
  const KroOMDictionaryEntry table[] = {nullptr, &RegisterMark, nullptr};
  const long live = KroBaseUnknown::LiveObjects();
  {
    KroOMModule module(KroOMModuleInfo{table, table + 3});
    ASSERT_TRUE(Registered(&CreateMark));
    KroVar<ITestMark> mark;
    {
      const KroMfPart_var part = KroHostTestSamplePart();
      const KroCell_var face = KroHostTestCell(part->GetBody(1), 2);
      EXPECT_FALSE(KroVar<ITestMark>(KroHostTestCell(part->GetBody(1), 0)))
          << "vertices have another late type: no extension";
      mark = face;  // the view asks the dictionary
      ASSERT_TRUE(mark);
      EXPECT_EQ(mark->GetExtendedObject(), static_cast<KroBaseUnknown*>(face.get()));
      EXPECT_TRUE(KroCell_var(mark).IsSame(face)) << "the extension answers for its cell";
    }
    // Only the extension holds its cell, and so the cell's document, now.
    EXPECT_TRUE(KroCell_var(mark)->GetBody()->GetGeoFactory());
  }
  EXPECT_FALSE(Registered(&CreateMark)) << "a module that goes leaves no entry behind";
  EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
  {
    KroOMModule module(KroOMModuleInfo{table, table + 3});
    ASSERT_EQ(KroFillDictionary::Register(TestMark<false>::Meta(), MarkMeta(), &CreateOtherMark,
                                          nullptr, 0),
              KRO_E_FAIL)
        << "without the flag an entry already there stays";
    ASSERT_EQ(KroFillDictionary::Register(TestMark<false>::Meta(), MarkMeta(), &CreateOtherMark,
                                          nullptr, KroFillDictionary::kReplace),
              KRO_S_OK);
  }
  EXPECT_TRUE(Registered(&CreateOtherMark)) << "the module takes back only its own entry";
  KroInterfaceDictionary::UnregisterBOA("KroMfCell", "ITestMark", &CreateOtherMark);
}

TEST(ToCreateBOA, MakesNothingAndLeavesNothingAliveForAMismatch) {
  const KroMfPart_var part = KroHostTestSamplePart();
  const KroCell_var face = KroHostTestCell(part->GetBody(1), 2);
  const long live = KroBaseUnknown::LiveObjects();
  const struct {
    const char* what;
    KroBaseUnknown* extended;
    const KroMetaClass* meta;
    KroBOAFactory factory;
  } rows[] = {
      {"the factory makes another class", face.get(), TestMark<false>::Meta(), &MakeWrongMark},
      {"the meta object is no extension", face.get(), MarkMeta(), &MakeMark},
      {"the object is of another late type", part->GetBody(1).get(), TestMark<false>::Meta(),
       &MakeMark},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(ToCreateBOA(row.extended, nullptr, row.meta, ITestMark::ClassIID(), row.factory),
              nullptr);
    EXPECT_EQ(KroBaseUnknown::LiveObjects(), live);
  }
}
