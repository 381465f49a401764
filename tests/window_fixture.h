#pragma once
// A real window on the offscreen platform, shown (so its first resize has run), with the message
// box captured instead of shown.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>

#include "app/tk/message_box.h"
#include "app/tk/save_dialog.h"
#include "app/tk/units.h"
#include "app/tk/window_size.h"
#include "frm_plot_probe.h"

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::setMessageSink([this](QWidget*, const QString& text) { messages.push_back(text); });
    window = std::make_unique<app::FrmPlot>();
    window->show();
  }
  // The global hooks a test installs go with it, even when an assertion ended it early.
  void TearDown() override {
    window.reset();
    tk::setMessageSink({});
    tk::setSavePathChooser({});
  }

  FrmPlotProbe probe() const { return FrmPlotProbe(*window); }
  core::ChartState& state() const { return probe().state(); }
  app::FrmPlotControls& ui() const { return probe().ui(); }
  tk::DrawingSurface& surface() const { return probe().surface(); }
  static void tick(QTimer* timer) { FrmPlotProbe::tick(timer); }

  // The display list's texts, in drawing order.
  QStringList printedTexts() const {
    QStringList texts;
    for (const auto& op : surface().ops())
      if (op.kind == tk::DrawOp::Text) texts << op.text;
    return texts;
  }

  std::unique_ptr<app::FrmPlot> window;
  QStringList messages;
};
