// Not built: a window that looks through the window in front for another window's control,
// which the type system cannot refuse; the text rule must.
void TfrmFindsByName::btnOkClick() {
    QApplication::activeWindow()->findChild<QPushButton*>(QStringLiteral("btnKaitou"));
    desk_.frame()->findChild<TfrmPrint*>();
}
