#pragma once
// Values that the logic reads from controls of the main window and the dialogs. The
// windows show these fields and write them back; the layout is a function of the
// worksheet, these values and the target canvas.

struct Controls {
    // Main window.
    int spnGyouSpace = 30;  // 主行間, mirrors the current worksheet's LineSpace
    int spnMojiSize = 10;   // 文字サイズ, mirrors FontSize
    int spnGyoukanSub = 0;  // hidden, mirrors lstKranX line 8
    bool chkBekkai = true;  // 別解表示
    // Paper dialog option boxes, set from the worksheet's Options.
    bool chkClassFlag = true; // 学級旗
    bool chkJisshibi = true;  // 実施日
    bool chkPrinted = true;   // No.印刷日時
    // Print-mode dialog.
    bool radPrinter = false; // true: プリンタの解像度で印刷する; false: 画面に忠実に印刷する
    int spnStart = 1;        // 開始番号, the number printed next
    bool chkNumber = true;   // №を付ける
    // Print dialog.
    int spnStartNum = 1; // 開始No
};
