// The toolkit's standard dialogs as the program starts them: in Japanese (buttons, the file
// dialog's dates), and the program's message boxes wide enough for their whole title.
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include "gui/DeskApp.h"
#include "gui/MessageBoxPrompter.h"
#include "text/Sjis.h"

class StandardDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void standardButtonsAndFileDatesAreJapanese() {
        QCOMPARE(QLocale().language(), QLocale::Japanese);
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));

        // The file dialog lists a file with its date written the Japanese way (year first).
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("a.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QFileDialog dialog(nullptr, QStringLiteral("保存"), dir.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model);
        QModelIndex name;
        QTRY_VERIFY((name = model->index(file.fileName())).isValid());
        const QString date = model->index(name.row(), 3, name.parent()).data().toString();
        QVERIFY2(date.contains(QRegularExpression(QStringLiteral("^\\d{4}/\\d{2}/\\d{2}"))),
                 qPrintable(date));
        QVERIFY2(!date.contains(QRegularExpression(QStringLiteral("AM|PM"))), qPrintable(date));
    }

    void messageBoxesShowTheirWholeTitle() {
        for (const char* text : {"はい", "記録を消してもいいですか？"}) {
            const std::unique_ptr<QMessageBox> box = MessageBoxPrompter::box(
                QMessageBox::Question, sjis::fromUtf8(text), QMessageBox::Yes | QMessageBox::No);
            box->show();
            QVERIFY(QTest::qWaitForWindowExposed(box.get()));
            // The title as the window manager writes it (bold), beside its three buttons.
            QFont bold = box->font();
            bold.setBold(true);
            const int needed = QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 3 * 24;
            QVERIFY2(box->width() >= needed,
                     qPrintable(QStringLiteral("%1 < %2").arg(box->width()).arg(needed)));
            box->hide();
        }
    }
};

// Started as the program starts its windows: the locale before the application, the
// toolkit's translations after it.
int main(int argc, char** argv) {
    UseJapaneseLocale();
    QApplication app(argc, argv);
    if (!LoadToolkitJapanese(app)) {
        std::fprintf(stderr, "the toolkit's Japanese translations are not installed\n");
        return 1;
    }
    StandardDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "StandardDialogsTest.moc"
