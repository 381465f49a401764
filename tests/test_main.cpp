// Every test program runs with a real QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "offscreen_platform.h"

int main(int argc, char** argv) {
  useOffscreenPlatformUnlessChosen();
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("ほしなみ。"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
