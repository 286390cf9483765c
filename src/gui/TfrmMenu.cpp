#include "gui/TfrmMenu.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "gui/Desk.h"
#include "gui/TfrmZenTangen.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "gui/UnitListDelegate.h"
#include "shell/Commands.h"
#include "shell/UnitMenu.h"

namespace {

const QString kChoose = QStringLiteral("項目を選んでください");

QLabel* header(QWidget* parent, const char* name, QRect geometry, const QColor& back,
               const QColor& text) {
    return headerLabel(parent, name, kChoose, geometry, back, text);
}

} // namespace

TfrmMenu::TfrmMenu(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmMenu"));
    setFont(uiFont("ＭＳ Ｐゴシック", 12));
    setWindowTitle(QStringLiteral("マスターファイルを開く"));

    pnlTitle = new QLabel(this);
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    pnlTitle->setGeometry(0, 0, 2000, 44);
    pnlTitle->setFont(uiFont("ＭＳ Ｐゴシック", 16, true));
    pnlTitle->setIndent(40);
    paintBackground(pnlTitle, QColor(0, 0, 128));
    QPalette navy = pnlTitle->palette();
    navy.setColor(QPalette::WindowText, Qt::white);
    pnlTitle->setPalette(navy);

    // The three headers read alike on screen; a screen reader says which list each heads.
    header(this, "pnlLesson", {40, 72, 113, 24}, QColor(0, 128, 0), Qt::white)
        ->setAccessibleName(QStringLiteral("コースウェア：") + kChoose);
    lstLesson = namedList(this, "lstLesson", {40, 96, 113, 193}, QStringLiteral("コースウェア"));
    lstLesson->setFont(uiFont("ＭＳ Ｐゴシック", 16));
    header(this, "pnlSection", {160, 96, 305, 24}, QColor(0, 0, 255), Qt::white)
        ->setAccessibleName(QStringLiteral("主メニュー：") + kChoose);
    lstSection = namedList(this, "lstSection", {160, 120, 305, 289}, QStringLiteral("主メニュー"));
    lstSection->setFont(uiFont("ＭＳ Ｐゴシック", 16));
    pnlUnit = header(this, "pnlUnit", {472, 104, 505, 24}, QColor(0, 255, 255), Qt::black);
    auto* note = new QLabel(QStringLiteral("［　］の中の数字は練習回数です"), this);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setGeometry(472, 130, 505, 20);
    lstUnit = namedList(this, "lstUnit", {472, 152, 505, 361}, QStringLiteral("副メニュー"));
    lstUnit->setFont(uiFont("ＭＳ ゴシック", 16));
    // Rows of 16 pixels, or as tall as the face needs so that no bracket is cut.
    const int row = std::max(16, QFontMetrics(lstUnit->font()).height());
    lstUnit->setItemDelegate(new UnitListDelegate(row, lstUnit));
    lstUnit->setUniformItemSizes(true);

    lblRuidai = new QLabel(QStringLiteral("類題"), this);
    lblRuidai->setObjectName(QStringLiteral("lblRuidai"));
    lblRuidai->setGeometry(152, 434, 89, 20);
    lblRuidai->setFont(uiFont("ＭＳ Ｐゴシック", 14, true));
    QPalette fuchsia = lblRuidai->palette();
    fuchsia.setColor(QPalette::WindowText, QColor(255, 0, 255));
    lblRuidai->setPalette(fuchsia);
    lstRuidai = namedList(this, "lstRuidai", {152, 456, 89, 97}, QStringLiteral("類題"));
    lstRuidai->setSelectionMode(QAbstractItemView::ExtendedSelection);
    btnRuidaiClear =
        makeButton(this, "btnRuidaiClear", QStringLiteral("類題選択解除"), {152, 560, 110, 30});

    QPushButton* next =
        makeButton(this, "btnNextPractice", QStringLiteral("次の練習"), {300, 530, 150, 40});
    QPushButton* ok = makeButton(this, "btnOk", QStringLiteral("　Ｏ　Ｋ　"), {472, 530, 130, 40});
    ok->setDefault(true);
    QPushButton* cancel =
        makeButton(this, "btnCancel", QStringLiteral("ｷｬﾝｾﾙ"), {612, 530, 110, 40});
    QPushButton* all =
        makeButton(this, "btnZenTangen", QStringLiteral("全単元表示"), {742, 530, 110, 40});
    QPushButton* rec =
        makeButton(this, "btnShowRecord", QStringLiteral("記録表示"), {862, 530, 115, 40});

    connect(lstLesson, &QListWidget::currentRowChanged, this, &TfrmMenu::lstLessonClick);
    connect(lstSection, &QListWidget::currentRowChanged, this, &TfrmMenu::lstSectionClick);
    connect(lstUnit, &QListWidget::currentRowChanged, this, &TfrmMenu::lstUnitClick);
    connect(lstUnit, &QListWidget::itemDoubleClicked, this, &TfrmMenu::btnOkClick);
    connect(lstRuidai, &QListWidget::itemSelectionChanged, this, &TfrmMenu::lstRuidaiClick);
    connect(btnRuidaiClear, &QPushButton::clicked, this, &TfrmMenu::btnRuidaiClearClick);
    connect(ok, &QPushButton::clicked, this, &TfrmMenu::btnOkClick);
    connect(next, &QPushButton::clicked, this, &TfrmMenu::btnNextPracticeClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, [this] { desk_.run(Desk::Command::UnitOverview); });
    connect(rec, &QPushButton::clicked, this, &TfrmMenu::btnShowRecordClick);
    for (QListWidget* l : {lstLesson, lstSection, lstUnit})
        l->installEventFilter(this);
}

