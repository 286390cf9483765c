#pragma once
// Values that the logic reads from controls of the main window and the dialogs. The
// windows show these fields and write them back; the layout is a function of the
// worksheet, these values and the target canvas.

// The layout settings dialog (設定): mirrors of the active worksheet's margins and
// answer-box settings.
struct SetteiControls {
    int spnLeftM = 3;  // 左空白, LeftMargin
    int spnRightM = 3; // 右空白, RightMargin
    int spnAnsX = 0;   // 解答位置 (first), kran line 4
    int spnAnsY = 0;   // 解答位置 (second), kran line 5
    int spnKranWX = 0; // 幅, kran line 1
    int spnKranH = 0;  // 高さ, kran line 2
    int spnKranX = 0;  // hidden, kran line 6
    int spnKranY = 0;  // hidden, kran line 7
    // Cleared while the dialog's controls are filled from a worksheet: moving the focus
    // onto a shape button selects it only while this is set.
    bool ready = true;
};

struct Controls {
    // Main window.
    int spnGyouSpace = 30; // 主行間, mirrors the current worksheet's LineSpace
    int spnMojiSize = 10;  // 文字サイズ, mirrors FontSize
    int spnGyoukanSub = 0; // hidden, mirrors kran line 8
    // Width of the checked paper button (radB5, radA4, radB4, radA3).
    int paperButton = 546;
    // 縮小: the worksheet is shown reduced.
    bool reducedView = false;
    // Print-mode dialog.
    bool radPrinter = false; // true: プリンタの解像度で印刷する; false: 画面に忠実に印刷する
    // Print dialog.
    int spnStartNum = 1; // 開始No
    // Layout settings dialog.
    SetteiControls settei;
};
