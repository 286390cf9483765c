#pragma once
// Draws the unit menu's items as the menu lays them out: the mark, the unit line padded to
// its width, from the top-left of a row of fixed height, in the list's own font.

#include <QStyledItemDelegate>

class UnitListDelegate : public QStyledItemDelegate {
  public:
    UnitListDelegate(int rowHeight, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    int rowHeight_;
};
