#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/first_paint_exit.h"
#include "app/frm_plot.h"
#include "app/settings_file.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("hoshinami"));
  QApplication::setApplicationVersion(QStringLiteral(HOSHINAMI_VERSION));

  // Every text of the program is Japanese, whatever the system's language: Qt's own texts too
  // (the standard buttons, the file dialog).
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("株の売買の受渡金額を単価に対して描き、損益を示します。"));
  // Qt's own help option reads in English with some translations: this one is Japanese.
  const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                      QStringLiteral("このオプションの説明を表示します。"));
  parser.addOption(helpOption);
  parser.addVersionOption();
  const QCommandLineOption settingsOption(
      QStringLiteral("settings"),
      QStringLiteral("取引の設定をこのファイルから読み、ここに保存します（既定：%1）")
          .arg(app::defaultPath()),
      QStringLiteral("FILE"));
  parser.addOption(settingsOption);
  parser.process(app);  // --version prints and exits; an unknown option says so
  if (parser.isSet(helpOption)) parser.showHelp(0);
  const QString settingsPath = parser.isSet(settingsOption)
                                   ? QFileInfo(parser.value(settingsOption)).absoluteFilePath()
                                   : app::defaultPath();

  app::FrmPlot window(settingsPath);
  app::quitAfterFirstPaintIfAsked(&window);  // for the start-up benchmark only
  window.show();
  return QApplication::exec();
}
