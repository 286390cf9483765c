#include "gui/TfrmOpenPRP.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"

namespace {

QLabel* header(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    return headerLabel(parent, name, text, geometry, QColor(0, 0, 128), Qt::white);
}

} // namespace

TfrmOpenPRP::TfrmOpenPRP(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmOpenPRP"));
    setWindowTitle(QStringLiteral("Velmix - コピーファイルを開く"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    edtFileName = new QLineEdit(this);
    edtFileName->setObjectName(QStringLiteral("edtFileName"));
    edtFileName->setAccessibleName(QStringLiteral("ファイル名"));
    edtFileName->setReadOnly(true);
    edtFileName->setGeometry(20, 16, 900, 26);
    const QString choose = QStringLiteral("項目を選んでください");
    // The two headers read alike on screen; a screen reader tells them apart.
    header(this, "pnlLesson", choose, {20, 56, 200, 24})
        ->setAccessibleName(QStringLiteral("コースウェア：") + choose);
    lstLesson = namedList(this, "lstLesson", {20, 80, 200, 400}, QStringLiteral("コースウェア"));
    header(this, "pnlPRP", choose, {232, 56, 240, 24})
        ->setAccessibleName(QStringLiteral("コピーファイル：") + choose);
    flbPRP = namedList(this, "flbPRP", {232, 80, 240, 400}, QStringLiteral("コピーファイル"));
    header(this, "pnlContents", QStringLiteral("ファイルの内容"), {484, 56, 436, 24});
    lstContents =
        namedList(this, "lstContents", {484, 80, 436, 400}, QStringLiteral("ファイルの内容"));
    auto* ok = new QPushButton(QStringLiteral("　Ｏ　Ｋ　"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setGeometry(660, 496, 120, 38);
    ok->setDefault(true);
    ok->setAccessibleName(spokenText(ok->text()));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(800, 496, 120, 38);
    // The lists first; the file's name is there to be read, last.
    setTabOrder(lstLesson, flbPRP);
    setTabOrder(flbPRP, lstContents);
    setTabOrder(lstContents, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, edtFileName);
    connect(ok, &QPushButton::clicked, this, &TfrmOpenPRP::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstLesson, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        OpenPrpChooseLesson(desk_.program(), state_, row);
        refreshFiles();
        flbPRP->setFocus();
    });
    connect(flbPRP, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        OpenPrpChooseFile(desk_.program(), state_, row);
        refreshContents();
    });
    for (QListWidget* l : {flbPRP, lstContents})
        l->installEventFilter(this);
}

std::optional<std::string> TfrmOpenPRP::choose() {
    setGeometry(desk_.mainGeometry());
    if (!PrepareCopyChoice(desk_.program(), state_)) return std::nullopt;
    refresh();
    // The teacher starts by choosing a file, or a lesson when this one has none.
    (flbPRP->count() > 0 ? flbPRP : lstLesson)->setFocus();
    if (desk_.runModal(*this) != QDialog::Accepted) return std::nullopt;
    return state_.fileName;
}

void TfrmOpenPRP::refresh() {
    {
        QSignalBlocker block(lstLesson);
        lstLesson->clear();
        for (const std::string& name : state_.lessonNames)
            lstLesson->addItem(qs(name));
        lstLesson->setCurrentRow(state_.lesson);
    }
    refreshFiles();
}

void TfrmOpenPRP::refreshFiles() {
    {
        QSignalBlocker block(flbPRP);
        flbPRP->clear();
        for (const std::string& name : state_.files)
            flbPRP->addItem(qs(name));
        flbPRP->setCurrentRow(state_.file);
    }
    refreshContents();
}

void TfrmOpenPRP::refreshContents() {
    edtFileName->setText(qsShown(state_.fileName));
    lstContents->clear();
    lstContents->addItems(qsLines(state_.contents));
}

void TfrmOpenPRP::btnOkClick() {
    if (ConfirmCopyChoice(desk_.program(), state_)) accept();
}

bool TfrmOpenPRP::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Left) {
        lstLesson->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
