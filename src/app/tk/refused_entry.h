#pragma once
// How an entry field shows a text it does not take: red text on a light red background, until
// its text is taken again. The window's fields and the settings dialog's entries look the same.
class QLineEdit;

namespace tk {

// Marks the field (or clears the mark). A screen reader hears the same through the field's
// description: its tool tip, then that the value is not taken.
void showTaken(QLineEdit* field, bool taken);
bool shownRefused(const QLineEdit* field);

}  // namespace tk
