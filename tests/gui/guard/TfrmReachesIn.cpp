// Not built: a window that reaches into others, which the desk check must refuse.
void TfrmReachesIn::btnOkClick() {
    desk_.main->refreshControls();
    desk_.settei->findChild<QWidget*>(QStringLiteral("btnKakudai"));
    desk_.main->btnKaitouClick();
}
