// The window saved as a picture file (Ctrl+S: PNG, SVG or PDF, by the file's suffix), copied to
// the clipboard as a bitmap with the figures as text (Ctrl+Shift+C; the text alone from the
// menu 「数値をコピー」) or printed (Ctrl+P).
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QStandardPaths>

#include "app/frm_plot.h"
#include "app/tk/message_box.h"
#include "app/tk/page_output.h"
#include "app/tk/picture.h"
#include "app/tk/save_dialog.h"
#include "app/tk/save_file.h"
#include "app/tk/units.h"
#include "core/number_text.h"
#include "trade/figures_text.h"

namespace app {

// hoshinami-<quantity>-<buy>-<sell>.png with the values the chart shows, in the pictures folder.
QString FrmPlot::PictureName() const {
  const QString name =
      QStringLiteral("hoshinami-%1-%2-%3.png")
          .arg(tk::qs(core::plainFloat(state.quantity)), tk::qs(core::plainFloat(state.buyPrice)),
               tk::qs(core::plainFloat(state.sellPrice)));
  QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  return QDir(folder).filePath(name);
}

QImage FrmPlot::PictureImage() { return tk::windowBitmap(this); }

// Written through a temporary file in the same folder that replaces the target only once all of
// it is written: a failure leaves no partial file and an existing file as it was.
void FrmPlot::SavePicture() {
  std::vector<tk::FileKind> kinds;
  for (const tk::PictureFormat& format : tk::pictureFormats()) kinds.push_back(format.kind);
  const QString path = tk::chooseSavePath(this, PictureName(), kinds);
  if (path.isEmpty()) return;
  // The chooser completed a suffix that names no format, so this finds one.
  const tk::PictureFormat* known = tk::formatOfFile(path);
  const tk::PictureFormat& format = known ? *known : tk::pictureFormats().front();

  const QByteArray bytes = format.encode(this);
  const std::optional<QString> failure = bytes.isEmpty()
                                             ? QStringLiteral("画像を作れませんでした。")
                                             : tk::saveWhole(path, bytes, tk::Folder::MustExist);
  if (failure)
    tk::showMessage(this, QStringLiteral("画像を保存できませんでした。\n%1\n%2")
                              .arg(QDir::toNativeSeparators(path), *failure));
}

// Printed as the PDF is painted, fitted to the page.
void FrmPlot::PrintWindow() {
  if (tk::printWindow(this, QStringLiteral("ほしなみ。"), tk::paintOnPage) == tk::Printed::Failed)
    tk::showMessage(this, QStringLiteral("印刷できませんでした。"));
}

// The bitmap for pictures, and the trade with its figures as text for spreadsheets.
void FrmPlot::CopyPicture() {
  auto* both = new QMimeData;
  both->setImageData(PictureImage());
  both->setText(tk::qs(trade::figuresAsText(state, FiguresShown())));
  QGuiApplication::clipboard()->setMimeData(both);
}

void FrmPlot::CopyFigures() {
  QGuiApplication::clipboard()->setText(tk::qs(trade::figuresAsText(state, FiguresShown())));
}

}  // namespace app
