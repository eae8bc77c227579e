// Test entry: takes the locale from the environment, so running the suite under a comma-decimal
// locale (LC_ALL=de_DE.UTF-8) proves that nothing depends on it.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  try {
    std::locale::global(std::locale(""));
  } catch (...) {
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
