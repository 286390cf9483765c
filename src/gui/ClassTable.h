#pragma once
// The class overview's grid: a table whose first column (the learners' names) stays in place
// while the units scroll sideways under it, so every row keeps its name in view however many
// units the lesson has.

#include <QTableWidget>

class QTableView;

class ClassTable : public QTableWidget {
    Q_OBJECT
  public:
    explicit ClassTable(QWidget* parent = nullptr);
    ~ClassTable() override;

    // The width the fixed column covers at the left of the viewport (0 before it is laid out).
    int fixedWidth() const;

    // After the columns changed: the fixed view shows the first column only, as wide as here.
    void refreshFixedColumn();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  private:
    void placeFixedView();

    QTableView* fixed_;
};
