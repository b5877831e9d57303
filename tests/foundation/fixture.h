#pragma once
// Files of tests/data/foundation.
#include <string>

inline std::string fixture(const std::string& name) {
    return std::string(QV_TEST_DATA) + "/foundation/" + name;
}
