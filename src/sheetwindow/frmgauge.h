#pragma once

#include <QWidget>

class QFrame;

namespace Tarvosk {

// The progress window of the word-processor export: a bar in its frame and
// the caption "Fortschritt", then "Fortschritt -p %" for each step.
class frmGauge : public QWidget
{
    Q_OBJECT

public:
    explicit frmGauge(QWidget *owner = nullptr);

    // The bar to `percent` (0..100) of its frame's inner width, drawn at once.
    void fill(int percent);

    int barWidth() const;
    int frameInnerWidth() const;

private:
    QFrame *m_container;
    QWidget *m_bar;
};

} // namespace Tarvosk
