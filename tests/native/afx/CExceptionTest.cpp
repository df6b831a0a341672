#include <afx/CException.h>

#include <gtest/gtest.h>

namespace {

// Thrown inside the framework library (a DLL on Windows) and caught here by type.
TEST(CException, InvalidArgumentIsCaughtByPointer)
{
    bool caughtExact = false;
    try {
        AfxThrowInvalidArgException();
    } catch (CInvalidArgException* e) {
        caughtExact = true;
        e->Delete();
    }
    EXPECT_TRUE(caughtExact);

    bool caughtBase = false;
    try {
        AfxThrowInvalidArgException();
    } catch (CException* e) {
        caughtBase = dynamic_cast<CInvalidArgException*>(e) != nullptr;
        e->Delete();
    }
    EXPECT_TRUE(caughtBase);
}

}  // namespace
