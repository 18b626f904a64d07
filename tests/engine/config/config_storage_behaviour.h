// The storage-independent behaviours of a configuration, run once per storage kind.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/engine/config/config_test_support.h"
#include "tests/support/temp_folder.h"

namespace quillon::test {

class ConfigStorageTest : public ::testing::TestWithParam<BackendKind> {
protected:
    ConfigStorageTest();

    TempFolder folder_;
    TestOwner owner_;
    std::unique_ptr<ConfigBackend> backend_;
};

inline std::string BackendName(const ::testing::TestParamInfo<BackendKind>& info) {
    return info.param.name;
}

}  // namespace quillon::test
