#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <memory>
#include <system_error>
#include <thread>

#include "app/first_paint_exit.h"
#include "app/frm_plot.h"
#include "app/settings_file.h"
#include "app/tk/units.h"

namespace {

void nameTheProgram() {
  QCoreApplication::setApplicationName(QStringLiteral("hoshinami"));
  QCoreApplication::setApplicationVersion(QStringLiteral(HOSHINAMI_VERSION));
}

// Every text of the program is Japanese, whatever the system's language: Qt's own texts too
// (the usage line, the standard buttons, the file and print dialogs).
void useJapaneseQtTexts(QTranslator& texts) {
  if (texts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&texts);
}

void print(FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

// The options are read before any window system is touched, so --help, --version and a wrong
// option work without a display. Nothing: go on and open the window; else the exit code.
std::optional<int> readOptions(int argc, char* argv[], QString& settingsPath) {
  QCoreApplication app(argc, argv);
  nameTheProgram();
  QTranslator qtTexts;
  useJapaneseQtTexts(qtTexts);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("株の売買の受渡金額を単価に対して描き、損益を表示します。"));
  // Qt's own help and version options read in another style: these are the program's.
  const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                      QStringLiteral("このオプションの説明を表示します。"));
  const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("バージョンを表示します。"));
  const QCommandLineOption settingsOption(
      QStringLiteral("settings"),
      QStringLiteral("取引の設定をこのファイルから読み、ここに保存します。"),
      QStringLiteral("FILE"));
  parser.addOptions({helpOption, versionOption, settingsOption});
  if (!parser.parse(QCoreApplication::arguments())) {
    print(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + parser.errorText() +
                      QLatin1Char('\n'));
    return 1;
  }
  if (parser.isSet(helpOption)) {
    // Qt wraps the option texts at 79 columns, inside a word where it finds no blank: the
    // default file, one long word, stands on a line of its own below them.
    print(stdout, parser.helpText() + QStringLiteral("\n既定の設定ファイル：\n  %1\n")
                                          .arg(QDir::toNativeSeparators(app::defaultPath())));
    return 0;
  }
  if (parser.isSet(versionOption)) {
    print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                QCoreApplication::applicationVersion()));
    return 0;
  }
  settingsPath = parser.isSet(settingsOption)
                     ? QFileInfo(parser.value(settingsOption)).absoluteFilePath()
                     : app::defaultPath();
  return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
  QString settingsPath;
  if (const auto exitCode = readOptions(argc, argv, settingsPath)) return *exitCode;

  // Reading the system's font configuration and font list is the largest single piece of start-up
  // work, and the connection to the display below mostly waits on the display's answers: the two
  // go side by side. Fontconfig starts only once, whichever thread asks first; Qt's own first call
  // comes with the first font, after the join, and finds it done.
  std::thread fontconfigStart;
  try {
    fontconfigStart = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: Qt starts fontconfig itself with the first font.
  }
  QApplication app(argc, argv);
  nameTheProgram();
  QTranslator qtTexts;
  useJapaneseQtTexts(qtTexts);
  if (fontconfigStart.joinable()) fontconfigStart.join();
  // The window's own 9 pt Gothic for everything, Qt's dialogs and tool tips too: their texts are
  // Japanese. It also spares a second font: an entry field lays out its text once in the
  // application's font before it takes its own. Unshaped, as the window's: the dialogs that show
  // a name or a file name take the shaped one themselves.
  QApplication::setFont(tk::unshaped(tk::windowFont()));

  app::FrmPlot window(settingsPath);
  app::quitAfterFirstPaintIfAsked(&window);  // for the start-up benchmark only
  window.show();
  return QApplication::exec();
}
