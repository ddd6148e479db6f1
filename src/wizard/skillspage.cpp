#include "wizard/skillspage.h"

#include "wizard/skilllistframe.h"
#include "rules/charactervalues.h"
#include "rules/skilllisttables.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

namespace Tarvosk {

SkillsPage::SkillsPage(QWidget *buttonBar, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setAutoFillBackground(true);

    Frame10 = new QGroupBox(QStringLiteral("Lernpunkte"), this);
    Frame10->setObjectName(QStringLiteral("Frame10"));
    auto *points = new QHBoxLayout(Frame10);
    points->setContentsMargins(10, 2, 10, 6);
    const std::array<std::pair<const char16_t *, const char16_t *>, 3> pools{{
        {u"Label53", u"Fachkenntnisse"},
        {u"Label54", u"Schulwissen"},
        {u"Label55", u"Untypisches"},
    }};
    for (int i = 0; i < 3; ++i) {
        auto *caption = new QLabel(QString::fromUtf16(pools[i].second), Frame10);
        caption->setObjectName(QString::fromUtf16(pools[i].first));
        caption->setCursor(Qt::WhatsThisCursor);
        caption->installEventFilter(this);
        m_poolCaptions[i] = caption;
        Lern[i] = new QLabel(Values::notRolled, Frame10);
        Lern[i]->setObjectName(QStringLiteral("Lern_%1").arg(i));
        Lern[i]->setMinimumWidth(24);
        QFont bold = Lern[i]->font();
        bold.setBold(true);
        Lern[i]->setFont(bold);
        points->addWidget(caption);
        points->addWidget(Lern[i]);
        points->addSpacing(28);
    }
    points->addStretch();

    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("Fachkenntnisse"));
    TabStrip1->addTab(QStringLiteral("Schulwissen"));
    TabStrip1->addTab(QStringLiteral("Untypisches"));
    TabStrip1->setDrawBase(false);

    Frame9 = new SkillListFrame(QStringLiteral("Frame9"), QStringLiteral("Label50"), QStringLiteral("lblClassCost"),
                                classSkillColumnsTable(), SkillListFrame::Arrangement::GroupPerColumn, 3, this);
    Frame8[0] = new SkillListFrame(QStringLiteral("Frame8_0"), QStringLiteral("Label38"), QStringLiteral("Label7"),
                                   schoolMaleTable(), SkillListFrame::Arrangement::Flowing, 3, this);
    Frame8[1] = new SkillListFrame(QStringLiteral("Frame8_1"), QStringLiteral("Label44"), QStringLiteral("Label8"),
                                   schoolFemaleTable(), SkillListFrame::Arrangement::Flowing, 3, this);
    Frame7 = new SkillListFrame(QStringLiteral("Frame7"), QStringLiteral("Label31"), QStringLiteral("Label6"),
                                untypicalTable(), SkillListFrame::Arrangement::Flowing, 3, this);

    auto *lists = new QStackedLayout;
    lists->setStackingMode(QStackedLayout::StackAll);
    for (SkillListFrame *frame : {Frame9, Frame8[0], Frame8[1], Frame7})
        lists->addWidget(frame);

    auto *content = new QVBoxLayout;
    content->setContentsMargins(6, 4, 6, 6);
    content->setSpacing(4);
    content->addWidget(Frame10);
    content->addWidget(TabStrip1);
    content->addLayout(lists, 1);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(buttonBar);
    page->addLayout(content, 1);

    showTab(ClassSkillsTab, true);
}

void SkillsPage::showTab(int tab, bool male)
{
    SkillListFrame *shown = nullptr;
    switch (tab) {
    case ClassSkillsTab: shown = Frame9; break;
    case SchoolTab: shown = Frame8[male ? 0 : 1]; break;
    case UntypicalTab: shown = Frame7; break;
    default: break;
    }
    // The list shown stays shown, so that it keeps the focus while its rows change.
    for (SkillListFrame *frame : {Frame7, Frame8[0], Frame8[1], Frame9})
        frame->setVisible(frame == shown);
}

bool SkillsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 3; ++i) {
            if (watched == m_poolCaptions[i]) {
                Q_EMIT explanationRequested(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Tarvosk
