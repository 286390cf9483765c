#pragma once
// The chart of the records window: one item's scores over its runs, the run's date and
// time across, the score from 0 to 100 up, with labelled axes.

#include <QWidget>
#include <vector>

#include "learners/ScoreHistory.h"

class ScoreChart : public QWidget {
    Q_OBJECT
  public:
    explicit ScoreChart(QWidget* parent = nullptr);

    void setRuns(std::vector<ScorePoint> runs);
    const std::vector<ScorePoint>& runs() const { return runs_; }
    // Where the plot lies inside the widget (the axes' corner at its bottom left).
    QRect plotArea() const;
    // The widget point of a time and score on the axes.
    QPointF pointOf(const ScorePoint& run) const;
    // Where run i (of runs()) is drawn: at its time and score, except that runs of the same
    // minute, which the axis cannot tell apart, stand side by side in the order they were
    // run around their minute's place.
    QPointF pointAt(std::size_t i) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The span of the time axis; a single run gets an hour either side.
    std::pair<long, long> span() const;

    std::vector<ScorePoint> runs_;
};
