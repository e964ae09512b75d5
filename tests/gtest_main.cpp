// GoogleTest's usual main, except that a run in which a case was skipped and
// none failed exits with 77, which CTest reports as not run: a case that
// this machine cannot run must not pass for one that passed.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (RUN_ALL_TESTS() != 0) return 1;
  return testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? 77 : 0;
}
