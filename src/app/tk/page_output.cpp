#include "app/tk/page_output.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <utility>

namespace tk {

namespace {

PrinterAsker& asker() {
  static PrinterAsker a;
  return a;
}

// Already in the process when a test program links it; else beside the program (a build folder)
// or where the installation puts it, relative to the program's folder.
const PageOutput* output() {
  static const PageOutput* loaded = []() -> const PageOutput* {
    using Entry = const PageOutput* (*)();
    const QString library = QStringLiteral("libhoshinami_pages.so");
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& path :
         {library, folder + QLatin1Char('/') + library,
          folder + QStringLiteral("/" HOSHINAMI_PAGES_FROM_PROGRAM "/") + library})
      if (auto entry = reinterpret_cast<Entry>(QLibrary::resolve(path, "hoshinamiPageOutput")))
        return entry();
    return nullptr;
  }();
  return loaded;
}

}  // namespace

void setPrinterAsker(PrinterAsker a) { asker() = std::move(a); }

QByteArray windowSvg(QWidget* window, int dotsPerInch, const QString& title,
                     const QString& description) {
  const PageOutput* pages = output();
  return pages ? pages->svg(window, dotsPerInch, title, description) : QByteArray();
}

Printed printWindow(QWidget* window, const QString& documentName, PagePainter paint) {
  const PageOutput* pages = output();
  return pages ? pages->print(window, documentName, asker(), paint) : Printed::Failed;
}

}  // namespace tk
