#include "gui/TfrmPrint.h"
#include "gui/UiText.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/PageView.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "text/Sjis.h"
#include "worksheet/GraphDrag.h"
#include "worksheet/PageImage.h"
#include "worksheet/PageLayout.h"
#include "worksheet/WorksheetDocument.h"

TfrmPrint::TfrmPrint(Desk& desk, Worksheet& sheet, QWidget* parent)
    : QWidget(parent), desk_(desk), sheet_(&sheet) {
    setObjectName(QStringLiteral("TfrmPrint"));
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenu();
    layout->setMenuBar(menu_);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("scrPage"));
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->viewport()->setFocusPolicy(Qt::NoFocus);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_ = new PageView;
    view_->setSheet(sheet_);
    scroll_->setWidget(view_);
    layout->addWidget(scroll_);

    connect(view_, &PageView::graphDropped, this, [this](int index, QPoint topLeft) {
        if (sheet_) MoveGraph(desk_.program(), *sheet_, index, Point{topLeft.x(), topLeft.y()});
    });
    connect(view_, &PageView::markChanged, this,
            [this](bool marked) { desk_.regionMarked(marked); });
    connect(view_, &PageView::dragging, this,
            [this](QPoint pos) { scroll_->ensureVisible(pos.x(), pos.y(), 16, 16); });
    refreshCaption();
}

TfrmPrint::~TfrmPrint() = default;

void TfrmPrint::applyLock(bool locked) {
    menu_->setVisible(!locked);
    menu_->setEnabled(!locked);
}

void TfrmPrint::buildMenu() {
    menu_ = new QMenuBar(this);
    menu_->setObjectName(QStringLiteral("mnuPrint"));
    auto item = [this](QMenu* menu, const char* name, const QString& text, auto run) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, run);
        return a;
    };
    // Items that run the program's command of the same name.
    auto command = [this, item](QMenu* menu, const char* name, const QString& text,
                                Desk::Command which) {
        return item(menu, name, text, [this, which] { desk_.run(which); });
    };

    QMenu* file = menu_->addMenu(QStringLiteral("ファイル(&F)"));
    command(file, "mnuOpen", QStringLiteral("開く(&O)"), Desk::Command::OpenUnit);
    QAction* save =
        command(file, "mnuSave", QStringLiteral("上書き保存(&S)"), Desk::Command::SaveOver);
    command(file, "mnuPrint", QStringLiteral("印刷(&P)"), Desk::Command::Print);
    item(file, "mnuClose", QStringLiteral("閉じる(&C)"), [this] { close(); });
    command(file, "mnuExit", QStringLiteral("終了(&X)"), Desk::Command::Exit);
    // Only an unedited unit of the course is written back into its unit file.
    connect(file, &QMenu::aboutToShow, this,
            [this, save] { save->setEnabled(sheet_ && sheet_->masterFlag); });

    QMenu* edit = menu_->addMenu(QStringLiteral("編集(&E)"));
    command(edit, "mnuIndex", QStringLiteral("目次作成(&C)"), Desk::Command::MakeIndex);
    command(edit, "mnuSchool", QStringLiteral("学校名・塾名(&J)"), Desk::Command::SchoolName);
    command(edit, "mnuEdit", QStringLiteral("編集(&E)"), Desk::Command::EditChoices);
    item(edit, "mnuClipboard", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&B)"),
         [this] { copyPageToClipboard(); });

    QMenu* view = menu_->addMenu(QStringLiteral("表示(&V)"));
    mnuKaitou = item(view, "mnuKaitou", QStringLiteral("解答表示(&A)"), [this] {
        desk_.toggleAnswers();
        if (sheet_) mnuKaitou->setChecked(sheet_->ShowAnswers);
    });
    mnuKaitou->setCheckable(true);
    connect(view, &QMenu::aboutToShow, this, [this] {
        mnuKaitou->setEnabled(desk_.answersSwitchable());
        if (sheet_) mnuKaitou->setChecked(sheet_->ShowAnswers);
    });

    QMenu* settings = menu_->addMenu(QStringLiteral("設定(&C)"));
    command(settings, "mnuPrintMode", QStringLiteral("印字モードの設定(&P)"),
            Desk::Command::PrintMode);
    command(settings, "mnuKran", QStringLiteral("解答欄の設定(&K)"), Desk::Command::LayoutSettings);
    command(settings, "mnuSetPaper", QStringLiteral("用紙サイズとオプションの設定(&S)"),
            Desk::Command::PaperSettings);
}

