// Runs the toolkit's window tests. Before any test makes an element, the very
// first form of the run is created here, so the tests can check what the
// first form of a program gets.
#include "tests/toolkit/Support.h"

#include <gtest/gtest.h>

namespace CorvantaTest {
std::wstring firstFormClass;
std::int32_t firstFormId = -1;
} // namespace CorvantaTest

int main(int argc, char **argv) {
    using namespace CorvantaTest;
    {
        TestForm first;
        first.Create();
        firstFormClass = ClassOf(first.window);
        firstFormId = first.id;
    }
    ResetLoop();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
