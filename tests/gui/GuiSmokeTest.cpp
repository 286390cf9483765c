// The windowed program starts: the main window exists under its object name and caption.
#include <QtTest>

#include "DeskProbe.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"

class GuiSmokeTest : public QObject {
    Q_OBJECT
  private slots:
    void mainWindowIsCreated() {
        Desk desk(QStringLiteral(VELMIX_SOURCE_DIR "/course"));
        desk.createWindows();
        QVERIFY(DeskProbe::main(desk) != nullptr);
        QCOMPARE(DeskProbe::main(desk)->objectName(), QStringLiteral("TfrmMain"));
        QCOMPARE(DeskProbe::main(desk)->windowTitle(),
                 QStringLiteral("Velmix++ 数学問題集２・１次方程式"));
    }
};

QTEST_MAIN(GuiSmokeTest)
#include "GuiSmokeTest.moc"
