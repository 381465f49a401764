#pragma once
// Qt's print dialog (in Japanese, from Qt's translation), asked for the printer to use. Tests
// replace the asker to answer without a modal dialog.
#include <functional>

class QPrinter;
class QWidget;

namespace tk {

// Sets up `printer` as the person chooses; false when they cancelled.
using PrinterAsker = std::function<bool(QWidget* parent, QPrinter* printer)>;
bool askPrinter(QWidget* parent, QPrinter* printer);
void setPrinterAsker(PrinterAsker asker);  // an empty asker restores the real dialog

}  // namespace tk
