// The yardstick for the program's start: a bare Qt Widgets program that shows an empty
// multiple-document main window of the same size, and nothing else.
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setCentralWidget(new QMdiArea(&window));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window.setGeometry(area.adjusted(0, 0, 0, -28));
    window.show();
    return app.exec();
}
