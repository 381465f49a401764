#include <QApplication>

#include "app/frm_plot.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("hoshinami"));
  QApplication::setApplicationDisplayName(QStringLiteral("ほしなみ。"));
  FrmPlot window;
  window.show();
  return QApplication::exec();
}
