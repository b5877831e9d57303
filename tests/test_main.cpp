// Shared entry point of every test executable: a QGuiApplication-free start so that
// headless layers need no display; tests that need Qt create their own application object.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