bool TfrmMenu::execMenu() {
    Program& p = desk_.program();
    setGeometry(desk_.mainGeometry());
    setWindowTitle(p.menu.mode == MenuState::Mode::Open ? QStringLiteral("マスターファイルを開く")
                                                        : QStringLiteral("追加ファイルを開く"));
    PrepareUnitMenu(p);
    refreshLists();
    lstUnit->setFocus();
    return desk_.runModal(*this) == QDialog::Accepted;
}

void TfrmMenu::refreshLists() {
    const Program& p = desk_.program();
    pnlTitle->setText(qs(p.course.courseTitle));
    QSignalBlocker block(lstLesson);
    lstLesson->clear();
    for (const std::string& name : p.course.lessonNames)
        lstLesson->addItem(qs(name));
    lstLesson->setCurrentRow(p.menu.lesson);
    refreshUnits();
}

void TfrmMenu::refreshUnits() {
    refreshSections();
    refreshUnitList();
}

void TfrmMenu::refreshSections() {
    const Program& p = desk_.program();
    const MenuState& m = p.menu;
    QSignalBlocker block(lstSection);
    lstSection->clear();
    if (m.lesson >= 0 && p.course.currentLesson == m.lesson + 1)
        for (const std::string& name : p.course.sectionNames)
            lstSection->addItem(qs(name));
    lstSection->setCurrentRow(m.section);
}

void TfrmMenu::refreshUnitList() {
    const Program& p = desk_.program();
    const MenuState& m = p.menu;
    {
        QSignalBlocker block(lstUnit);
        lstUnit->clear();
        const int count = m.section >= 0 ? p.course.sectionUnitCount[m.section + 1] : 0;
        for (int i = 0; i < count; ++i) {
            // Blanks line the units up on screen; a screen reader reads the unit alone.
            // Why to practise the unit next follows it in words, so that it is read out too.
            const std::string next = UnitNextMark(p, i);
            auto* item = new QListWidgetItem(
                qs(UnitItemText(p, i)) + (next.empty() ? QString() : "　" + qs(next)), lstUnit);
            item->setData(Qt::AccessibleTextRole, item->text().simplified());
        }
        lstUnit->setCurrentRow(m.unit);
    }
    refreshRuidai();
}

void TfrmMenu::refreshRuidai() {
    const MenuState& m = desk_.program().menu;
    {
        QSignalBlocker block(lstRuidai);
        lstRuidai->clear();
        for (std::size_t i = 0; i < m.ruidaiItems.size(); ++i) {
            lstRuidai->addItem(qs(m.ruidaiItems[i]));
            lstRuidai->item(static_cast<int>(i))->setSelected(m.ruidaiSelected[i]);
        }
        if (m.ruidaiCurrent >= 0)
            lstRuidai->setCurrentRow(m.ruidaiCurrent, QItemSelectionModel::NoUpdate);
    }
    const bool any = !m.ruidaiItems.empty();
    lstRuidai->setVisible(any);
    lblRuidai->setVisible(any);
    btnRuidaiClear->setVisible(any);
    paintUnitHeader();
}

void TfrmMenu::paintUnitHeader() {
    const bool chosen = MenuRuidaiSelected(desk_.program());
    paintBackground(pnlUnit, chosen ? QColor(255, 0, 0) : QColor(0, 255, 255));
    pnlUnit->setText(chosen ? QStringLiteral("類題が選択されています") : kChoose);
    pnlUnit->setAccessibleName(QStringLiteral("副メニュー：") + pnlUnit->text());
}

void TfrmMenu::lstLessonClick(int row) {
    if (row < 0) return;
    MenuChooseLesson(desk_.program(), row);
    refreshUnits();
}

void TfrmMenu::lstSectionClick(int row) {
    if (row < 0) return;
    MenuChooseSection(desk_.program(), row);
    refreshUnitList();
}

void TfrmMenu::lstUnitClick(int row) {
    if (row < 0) return;
    MenuChooseUnit(desk_.program(), row);
    refreshRuidai();
    lstUnit->setFocus();
}

void TfrmMenu::lstRuidaiClick() {
    std::vector<int> selected;
    for (int i = 0; i < lstRuidai->count(); ++i)
        if (lstRuidai->item(i)->isSelected()) selected.push_back(i);
    MenuSelectRuidai(desk_.program(), selected, lstRuidai->currentRow());
    paintUnitHeader();
}

void TfrmMenu::btnRuidaiClearClick() {
    MenuClearRuidai(desk_.program());
    refreshRuidai();
}

void TfrmMenu::btnOkClick() {
    // The focus item of the similar questions may have moved without a selection change.
    if (lstRuidai->count() > 0) lstRuidaiClick();
    if (ConfirmUnitChoice(desk_.program())) accept();
}

void TfrmMenu::btnNextPracticeClick() {
    if (!MenuChooseNextPractice(desk_.program())) return;
    refreshUnits();
    btnOkClick();
}

void TfrmMenu::btnShowRecordClick() {
    Program& p = desk_.program();
    if (desk_.showRecords()) {
        ComputeMarks(p);
        refreshUnitList();
    }
}

bool TfrmMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    QListWidget* target = nullptr;
    if (key == Qt::Key_Left && watched == lstSection) target = lstLesson;
    if (key == Qt::Key_Left && watched == lstUnit) target = lstSection;
    if (key == Qt::Key_Right && (watched == lstLesson || watched == lstSection)) target = lstUnit;
    if (!target) return QDialog::eventFilter(watched, event);
    target->setFocus();
    return true;
}
