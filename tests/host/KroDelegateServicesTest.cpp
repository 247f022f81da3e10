// The modeler's contracts and their identifiers, and objects made by late type name. The
// delegates themselves are tested through the delegate stream, which makes and reads them.
#include <gtest/gtest.h>

#include <climits>

#include "KroIMmrContractPrivate.h"
#include "KroMmrContractServices.h"
#include "KroObject.h"

TEST(KroMmrContractServices, GivesEachContractOfItsIdentifierAndRefusesOthers) {
  for (const int identifier : KroMmrContractServices::GetIdentifiers()) {
    SCOPED_TRACE(identifier);
    KroIMmiContract_var contract;
    ASSERT_EQ(KroMmrContractServices::GetContractFromIdentifier(identifier, contract), KRO_S_OK);
    EXPECT_EQ(!contract, identifier == KroMmrContractServices::kNoContract);
    int back = 0;
    ASSERT_EQ(KroMmrContractServices::GetIdentifierOfContract(contract, back), KRO_S_OK);
    EXPECT_EQ(back, identifier);
    if (!contract) continue;
    uint32_t flags = 0, version = 0;
    ASSERT_EQ(KroIMmrContractPrivate_var(contract)->GetSupportFlags(flags, version), KRO_S_OK);
    EXPECT_EQ((flags & KroIMmrContractPrivate::MfInitialFeatureSupport) != 0, identifier == 12);
  }
  for (const int identifier : {0, -2, 3, 11, 13, INT_MIN}) {
    SCOPED_TRACE(identifier);
    KroIMmiContract_var contract;
    ASSERT_EQ(KroMmrContractServices::GetContractFromIdentifier(1, contract), KRO_S_OK);
    EXPECT_EQ(KroMmrContractServices::GetContractFromIdentifier(identifier, contract), KRO_E_FAIL);
    EXPECT_FALSE(contract);
  }
  EXPECT_FALSE(KroObject("NoSuchType", ""));
}
