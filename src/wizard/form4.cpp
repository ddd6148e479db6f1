#include "wizard/form4.h"

#include "wizard/valueframe.h"
#include "widgets/windowplacement.h"
#include "rules/characterrecord.h"
#include "rules/charactervalues.h"
#include "storage/settingkeys.h"

#include <QCloseEvent>
#include <QHBoxLayout>

namespace Tarvosk {

using namespace Qt::StringLiterals;

Form4::Form4(SettingsStore &settings, const CharacterRecord &record, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_settings(settings)
{
    setObjectName(u"Form4"_s);
    setWindowTitle(u"Charakterwerte ansehen"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    m_basis = new ValueFrame(u"frmBasiswerte"_s, u"Basiswerte"_s, Values::basisCaptions(), u"Basis"_s, this);
    m_derived = new ValueFrame(u"frmAbgeleitete"_s, u"Abgeleitete Eigenschaften"_s, Values::derivedCaptions(), u"Abgel"_s,
                               this);
    m_basis->showValues(record.basis);
    m_derived->showValues(record.derived);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_basis, 0, Qt::AlignTop);
    layout->addWidget(m_derived, 0, Qt::AlignTop);
    adjustSize();
    setFixedSize(size());

    // Flush with the top right screen corner, until the user moves it.
    WindowPlacement::placeRemembered(*this, m_settings, Settings::ValueOverview, Qt::AlignTop | Qt::AlignRight);
}

ValueFrame *Form4::basis() const
{
    return m_basis;
}

ValueFrame *Form4::derived() const
{
    return m_derived;
}

void Form4::closeEvent(QCloseEvent *event)
{
    WindowPlacement::rememberPlace(*this, m_settings, Settings::ValueOverview);
    QWidget::closeEvent(event);
}

} // namespace Tarvosk
