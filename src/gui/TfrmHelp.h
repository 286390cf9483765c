#pragma once
// The help window: the program's own help pages, the contents or one topic by number.

#include <QDialog>

class QTextBrowser;
class QUrl;

class TfrmHelp : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmHelp(QWidget* parent);

    // Shows the contents (topic 0) or the page of a topic number; an unknown topic shows
    // the contents. The window stays open beside the program.
    void showTopic(int topic);
    // Shows a page given as text (a course's own page, already decoded); its pictures and
    // links are looked up in the folder of base.
    void showDocument(const QString& html, const QUrl& base);
    // The folder the pages are read from: the installed help folder when there is one,
    // else the pages built into the program.
    static QString pagesFolder();

  private:
    QTextBrowser* browser_ = nullptr;
};
