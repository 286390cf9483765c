#include "gui/ClassSectionBand.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>

#include "gui/ClassTable.h"

ClassSectionBand::ClassSectionBand(QTableView* table, QWidget* parent)
    : QWidget(parent), table_(table) {
    setObjectName(QStringLiteral("hdrSections"));
    setAccessibleName(QStringLiteral("区分"));
    QHeaderView* header = table->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &ClassSectionBand::relayout);
    connect(header, &QHeaderView::sectionCountChanged, this, &ClassSectionBand::relayout);
    connect(header, &QHeaderView::geometriesChanged, this, &ClassSectionBand::relayout);
    connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &ClassSectionBand::relayout);
    // The table moves and grows with the window; the titles go with it.
    table->installEventFilter(this);
    header->viewport()->installEventFilter(this);
}

QSize ClassSectionBand::sizeHint() const {
    return {0, fontMetrics().height() + 8};
}

void ClassSectionBand::setGroups(std::vector<ColumnGroup> groups) {
    groups_ = std::move(groups);
    while (labels_.size() > groups_.size()) {
        delete labels_.back();
        labels_.pop_back();
    }
    while (labels_.size() < groups_.size()) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblSectionHead"));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Raised);
        label->setAutoFillBackground(true);
        label->setBackgroundRole(QPalette::Button);
        label->setForegroundRole(QPalette::ButtonText);
        labels_.push_back(label);
    }
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        labels_[i]->setToolTip(groups_[i].title);
        labels_[i]->setAccessibleName(QStringLiteral("区分 ") + groups_[i].title);
    }
    relayout();
}

void ClassSectionBand::relayout() {
    const QHeaderView* header = table_->horizontalHeader();
    const QWidget* view = header->viewport();
    // Where the header's viewport starts and ends, in the band's own coordinates.
    const int left = mapFromGlobal(view->mapToGlobal(QPoint(0, 0))).x();
    const int right = left + view->width();
    // The columns scrolled under a fixed first column are out of sight.
    const auto* fixed = qobject_cast<const ClassTable*>(table_);
    const int shownFrom = left + (fixed ? fixed->fixedWidth() : 0);
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        const ColumnGroup& g = groups_[i];
        QLabel* label = labels_[i];
        const int last = g.first + g.count - 1;
        if (g.count <= 0 || last >= header->count()) {
            label->hide();
            continue;
        }
        const int x0 = left + header->sectionViewportPosition(g.first);
        const int x1 = left + header->sectionViewportPosition(last) + header->sectionSize(last);
        const int from = std::max(x0, shownFrom), to = std::min(x1, right);
        if (to - from < 4) {
            label->hide();
            continue;
        }
        label->setGeometry(from, 0, to - from, height());
        const int room = std::max(0, to - from - 8);
        label->setText(label->fontMetrics().elidedText(g.title, Qt::ElideRight, room));
        label->show();
    }
}

bool ClassSectionBand::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
        event->type() == QEvent::LayoutRequest)
        relayout();
    return QWidget::eventFilter(watched, event);
}

void ClassSectionBand::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void ClassSectionBand::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    relayout();
}
