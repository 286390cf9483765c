#include "gui/TfrmHelp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/UiParts.h"

TfrmHelp::TfrmHelp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmHelp"));
    setWindowTitle(QStringLiteral("Velmix++ ヘルプ"));
    setModal(false);
    resize(720, 640);
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* contents = new QPushButton(QStringLiteral("目次"), this);
    contents->setObjectName(QStringLiteral("btnContents"));
    auto* back = new QPushButton(QStringLiteral("戻る"), this);
    back->setObjectName(QStringLiteral("btnBack"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    row->addWidget(contents);
    row->addWidget(back);
    row->addStretch(1);
    row->addWidget(close);
    column->addLayout(row);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setAccessibleName(QStringLiteral("ヘルプ"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    browser_->setSearchPaths({pagesFolder()});
    column->addWidget(browser_, 1);
    connect(contents, &QPushButton::clicked, this, [this] { showTopic(0); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("Velmix++ ヘルプ - ") + browser_->documentTitle());
    });
}

QString TfrmHelp::pagesFolder() {
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .absoluteFilePath(QStringLiteral("../share/velmix/help"));
    if (QFileInfo::exists(installed + QStringLiteral("/index.html")))
        return QDir::cleanPath(installed);
    return QStringLiteral(":/help");
}

void TfrmHelp::showDocument(const QString& html, const QUrl& base) {
    browser_->setSearchPaths({pagesFolder(), base.toLocalFile()});
    browser_->document()->setBaseUrl(base);
    browser_->setHtml(html);
    setWindowTitle(QStringLiteral("Velmix++ ヘルプ - ") + browser_->documentTitle());
    show();
    raise();
    activateWindow();
}

void TfrmHelp::showTopic(int topic) {
    const QString folder = pagesFolder();
    browser_->setSearchPaths({folder});
    QString page = QStringLiteral("topic-%1.html").arg(topic);
    if (topic == 0 || !QFileInfo::exists(folder + QLatin1Char('/') + page))
        page = QStringLiteral("index.html");
    const QString path = folder + QLatin1Char('/') + page;
    browser_->setSource(folder.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                            : QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}