void TfrmPrint::detach() {
    sheet_ = nullptr;
    view_->setSheet(nullptr);
    view_->setMark(std::nullopt);
}

void TfrmPrint::refreshCaption() {
    if (!sheet_) return;
    // Paths in the caption are shown as the desktop writes them, with "/".
    const QString title = qsShown(sheet_->caption);
    if (windowTitle() != title) setWindowTitle(title);
    // A screen reader names the worksheet by its title rather than its file.
    const QString spoken = sheet_->strTangen.empty() ? title : qs(sheet_->strTangen);
    setAccessibleName(QStringLiteral("ワークシート：") + spoken);
    view_->setAccessibleName(QStringLiteral("ワークシートのページ：") + spoken);
}

void TfrmPrint::relayout() {
    if (!sheet_) return;
    const int w = std::max(1, sheet_->paper.Width);
    const int h = std::max(1, sheet_->paper.Height);
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    const QSize pixels(qRound(w * ratio), qRound(h * ratio));
    if (page_.size() != pixels) page_ = makePageImage(pixels.width(), pixels.height());
    // Painted in device pixels; the nominal page maps the layout's units onto them.
    page_.setDevicePixelRatio(1.0);
    {
        QtCanvas canvas(page_);
        if (pixels != QSize(w, h))
            canvas.setScreenRatio(w, h, static_cast<double>(pixels.width()) / w);
        LayOutPage(desk_.program(), *sheet_, canvas, false);
    }
    page_.setDevicePixelRatio(static_cast<qreal>(pixels.width()) / w);
    refreshCaption();
    showView();
    // The layout strip tells what the new layout does to the answers.
    desk_.worksheetLaidOut(*sheet_);
}

