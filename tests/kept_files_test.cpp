// The files the program keeps: written whole or not at all (under a file-size limit the old file
// stays byte for byte and the failure is said), an unreadable state or trades file set aside and
// never written over, and two windows saving named trades at once losing none.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <functional>

#include "app/settings_file.h"
#include "app/state_store.h"
#include "app/trades_store.h"

namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// Runs `write` in a child whose files may not grow beyond `limit` bytes (as on a full disk), with
// the signal that would kill it ignored. True when the child saw the write fail.
bool failsUnderLimit(rlim_t limit, const std::function<bool()>& write) {
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit small{limit, limit};
    setrlimit(RLIMIT_FSIZE, &small);
    _exit(write() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

app::KeptTrade someTrade(const char* buy) {
  app::KeptTrade t;
  t.quantity = QStringLiteral("300");
  t.buyPrice = QString::fromLatin1(buy);
  t.sellPrice = QStringLiteral("1250");
  t.target = QStringLiteral("5000");
  t.nisa = true;
  return t;
}

app::KeptWindow someWindow() { return {someTrade("1234"), false, {0, 100, 0, 100000}}; }

}  // namespace

TEST(KeptFiles, AFailedWriteKeepsTheOldFileByteForByteAndSaysWhy) {
  QTemporaryDir dir;
  const QString settings = dir.filePath(QStringLiteral("settings.json"));
  const QString state = dir.filePath(QStringLiteral("state.json"));
  const QString trades = dir.filePath(QStringLiteral("trades.json"));
  core::TradeSettings other = core::builtInSettings();
  other.quantity.step = 100;
  app::KeptWindow window = someWindow();
  window.compact = true;
  ASSERT_FALSE(app::write(settings, core::builtInSettings()));
  ASSERT_FALSE(app::StateStore(state, QStringLiteral("a")).save(someWindow()));
  ASSERT_FALSE(app::TradesStore(trades).put(QStringLiteral("x"), app::KeptTrade{}));
  const struct {
    const char* what;
    QString path;
    bool namesPath;  // the settings dialog adds the path to the reason it is given
    std::function<std::optional<QString>()> write;
  } writers[] = {
      {"settings", settings, false, [&] { return app::write(settings, other); }},
      {"state", state, true,
       [&] { return app::StateStore(state, QStringLiteral("a")).save(window); }},
      {"trades", trades, true,
       [&] { return app::TradesStore(trades).put(QStringLiteral("y"), window.trade); }},
  };
  for (const auto& w : writers) {
    for (const rlim_t limit : {rlim_t{0}, rlim_t{100}}) {
      const QByteArray before = contentsOf(w.path);
      ASSERT_GT(before.size(), 100) << w.what;
      const bool failed = failsUnderLimit(limit, [&] {
        const auto message = w.write();
        return message && (!w.namesPath || message->contains(QDir::toNativeSeparators(w.path)));
      });
      EXPECT_TRUE(failed) << w.what << " under " << limit << " bytes";
      EXPECT_EQ(contentsOf(w.path), before) << w.what << " under " << limit << " bytes";
      EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "a temporary file is left";
    }
    EXPECT_FALSE(w.write()) << w.what << " without a limit";
    EXPECT_NE(contentsOf(w.path), QByteArray()) << w.what;
  }
}

TEST(KeptFiles, AnUnreadableFileIsSetAsideAndNeverWrittenOver) {
  const char* const bad[] = {
      "{\"windows\": {\"k\": {\"trade\": {\"quantity\": \"1000\", \"buy",  // cut short
      "not json",
      "[]",
      "{\"windows\": []}",
      "{\"windows\": {\"k\": {\"trade\": {\"quantity\": 1000, \"buyPrice\": \"1\", "
      "\"sellPrice\": \"1\"}, \"compact\": false, \"view\": {}}}}",

      "{\"trades\": [{\"name\": \"\", \"trade\": {}}]}",
      "{\"trades\": [{\"name\": \"a\", \"trade\": {\"quantity\": \"1\", \"buyPrice\": \"x\", "
      "\"sellPrice\": \"1\"}}]}",
  };
  for (const char* contents : bad) {
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state.json"));
    const QString trades = dir.filePath(QStringLiteral("trades.json"));
    put(state, contents);
    put(trades, contents);
    QString message;
    app::StateStore store(state, QStringLiteral("k"));
    const bool stateBad = !store.load(&message) && !message.isEmpty();
    app::TradesStore named(trades);
    const bool tradesBad = named.load().has_value();
    EXPECT_TRUE(stateBad || tradesBad) << contents;
    // Whichever refused it kept the contents aside, untouched, and writes a new file.
    QStringList aside = QDir(dir.path()).entryList({QStringLiteral("*.unreadable-*")});
    ASSERT_EQ(aside.size(), int(stateBad) + int(tradesBad)) << contents;
    for (const QString& name : aside) EXPECT_EQ(contentsOf(dir.filePath(name)), contents);
    if (stateBad) {
      EXPECT_TRUE(message.contains(QDir::toNativeSeparators(state))) << contents;
      EXPECT_FALSE(store.save(someWindow()));
      EXPECT_EQ(store.load(&message), someWindow());
    }
    if (tradesBad) {
      EXPECT_FALSE(named.put(QStringLiteral("n"), app::KeptTrade{}));
      EXPECT_EQ(named.trades().size(), 1u);
    }
  }
}

TEST(KeptFiles, TwoWindowsSavingNamedTradesLoseNone) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("trades.json"));
  app::TradesStore one(path), two(path);
  ASSERT_FALSE(one.load());
  ASSERT_FALSE(two.load());
  ASSERT_FALSE(one.put(QStringLiteral("トヨタ"), someTrade("1")));
  ASSERT_FALSE(two.put(QStringLiteral("ソニー"), someTrade("2")));
  ASSERT_FALSE(one.put(QStringLiteral("任天堂"), someTrade("3")));
  ASSERT_FALSE(two.remove(QStringLiteral("トヨタ")));  // seen by two only through the file
  ASSERT_FALSE(one.put(QStringLiteral("ソニー"), someTrade("4")));  // replaced, not doubled
  app::TradesStore fresh(path);
  ASSERT_FALSE(fresh.load());
  ASSERT_EQ(fresh.trades().size(), 2u);
  EXPECT_EQ(fresh.trades()[0].name, QStringLiteral("ソニー"));
  EXPECT_EQ(fresh.trades()[0].trade, someTrade("4"));
  EXPECT_EQ(fresh.trades()[1].name, QStringLiteral("任天堂"));

  // Up to 200 names: the 201st is refused and the file keeps the 200; a name replaced still is.
  QJsonArray many;
  for (const app::NamedTrade& t : fresh.trades())
    many.append(QJsonObject{{QStringLiteral("name"), t.name},
                            {QStringLiteral("trade"), app::tradeToJson(t.trade)}});
  for (int i = 2; i < 200; ++i)
    many.append(QJsonObject{{QStringLiteral("name"), QString::number(i)},
                            {QStringLiteral("trade"), app::tradeToJson(someTrade("5"))}});
  put(path, QJsonDocument(QJsonObject{{QStringLiteral("trades"), many}}).toJson());
  EXPECT_TRUE(one.put(QStringLiteral("もう一つ"), someTrade("5")));
  EXPECT_FALSE(one.put(QStringLiteral("任天堂"), someTrade("6")));
  EXPECT_EQ(one.trades().size(), 200u);
  ASSERT_FALSE(two.load());
  EXPECT_EQ(*two.find(QStringLiteral("任天堂")), someTrade("6"));
}
