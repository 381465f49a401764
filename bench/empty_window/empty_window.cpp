// The baseline of the start-up benchmark: the least a Qt Widgets program does to open a window of
// the program's start-up size and paint it once. scripts/bench-startup times it against the
// program.
#include <QApplication>
#include <QWidget>

#include "app/first_paint_exit.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("empty window"));
  window.resize(973, 714);  // the program's initial client area, 14595 x 10710 twips
  app::quitAfterFirstPaintIfAsked(&window);
  window.show();
  return QApplication::exec();
}
