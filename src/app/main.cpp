#include <QApplication>

#include "app/first_paint_exit.h"
#include "app/frm_plot.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("hoshinami"));
  QApplication::setApplicationDisplayName(QStringLiteral("ほしなみ。"));
  FrmPlot window;
  quitAfterFirstPaintIfAsked(&window);  // for the start-up benchmark only
  window.show();
  return QApplication::exec();
}
