#include "gui/TfrmZenTangen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTreeWidget>

#include "authoring/LessonTree.h"
#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "shell/UnitMenu.h"
#include "text/DateTexts.h"

TfrmZenTangen::TfrmZenTangen(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmZenTangen"));
    setWindowTitle(QStringLiteral("全単元"));
    setFont(uiFont("ＭＳ Ｐゴシック", 12));
    trvMain = new QTreeWidget(this);
    trvMain->setObjectName(QStringLiteral("trvMain"));
    trvMain->setAccessibleName(QStringLiteral("全単元"));
    trvMain->setHeaderHidden(true);
    trvMain->setFont(uiFont("ＭＳ ゴシック", 13));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(QStringLiteral("0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setAccessibleName(QStringLiteral("印刷枚数"));
    btnPrint = new QPushButton(QStringLiteral("印刷"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnPrint, &QPushButton::clicked, this, &TfrmZenTangen::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmZenTangen::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    trvMain->setGeometry(0, 0, w, h - 50);
    Label1->setGeometry(16, h - 40, 200, 30);
    Edit1->setGeometry(220, h - 38, 50, 26);
    btnPrint->setGeometry(w - 240, h - 42, 100, 34);
    btnClose->setGeometry(w - 130, h - 42, 100, 34);
}

void TfrmZenTangen::showOverview() {
    setGeometry(desk_.mainGeometry());
    fillTree();
    Label1->setText(qs(DateTextDots(desk_.program().platform.clock)) + QStringLiteral("-"));
    printed_ = 0;
    Edit1->setText(QStringLiteral("0"));
    desk_.runModal(*this);
}

void TfrmZenTangen::fillTree() {
    Program& p = desk_.program();
    const MenuState& m = p.menu;
    if (m.lesson < 0 || p.course.currentLesson != m.lesson + 1) {
        if (p.course.lessonNames.empty() || !MenuChooseLesson(p, 0)) {
            trvMain->clear();
            return;
        }
    }
    ComputeMarks(p);
    const LessonTree lesson = BuildLessonTree(p.course.lessonIndexLines, &p.menu.unitMarks);
    trvMain->clear();
    auto* root = new QTreeWidgetItem(trvMain, QStringList(qs(lesson.title)));
    for (const LessonTree::Section& section : lesson.sections) {
        auto* node = new QTreeWidgetItem(root, QStringList(qs(section.name)));
        for (const std::string& unit : section.units)
            new QTreeWidgetItem(node, QStringList(qs(unit)));
    }
    trvMain->expandAll();
}

void TfrmZenTangen::btnPrintClick() {
    ++printed_;
    Edit1->setText(QString::number(printed_));
    // The window's picture on the default printer; without one the print dialog offers
    // the printers there are and printing to a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinter().isNull() &&
        !desk_.printDialogs().choosePrinter(this, printer))
        return;
    const QPixmap picture = grab();
    QPainter painter;
    if (!painter.begin(&printer)) {
        desk_.prompter().message(J("印刷できませんでした"));
        return;
    }
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawPixmap(0, 0, picture);
    if (!painter.end()) desk_.prompter().message(J("印刷できませんでした"));
}
