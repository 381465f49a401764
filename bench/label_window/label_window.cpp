// The fair floor of the start-up benchmark for a program that shows text: the empty window of
// bench/empty_window plus one label with a short Japanese text in the program's Gothic family list
// at its 9 pt window size. Everything this window costs (font lookup, FreeType, HarfBuzz, the text
// layout and paint) the program cannot avoid either; scripts/bench-startup times it against the
// program.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "app/first_paint_exit.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("label window"));
  window.resize(973, 714);  // the program's initial client area, 14595 x 10710 twips

  // The program's family list and size, written out here so the floor does not depend on the
  // program's code.
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                    QStringLiteral("IPAGothic")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);  // 9 pt at 96/72 px per point
  auto* label = new QLabel(QStringLiteral("損益："), &window);
  label->setFont(font);
  label->move(21, 476);  // the design position of the same caption in the program
  app::quitAfterFirstPaintIfAsked(&window);
  window.show();
  return QApplication::exec();
}
