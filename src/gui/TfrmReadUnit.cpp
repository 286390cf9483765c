#include "gui/TfrmReadUnit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "shell/OpenFlows.h"
#include "worksheet/Worksheet.h"

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& label, int y, int width) {
    auto* l = new QLabel(label, parent);
    l->setGeometry(20, y + 2, 66, 24);
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setAccessibleName(spokenText(label));
    e->setGeometry(90, y, width, 28);
    l->setBuddy(e);
    return e;
}

QPlainTextEdit* memo(QWidget* parent, const char* name, const QString& accessible) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QLatin1String(name));
    m->setAccessibleName(accessible);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->hide();
    return m;
}

} // namespace

TfrmReadUnit::TfrmReadUnit(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmReadUnit"));
    setWindowTitle(QStringLiteral("Velmix - コピーファイルの編集"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    auto* banner =
        new QLabel(QStringLiteral("項目を変更した後、［OK］をクリックしてください"), this);
    banner->setObjectName(QStringLiteral("lblBanner"));
    banner->setGeometry(20, 12, 673, 30);
    paintBackground(banner, QColor(255, 255, 0));
    QFont bold = banner->font();
    bold.setBold(true);
    banner->setFont(bold);
    banner->setIndent(8);
    edtTangen = field(this, "edtTangen", QStringLiteral("単元名"), 52, 603);
    edtSchool = field(this, "edtSchool", QStringLiteral("学校名"), 86, 603);
    edtShimei = field(this, "edtShimei", QStringLiteral("氏名欄"), 120, 603);
    edtNQues = field(this, "edtNQues", QStringLiteral("問　題"), 154, 60);
    edtNQues->setReadOnly(true);
    edtNQues->setAccessibleName(QStringLiteral("問題数"));
    redQues = new QPlainTextEdit(this);
    redQues->setObjectName(QStringLiteral("redQues"));
    redQues->setAccessibleName(QStringLiteral("問題"));
    redQues->setGeometry(90, 190, 593, 489);
    redQues->setLineWrapMode(QPlainTextEdit::NoWrap);
    redQues->setTabChangesFocus(true); // question lines hold no tabs: Tab moves on
    redQues->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    redQues->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memQGraph = memo(this, "memQGraph", QStringLiteral("問題のグラフ"));
    memAGraph = memo(this, "memAGraph", QStringLiteral("解答のグラフ"));
    memData = memo(this, "memData", QStringLiteral("memData"));
    auto* ok = new QPushButton(QStringLiteral("　Ｏ　Ｋ　　"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setGeometry(710, 190, 120, 38);
    ok->setAccessibleName(spokenText(ok->text()));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ　"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(710, 238, 120, 38);
    cancel->setAccessibleName(spokenText(cancel->text()));
    auto* add = new QPushButton(QStringLiteral("問題追加"), this);
    add->setObjectName(QStringLiteral("btnAdd"));
    add->setGeometry(710, 286, 120, 38);
    add->hide();
    connect(ok, &QPushButton::clicked, this, &TfrmReadUnit::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmReadUnit::editCopy(Worksheet& sheet) {
    // Screen-centred, at the screen's size.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize size(std::min(area.width(), 860), std::min(area.height(), 720));
        QRect r(QPoint(0, 0), size);
        r.moveCenter(area.center());
        setGeometry(r);
    }
    const CopyEditFields f = CopyEditOf(sheet);
    edtTangen->setText(qs(f.title));
    edtSchool->setText(qs(f.school));
    edtShimei->setText(qs(f.nameLine));
    edtNQues->setText(QString::number(f.boxCount));
    redQues->setPlainText(qsLines(f.questions).join(QLatin1Char('\n')));
    memQGraph->setPlainText(qsLines(f.qgraph).join(QLatin1Char('\n')));
    memAGraph->setPlainText(qsLines(f.agraph).join(QLatin1Char('\n')));
    memData->setPlainText(qsLines(f.data).join(QLatin1Char('\n')));
    sheet_ = &sheet;
    const int result = desk_.runModal(*this);
    sheet_ = nullptr;
    return result == QDialog::Accepted;
}

void TfrmReadUnit::btnOkClick() {
    if (!sheet_) return;
    CopyEditFields f;
    f.title = sj(edtTangen->text());
    f.school = sj(edtSchool->text());
    f.nameLine = sj(edtShimei->text());
    f.questions = sjLines(redQues->toPlainText());
    f.qgraph = sjLines(memQGraph->toPlainText());
    f.agraph = sjLines(memAGraph->toPlainText());
    f.data = sjLines(memData->toPlainText());
    if (ApplyCopyEdit(desk_.program(), *sheet_, f)) accept();
}
