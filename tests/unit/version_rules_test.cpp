#include "install/version_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(IsMsiVersionEnough, ComparesComponentByComponent) {
    const struct {
        FileVersion version;
        bool enough;
    } cases[] = {
        {{3, 1, 4000, 2435}, true},  {{3, 1, 4000, 2434}, false}, {{3, 1, 3999, 9999}, false},
        {{3, 0, 9999, 9999}, false}, {{3, 1, 4001, 0}, true},     {{3, 2, 0, 0}, true},
        {{4, 0, 0, 0}, true},        {{2, 99, 9999, 9999}, false}, {{5, 0, 0, 0}, true},
        {{0, 0, 0, 0}, false},       {{65535, 0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.enough, IsMsiVersionEnough(c.version))
            << c.version.major << "." << c.version.minor << "." << c.version.build << "." << c.version.revision;
    }
}

}  // namespace
