#include "app/tk/print_dialog.h"

#include <QPrintDialog>
#include <utility>

namespace tk {

namespace {
PrinterAsker& asker() {
  static PrinterAsker a;
  return a;
}
}  // namespace

void setPrinterAsker(PrinterAsker a) { asker() = std::move(a); }

bool askPrinter(QWidget* parent, QPrinter* printer) {
  if (asker()) return asker()(parent, printer);
  QPrintDialog dialog(printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace tk
