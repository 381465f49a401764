#pragma once
// The focusable controls as the design places them, in the order of their tab index: caption,
// place, tab index, tool tip and accessible name. The layout test checks the widgets against it,
// the accessibility test what assistive technology reads of them.
struct Expected {
  const char* name;
  const char* caption;
  int left, top, width, height;  // design twips, relative to the window or frame
  int tab;
  const char* tip;
  const char* accessible;
};

// Focusable controls in the order of their tab index.
inline constexpr Expected kControls[] = {
    {"CmdUndo", "戻る&U", 2205, 420, 750, 540, 1, "戻る", "戻る"},
    {"CmdRedo", "進む&R", 2205, 1365, 750, 540, 2, "進む", "進む"},
    {"CmdZoom", "縮小", 840, 840, 540, 540, 5, "縮小", "縮小"},
    {"CmdMoveUp", "↑", 840, 315, 540, 435, 6, "上に移動", "上に移動"},
    {"CmdMoveLeft", "←", 315, 840, 435, 540, 7, "左に移動", "左に移動"},
    {"CmdMoveDown", "↓", 840, 1470, 540, 435, 8, "下に移動", "下に移動"},
    {"CmdMoveRight", "→", 1470, 840, 435, 540, 9, "右に移動", "右に移動"},
    {"TxtQua", "1000", 1755, 420, 885, 330, 11, "左右のボタンで数量を入力して下さい", "数量"},
    {"TxtBP", "1.00", 1755, 1050, 885, 330, 13, "左右のボタンで単価を入力して下さい", "買付単価"},
    {"CmdSUp", ">", 2625, 1050, 375, 330, 14, "+0.01", "買付単価 +0.01"},
    {"CmdSDown", "<", 1420, 1050, 375, 330, 15, "-0.01", "買付単価 -0.01"},
    {"CmdDown", "<<", 1050, 1050, 375, 330, 16, "-1", "買付単価 -1"},
    {"CmdDownS", "<<", 1050, 1680, 375, 330, 17, "-1", "売却単価 -1"},
    {"CmdSDownS", "<", 1420, 1680, 375, 330, 18, "-0.01", "売却単価 -0.01"},
    {"CmdSUpS", ">", 2625, 1680, 375, 330, 19, "+0.01", "売却単価 +0.01"},
    {"TxtSP", "1.00", 1755, 1680, 885, 330, 20, "左右のボタンで単価を入力して下さい", "売却単価"},
    {"CmdUpS", ">>", 3000, 1680, 375, 330, 23, "+1", "売却単価 +1"},
    {"CmdUp", ">>", 3000, 1050, 375, 330, 24, "+1", "買付単価 +1"},
    {"CmdQU", ">>", 3000, 420, 375, 330, 25, "+10000", "数量 +10000"},
    {"CmdQD", "<<", 1050, 420, 375, 330, 26, "-10000", "数量 -10000"},
    {"CmdSQD", "<", 1420, 420, 375, 330, 27, "-1000", "数量 -1000"},
    {"CmdSQU", ">", 2625, 420, 375, 330, 28, "+1000", "数量 +1000"},
    {"CmdSize", "小さくする", 7245, 210, 1170, 330, 33, "", "小さくする"},
    {"CmdSettings", "設定…", 7245, 600, 1170, 330, 34, "取引の設定（Ctrl+,）", "設定"},
};
