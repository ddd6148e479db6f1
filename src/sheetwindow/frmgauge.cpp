#include "sheetwindow/frmgauge.h"

#include <QFrame>
#include <QVBoxLayout>

#include <algorithm>

namespace Tarvosk {

using namespace Qt::StringLiterals;

frmGauge::frmGauge(QWidget *owner)
    // No close button: the export cannot be stopped halfway.
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_container(new QFrame(this))
    , m_bar(new QWidget(m_container))
{
    setWindowTitle(u"Fortschritt"_s);
    m_container->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_container->setLineWidth(1);
    m_container->setFixedSize(280, 22);
    m_bar->setAutoFillBackground(true);
    m_bar->setBackgroundRole(QPalette::Highlight);
    m_bar->setGeometry(QRect(m_container->contentsRect().topLeft(), QSize(0, m_container->contentsRect().height())));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_container);
    setFixedSize(sizeHint());
}

void frmGauge::fill(int percent)
{
    percent = std::clamp(percent, 0, 100);
    const QRect inner = m_container->contentsRect();
    m_bar->setGeometry(inner.x(), inner.y(), inner.width() * percent / 100, inner.height());
    setWindowTitle(u"Fortschritt -%1 %"_s.arg(percent));
    // The export runs on this thread: the bar is drawn now, not after it.
    if (m_bar->isVisible())
        m_bar->repaint();
}

int frmGauge::barWidth() const
{
    return m_bar->width();
}

int frmGauge::frameInnerWidth() const
{
    return m_container->contentsRect().width();
}

} // namespace Tarvosk
