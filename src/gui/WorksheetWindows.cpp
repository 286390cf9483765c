#include "gui/WorksheetWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmPrint.h"
#include "gui/TfrmSettei.h"
#include "worksheet/WorksheetDocument.h"

namespace {

QMdiSubWindow* frameOf(TfrmPrint* window) {
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

} // namespace

WorksheetWindows::WorksheetWindows(Desk& desk) : QObject(desk.main_), desk_(desk) {
    setObjectName(QStringLiteral("WorksheetWindows"));
    WorksheetState& sheets = desk_.program().sheets;
    sheets.relayout = [this](Worksheet& sheet) {
        if (TfrmPrint* window = windowOf(sheet)) window->relayout();
    };
    sheets.created = [this](Worksheet& sheet) { created(sheet); };
    sheets.activated = [this](Worksheet& sheet) { activated(sheet); };
    sheets.closing = [this](Worksheet& sheet) { closing(sheet); };
    connect(desk_.frame(), &QMdiArea::subWindowActivated, this, &WorksheetWindows::frameActivated);
}

WorksheetWindows::~WorksheetWindows() {
    if (desk_.worksheetWindows_ == this) desk_.worksheetWindows_ = nullptr;
    WorksheetState& sheets = desk_.program().sheets;
    sheets.relayout = nullptr;
    sheets.created = nullptr;
    sheets.activated = nullptr;
    sheets.closing = nullptr;
}

TfrmPrint* WorksheetWindows::windowOf(const Worksheet& sheet) const {
    if (!desk_.main_) return nullptr;
    const QList<QMdiSubWindow*> frames = desk_.frame()->subWindowList();
    for (QMdiSubWindow* frame : frames) {
        auto* window = qobject_cast<TfrmPrint*>(frame->widget());
        if (window && window->attached() && &window->sheet() == &sheet) return window;
    }
    return nullptr;
}

void WorksheetWindows::created(Worksheet& sheet) {
    // The core activates the new worksheet next; the frame's own activation of the new
    // window waits for that.
    creating_ = true;
    desk_.main_->addWorksheetWindow(new TfrmPrint(desk_, sheet));
    creating_ = false;
}

void WorksheetWindows::activated(Worksheet& sheet) {
    TfrmPrint* window = windowOf(sheet);
    QMdiSubWindow* frame = frameOf(window);
    if (frame && !fromFrame_) {
        // Opened or brought to the front by a command: top-left, the frame's child size.
        bringingFront_ = true;
        frame->setGeometry(QRect(QPoint(0, 0), desk_.childSize()));
        desk_.frame()->setActiveSubWindow(frame);
        bringingFront_ = false;
    }
    desk_.showWorksheetValues();
    if (desk_.settei_) desk_.settei_->refreshFromWorksheet();
}

void WorksheetWindows::frameActivated(QMdiSubWindow* frame) {
    // No window active (the frame lost the focus) leaves the current worksheet as it is.
    if (!frame || creating_ || bringingFront_) return;
    auto* window = qobject_cast<TfrmPrint*>(frame->widget());
    if (!window || !window->attached() || window->isClosing()) return;
    Program& program = desk_.program();
    if (program.sheets.current == &window->sheet()) return;
    fromFrame_ = true;
    ActivateWorksheet(program, window->sheet());
    fromFrame_ = false;
}

void WorksheetWindows::closing(Worksheet& sheet) {
    TfrmPrint* window = windowOf(sheet);
    if (!window) return;
    const bool closingItself = window->isClosing();
    window->detach();
    desk_.main_->worksheetWindowClosed(window);
    // Closed by the core (a unit read again): the window goes as well.
    if (!closingItself)
        if (QMdiSubWindow* frame = frameOf(window)) frame->close();
}
