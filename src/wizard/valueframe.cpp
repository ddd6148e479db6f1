#include "wizard/valueframe.h"

#include "rules/charactervalues.h"

#include <QGridLayout>
#include <QLabel>

namespace Tarvosk {

ValueFrame::ValueFrame(const QString &objectName, const QString &title, const QStringList &captions,
                       const QString &valuePrefix, QWidget *parent)
    : QGroupBox(title, parent)
    , m_grid(new QGridLayout(this))
{
    setObjectName(objectName);
    m_grid->setContentsMargins(8, 2, 8, 4);
    m_grid->setVerticalSpacing(1);
    m_grid->setColumnStretch(0, 1);
    for (int i = 0; i < captions.size(); ++i) {
        m_grid->addWidget(new QLabel(captions[i], this), i, 0);
        auto *value = new QLabel(Values::notRolled, this);
        value->setObjectName(QStringLiteral("%1_%2").arg(valuePrefix).arg(i));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(36);
        m_grid->addWidget(value, i, 1);
        m_values.push_back(value);
    }
}

QLabel *ValueFrame::value(int index) const
{
    return index >= 0 && index < count() ? m_values[index] : nullptr;
}

int ValueFrame::count() const
{
    return int(m_values.size());
}

void ValueFrame::setValue(int index, const QString &text)
{
    if (QLabel *label = value(index))
        label->setText(text);
}

void ValueFrame::addFullRow(QWidget *widget)
{
    m_grid->addWidget(widget, m_grid->rowCount(), 0, 1, 2);
}

} // namespace Tarvosk
