#pragma once
// The window written as SVG and printed. Both need a Qt module (SVG, printing) that every start
// would otherwise load and link, a good half millisecond for two commands seldom used: they live
// in a library of their own, libhoshinami_pages, loaded the first time either is used.
#include <QByteArray>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace tk {

// Sets up `printer` as the person chooses; false when they cancelled. Tests set one that answers
// without a modal dialog; an empty asker means Qt's print dialog (in Japanese, from Qt's
// translation).
using PrinterAsker = std::function<bool(QWidget* parent, QPrinter* printer)>;
void setPrinterAsker(PrinterAsker asker);

enum class Printed { Done, Cancelled, Failed };

// The window as an SVG document, its size in millimetres at `dotsPerInch`; empty when it cannot
// be made (the library is missing).
QByteArray windowSvg(QWidget* window, int dotsPerInch, const QString& title,
                     const QString& description);

// Asks for a printer (the page turned to landscape) and prints the window on it with `paint`.
using PagePainter = void (*)(QWidget* window, QPagedPaintDevice* page);
Printed printWindow(QWidget* window, const QString& documentName, PagePainter paint);

// What the library's one entry point, hoshinamiPageOutput(), returns; the program and the library
// are built together.
struct PageOutput {
  QByteArray (*svg)(QWidget* window, int dotsPerInch, const QString& title,
                    const QString& description);
  Printed (*print)(QWidget* window, const QString& documentName, const PrinterAsker& ask,
                   PagePainter paint);
};

}  // namespace tk
