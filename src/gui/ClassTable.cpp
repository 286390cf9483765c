#include "gui/ClassTable.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

ClassTable::ClassTable(QWidget* parent) : QTableWidget(parent), fixed_(new QTableView(this)) {
    // The fixed view shares the table's items and selection; it takes no focus, so the
    // keyboard stays in the table and a screen reader reads the table's own cells.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    fixed_->setObjectName(QStringLiteral("tblClassNames"));
    fixed_->setModel(model());
    fixed_->setSelectionModel(selectionModel());
    fixed_->setFocusPolicy(Qt::NoFocus);
    fixed_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fixed_->setSelectionMode(QAbstractItemView::SingleSelection);
    fixed_->verticalHeader()->hide();
    fixed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setAccessibleName(QStringLiteral("学習者"));
    viewport()->stackUnder(fixed_);
    // A click on the fixed column's header is a click on the table's.
    connect(fixed_->horizontalHeader(), &QHeaderView::sectionClicked, horizontalHeader(),
            &QHeaderView::sectionClicked);
    connect(fixed_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        emit cellDoubleClicked(index.row(), index.column());
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column == 0) {
            fixed_->setColumnWidth(0, size);
            placeFixedView();
        }
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { fixed_->setRowHeight(row, size); });
    connect(fixed_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, fixed_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(model(), &QAbstractItemModel::columnsInserted, this, &ClassTable::refreshFixedColumn);
    connect(model(), &QAbstractItemModel::modelReset, this, &ClassTable::refreshFixedColumn);
    refreshFixedColumn();
}

// The table's model and headers outlive this part of the object (the base class frees
// them): their signals must not reach the slots of a table being destroyed.
ClassTable::~ClassTable() {
    disconnect(model(), nullptr, this, nullptr);
    disconnect(horizontalHeader(), nullptr, this, nullptr);
    disconnect(verticalHeader(), nullptr, this, nullptr);
}

int ClassTable::fixedWidth() const {
    return columnCount() > 0 ? columnWidth(0) : 0;
}

void ClassTable::refreshFixedColumn() {
    for (int c = 1; c < model()->columnCount(); ++c)
        fixed_->setColumnHidden(c, true);
    fixed_->setFont(font());
    if (columnCount() > 0) fixed_->setColumnWidth(0, columnWidth(0));
    for (int r = 0; r < rowCount(); ++r)
        fixed_->setRowHeight(r, rowHeight(r));
    fixed_->horizontalHeader()->setSortIndicatorShown(horizontalHeader()->isSortIndicatorShown());
    fixed_->horizontalHeader()->setSortIndicator(horizontalHeader()->sortIndicatorSection(),
                                                 horizontalHeader()->sortIndicatorOrder());
    fixed_->setVisible(columnCount() > 0);
    placeFixedView();
}

void ClassTable::placeFixedView() {
    fixed_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    fixed_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), fixedWidth() + 1,
                        viewport()->height() + horizontalHeader()->height());
}

void ClassTable::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    placeFixedView();
}

QModelIndex ClassTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableWidget::moveCursor(action, modifiers);
    // Home, or left onto the names, shows the columns from the first again.
    if (current.column() == 0 && (action == MoveHome || action == MoveLeft))
        horizontalScrollBar()->setValue(0);
    // Moving left onto a column hidden under the fixed one scrolls it out from under.
    if (action == MoveLeft && current.column() > 0 &&
        visualRect(current).topLeft().x() < fixedWidth()) {
        const int shift = columnViewportPosition(current.column()) - fixedWidth();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + shift);
    }
    return current;
}

void ClassTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The fixed column is always in view; scrolling for it would move the others needlessly.
    if (index.column() > 0) QTableWidget::scrollTo(index, hint);
}
