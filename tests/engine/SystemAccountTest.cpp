// The system account recognised by its SID; this test, like every Wine process, runs as a person.
#include <gtest/gtest.h>

#include "engine/SystemAccount.h"

namespace {

bool SidIsSystem(BYTE authority, DWORD first, BYTE count = 1, DWORD second = 0) {
    SID_IDENTIFIER_AUTHORITY identifier = {{0, 0, 0, 0, 0, authority}};
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&identifier, count, first, second, 0, 0, 0, 0, 0, 0, &sid)) return false;
    bool system = IsLocalSystemSid(sid);
    FreeSid(sid);
    return system;
}

TEST(SystemAccount, OnlyLocalSystemIsTheSystemAccount) {
    EXPECT_TRUE(SidIsSystem(5, SECURITY_LOCAL_SYSTEM_RID));
    EXPECT_FALSE(SidIsSystem(5, SECURITY_LOCAL_SERVICE_RID));
    EXPECT_FALSE(SidIsSystem(1, SECURITY_LOCAL_SYSTEM_RID));
    EXPECT_FALSE(SidIsSystem(5, SECURITY_LOCAL_SYSTEM_RID, 2, 1000));
    EXPECT_FALSE(RunsAsSystemAccountToken());
    EXPECT_FALSE(RunsAsSystemAccount());
}

}  // namespace
