#include <gtest/gtest.h>

#include "support/test_process.h"

int main(int argc, char** argv) {
  prepareTestProcess();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
