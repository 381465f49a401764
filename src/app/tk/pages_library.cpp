// libhoshinami_pages: the SVG writer and the printer, loaded by the program on first use.
#include <QApplication>
#include <QBuffer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QWidget>

#include "app/tk/page_output.h"

namespace {

QByteArray svg(QWidget* window, int dotsPerInch, const QString& title, const QString& description) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(dotsPerInch);
  generator.setSize(window->size());  // written in millimetres
  generator.setViewBox(window->rect());
  generator.setTitle(title);
  generator.setDescription(description);
  window->render(&generator);
  return bytes;
}

// The window is wider than high, so the page starts turned.
tk::Printed print(QWidget* window, const QString& documentName, const tk::PrinterAsker& ask,
                  tk::PagePainter paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(documentName);
  bool chosen = false;
  if (ask) {
    chosen = ask(window, &printer);
  } else {
    QPrintDialog dialog(&printer, window);
    // The application's font skips shaping; printer and file names may need it.
    QFont shaped = QApplication::font();
    shaped.setStyleStrategy(QFont::PreferDefault);
    dialog.setFont(shaped);
    chosen = dialog.exec() == QDialog::Accepted;
  }
  if (!chosen) return tk::Printed::Cancelled;
  paint(window, &printer);
  return printer.printerState() == QPrinter::Error ? tk::Printed::Failed : tk::Printed::Done;
}

const tk::PageOutput kPages{svg, print};

}  // namespace

extern "C" Q_DECL_EXPORT const tk::PageOutput* hoshinamiPageOutput() { return &kPages; }
