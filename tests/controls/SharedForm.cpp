#include "tests/controls/Support.h"

#include <gtest/gtest.h>

namespace ControlsTest {

namespace {

Form *shared = nullptr;

class SharedFormEnvironment : public testing::Environment {
public:
    void TearDown() override {
        delete shared;
        shared = nullptr;
        Pump();
    }
};

[[maybe_unused]] testing::Environment *const environment =
    testing::AddGlobalTestEnvironment(new SharedFormEnvironment);

} // namespace

Form &SharedForm() {
    if (shared == nullptr) {
        shared = new Form(Instance(), false);
        shared->x = 0;
        shared->y = 0;
        shared->width = 480;
        shared->height = 360;
        shared->sizable = false;
        shared->Create();
        Pump();
    }
    return *shared;
}

} // namespace ControlsTest
