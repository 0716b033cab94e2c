#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for all tests, on the offscreen platform so that no display is needed.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
