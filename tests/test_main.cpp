// Every test program runs with a real QApplication on the offscreen platform, with folders of its
// own for what the program keeps (settings, state, named trades): never the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "offscreen_platform.h"

int main(int argc, char** argv) {
  useOffscreenPlatformUnlessChosen();
  QTemporaryDir home;
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
    qputenv(name, (home.path() + QLatin1Char('/') + QLatin1String(name)).toUtf8());
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("ほしなみ。"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