void TfrmPrint::showView() {
    reducedShown_ = desk_.program().sheets.reducedView;
    if (!reducedShown_) {
        view_->showImage(&page_, true);
        return;
    }
    dropMark();
    // The reduced page fits the window's height: the whole sheet at a glance. It is at most
    // three quarters of the page, so that it is visibly smaller on a tall screen too.
    const int room = scroll_->maximumViewportSize().height() - 2;
    const int full = page_.deviceIndependentSize().toSize().height();
    const int h = std::max(100, std::min(room, full * 3 / 4));
    const int w = static_cast<int>(std::lrint(h / std::sqrt(2.0)));
    const qreal ratio = page_.devicePixelRatio();
    reduced_ = page_.scaled(qRound(w * ratio), qRound(h * ratio), Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    reduced_.setDevicePixelRatio(ratio);
    view_->showImage(&reduced_, false);
}

QImage TfrmPrint::unitPage() const {
    if (page_.isNull() || !sheet_) return page_;
    const QSize size(std::max(1, sheet_->paper.Width), std::max(1, sheet_->paper.Height));
    if (page_.size() == size) {
        QImage same = page_;
        same.setDevicePixelRatio(1.0);
        return same;
    }
    return page_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

Bitmap TfrmPrint::pageBitmap() const {
    const QImage unit = unitPage();
    return canvasBitmapOf(unit, unit.rect());
}

int TfrmPrint::widthForPage() const {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    return view_->width() + 2 * scroll_->frameWidth() + bar;
}

void TfrmPrint::setReduced(bool reduced) {
    desk_.program().sheets.reducedView = reduced;
    showView();
}

void TfrmPrint::toggleScroll() {
    QScrollBar* bar = scroll_->verticalScrollBar();
    bar->setValue(bar->value() == bar->minimum() ? bar->maximum() : bar->minimum());
}

void TfrmPrint::scrollToTop() {
    scroll_->verticalScrollBar()->setValue(0);
}

bool TfrmPrint::hasMarkedRegion() const {
    return view_->mark().has_value();
}

void TfrmPrint::copyMarkedRegion() {
    const auto mark = view_->mark();
    if (!mark) return;
    QImage unit = unitPage();
    Bitmap region;
    if (!unit.isNull()) {
        QtCanvas page(unit);
        region = CopyPageRegion(page, mark->a, mark->b);
    }
    putOnClipboard(toQImage(region));
    dropMark();
}

void TfrmPrint::dropMark() {
    view_->setMark(std::nullopt);
}

void TfrmPrint::copyPageToClipboard() {
    putOnClipboard(unitPage());
}

bool TfrmPrint::putOnClipboard(const QImage& image) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    bool ok = false;
    if (clipboard && !image.isNull()) {
        clipboard->setImage(image);
        const QMimeData* data = clipboard->mimeData();
        ok = data && data->hasImage();
    }
    if (!ok) desk_.prompter().message(J("クリップボードにコピーできませんでした"));
    return ok;
}

bool TfrmPrint::saveForClose(Worksheet& sheet) {
    desk_.run(sheet.masterFlag ? Desk::Command::SaveOver : Desk::Command::SaveCopy);
    refreshCaption();
    if (!sheet.Modified) return true;
    // Cancelled or failed: the worksheet stays open with its changes.
    desk_.prompter().message(sheet.caption + J("は保存されていません。ウィンドウは開いたままです"));
    return false;
}

bool TfrmPrint::closeQuery() {
    if (!sheet_) return true;
    if (asking_) return false; // a second close while the question is open
    Program& program = desk_.program();
    // The save commands act on the active worksheet, and the user sees which one is asked.
    if (sheet_->Modified && program.sheets.current != sheet_) ActivateWorksheet(program, *sheet_);
    asking_ = true;
    const bool mayClose =
        CloseRequest(program, *sheet_, [this](Worksheet& s) { return saveForClose(s); });
    asking_ = false;
    return mayClose;
}

void TfrmPrint::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (reducedShown_) showView();
}

void TfrmPrint::keyPressEvent(QKeyEvent* event) {
    if (desk_.programKey(event)) return;
    if (event->matches(QKeySequence::Copy) && hasMarkedRegion()) {
        copyMarkedRegion();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TfrmPrint::event(QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        view_->setFocusShown(event->type() == QEvent::FocusIn);
    // The frame's close reaches this window first through its own close event.
    if (event->type() == QEvent::ParentChange && parentWidget())
        parentWidget()->installEventFilter(this);
    // Moved to a screen of another pixel ratio: the current worksheet is drawn again for it
    // (another worksheet is laid out when it becomes current).
    if (event->type() == QEvent::ScreenChangeInternal && sheet_ &&
        sheet_ == desk_.program().sheets.current &&
        page_.devicePixelRatio() != std::max<qreal>(1.0, devicePixelRatioF()))
        Relayout(desk_.program(), *sheet_);
    return QWidget::event(event);
}

bool TfrmPrint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Close) frameClosing_ = true;
    return QWidget::eventFilter(watched, event);
}

void TfrmPrint::closeEvent(QCloseEvent* event) {
    const bool byFrame = std::exchange(frameClosing_, false);
    if (sheet_ && !closing_) {
        if (!closeQuery()) {
            event->ignore();
            return;
        }
        closing_ = true;
        // The closing hook tells the main window and detaches this window.
        CloseWorksheet(desk_.program(), *sheet_);
        detach();
    }
    event->accept();
    // Closed by itself (menu, commands): its frame goes too, once this close is over.
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame && !byFrame)
        QMetaObject::invokeMethod(
            frame, [frame] { frame->close(); }, Qt::QueuedConnection);
}
