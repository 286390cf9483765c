#pragma once
// The band over the class overview's column headers: each section's title stands over the
// columns of its units, follows the header as it scrolls and as its columns are resized, and
// is a label a screen reader reads.

#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QTableView;

// A run of table columns under one title.
struct ColumnGroup {
    QString title;
    int first = 0; // table column
    int count = 0;
};

class ClassSectionBand : public QWidget {
    Q_OBJECT
  public:
    explicit ClassSectionBand(QTableView* table, QWidget* parent = nullptr);

    // The groups to show, in column order; the columns outside every group have no title.
    void setGroups(std::vector<ColumnGroup> groups);
    const std::vector<ColumnGroup>& groups() const { return groups_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  public slots:
    // Puts each title over its columns as the header shows them now.
    void relayout();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QTableView* table_;
    std::vector<ColumnGroup> groups_;
    std::vector<QLabel*> labels_;
};
