// On Windows the settings file's hostile cases of POSIX systems do not arise
// in the same form; the portable cases run in settings_test.cpp.

#include <gtest/gtest.h>

namespace {

TEST(SettingsFile, PosixOnlyCases) {
  GTEST_SKIP() << "links, FIFOs, devices, file modes and a second user are tested on POSIX "
                  "systems only";
}

}  // namespace
