// The window saved as a picture file (Ctrl+S: PNG or SVG) or copied to the clipboard as a bitmap
// (Ctrl+Shift+C).
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>

#include "app/frm_plot.h"
#include "app/tk/message_box.h"
#include "app/tk/picture.h"
#include "app/tk/save_dialog.h"
#include "app/tk/units.h"
#include "core/number_text.h"

namespace {
// The bitmap is twice as dense as the screen, so it stays crisp printed or enlarged.
constexpr double kPictureScale = 2.0;
}  // namespace

// hoshinami-<quantity>-<buy>-<sell>.png with the values the chart shows, in the pictures folder.
QString FrmPlot::PictureName() const {
  const QString name = QStringLiteral("hoshinami-%1-%2-%3.png")
                           .arg(tk::qs(numtext::plainFloat(state.quantity)),
                                tk::qs(numtext::plainFloat(state.buyPrice)),
                                tk::qs(numtext::plainFloat(state.sellPrice)));
  QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  return QDir(folder).filePath(name);
}

QImage FrmPlot::PictureImage() { return tk::windowImage(this, kPictureScale); }

// Written through a temporary file in the same folder that replaces the target only once all of
// it is written: a failure leaves no partial file and an existing file as it was.
void FrmPlot::SavePicture() {
  const QString path = tk::chooseSavePath(this, PictureName());
  if (path.isEmpty()) return;
  const bool vector =
      QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;

  QSaveFile file(path);
  QString failure;
  if (!file.open(QIODevice::WriteOnly)) {
    failure = file.errorString();
  } else {
    bool written = false;
    if (vector) {
      tk::VectorScene scene;
      scene.sizeMm = QSizeF(tk::pxToMm(width()), tk::pxToMm(height()));
      scene.background = palette().color(QPalette::Window);
      scene.chart = &surface;
      scene.lines = {ui.LinSYaku, ui.LinBYaku, ui.LinS, ui.LinB};
      scene.selection = ui.ShpArea;
      scene.labels = {ui.LblRieki, ui.LblSoneki, ui.LblSell, ui.LblBuy, ui.LblBYaku, ui.LblSYaku};
      written = tk::writeSvg(file, scene);
    } else {
      QImageWriter writer(&file, "png");
      written = writer.write(PictureImage());
      if (!written) failure = writer.errorString();
    }
    if (!written) {
      if (failure.isEmpty()) failure = file.errorString();
      file.cancelWriting();
    } else if (!file.commit()) {
      failure = file.errorString();
    }
  }
  if (!failure.isEmpty())
    tk::showMessage(this, QStringLiteral("画像を保存できませんでした。\n%1\n%2")
                              .arg(QDir::toNativeSeparators(path), failure));
}

void FrmPlot::CopyPicture() { QGuiApplication::clipboard()->setImage(PictureImage()); }
