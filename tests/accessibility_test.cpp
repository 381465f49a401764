// What assistive technology sees of the window: every control with its name, role and text, the
// chart as a chart, and the readout and markers following the trade. Also the keyboard: Enter and
// space click a focused button once.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <functional>
#include <map>

#include "design_controls.h"
#include "window_fixture.h"

namespace {

struct Node {
  QAccessible::Role role;
  QString name;
  QString description;
  QString value;  // the text of an editable field
};

// Every accessible element under the window, by object name.
std::map<QString, Node> accessibleTree(QWidget* window) {
  std::map<QString, Node> nodes;
  std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* iface) {
    if (!iface || !iface->isValid()) return;
    if (QObject* object = iface->object(); object && !object->objectName().isEmpty()) {
      nodes[object->objectName()] = {iface->role(), iface->text(QAccessible::Name),
                                     iface->text(QAccessible::Description),
                                     iface->text(QAccessible::Value)};
    }
    for (int i = 0; i < iface->childCount(); ++i) walk(iface->child(i));
  };
  walk(QAccessible::queryAccessibleInterface(window));
  return nodes;
}

}  // namespace

TEST_F(WindowTest, EveryControlIsNamedForAssistiveTechnology) {
  const auto tree = accessibleTree(window.get());
  for (const Expected& e : kControls) {
    SCOPED_TRACE(e.name);
    const auto found = tree.find(QString::fromUtf8(e.name));
    ASSERT_NE(found, tree.end());
    EXPECT_EQ(found->second.role,
              e.name[0] == 'T' ? QAccessible::EditableText : QAccessible::Button);
    EXPECT_EQ(found->second.name, QString::fromUtf8(e.accessible));
    if (*e.tip) {
      EXPECT_EQ(found->second.description, QString::fromUtf8(e.tip));
    }
  }
  const std::map<QString, std::pair<QAccessible::Role, QString>> expected = {
      {"LblRieki", {QAccessible::StaticText, "損益："}},
      {"LblSoneki", {QAccessible::StaticText, "-1,050"}},
      {"LblBuy", {QAccessible::StaticText, "買"}},
      {"LblBYaku", {QAccessible::StaticText, "買 ¥1,525"}},
      {"LblSYaku", {QAccessible::StaticText, "売 ¥475"}},
      {"chartArea", {QAccessible::Chart, "受渡金額と単価のグラフ"}},
  };
  for (const auto& [name, want] : expected) {
    SCOPED_TRACE(name.toStdString());
    const auto found = tree.find(name);
    ASSERT_NE(found, tree.end());
    EXPECT_EQ(found->second.role, want.first);
    EXPECT_EQ(found->second.name, want.second);
  }
  EXPECT_EQ(tree.at("TxtBP").value, QStringLiteral("1.00"));
  EXPECT_EQ(tree.at("chartArea").description, QStringLiteral("単価 0～100、受渡金額 0～100,000"));
}

TEST_F(WindowTest, ReadoutAndMarkersReadAsTheTradeChanges) {
  ui().TxtQua->setText(QStringLiteral("250000"));
  ui().TxtBP->setText(QStringLiteral("99.00"));
  ui().TxtSP->setText(QStringLiteral("99.99"));
  auto tree = accessibleTree(window.get());
  EXPECT_EQ(tree.at("LblSoneki").name, QStringLiteral("244,350"));
  EXPECT_EQ(tree.at("LblBuy").name, QStringLiteral("買"));
  EXPECT_EQ(tree.at("LblBYaku").name, QStringLiteral("↑買 ¥24,751,575"));
  EXPECT_EQ(tree.at("TxtSP").value, QStringLiteral("99.99"));

  ui().TxtBP->setText(QStringLiteral("150"));
  tree = accessibleTree(window.get());
  EXPECT_EQ(tree.at("LblBuy").name, QStringLiteral("→買"));

  QTest::mouseClick(ui().CmdMoveRight, Qt::LeftButton);
  tree = accessibleTree(window.get());
  EXPECT_TRUE(tree.at("chartArea").description.startsWith(QStringLiteral("単価 10～110")));
}

TEST_F(WindowTest, EnterAndSpaceClickAFocusedButtonOnce) {
  window->activateWindow();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    ui().TxtBP->setText(QStringLiteral("1.00"));
    ui().CmdSUp->setFocus();
    QTest::keyClick(ui().CmdSUp, key);
    EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("1.01")) << key;
    EXPECT_FALSE(ui().TmrSSuuryo->isActive()) << key;  // a key starts no repeat
  }
  // A disabled button ignores the key.
  ui().CmdUndo->setFocus();
  QTest::keyClick(ui().CmdUndo, Qt::Key_Return);
  EXPECT_EQ(state().historyIndex, 0);
  EXPECT_EQ(state().viewHistory.size(), 1u);
  // Enter on the zoom-out button zooms out once and records it.
  ui().CmdZoom->setFocus();
  QTest::keyClick(ui().CmdZoom, Qt::Key_Return);
  EXPECT_EQ(state().viewHistory.size(), 2u);
  EXPECT_EQ(state().priceSpan, 120);
}
