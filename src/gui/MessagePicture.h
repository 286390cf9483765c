#pragma once
// A picture the practice window writes on: guidance, praise, corrections, the answer and
// the hint are lines of text at set places; a reaction picture may stand on it instead.
// Screen readers hear its text as the picture's description.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

class MessagePicture : public QWidget {
    Q_OBJECT
  public:
    explicit MessagePicture(QWidget* parent = nullptr);

    // Line n at (x, 24 n) in points and colour; line 0 first clears the picture.
    void line(int n, const QString& text, int points, const QColor& color, int x = 0);
    // Text with the top of its cell at (x, y).
    void text(int x, int y, const QString& text, int points, const QColor& color,
              bool bold = false);
    void clear();
    // Shows picture in the middle of the area (with what is written above it).
    void setPicture(const QPixmap& picture);
    // Everything written, line by line.
    QString writtenText() const;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    struct Item {
        int x, y;
        QString text;
        int points;
        QColor color;
        bool bold;
    };
    std::vector<Item> items_;
    QPixmap picture_;
};
