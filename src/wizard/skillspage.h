#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QTabBar;

namespace Tarvosk {

class SkillListFrame;

// Step 2 of the wizard: the learning points and the four skill lists under their tabs.
class SkillsPage : public QWidget
{
    Q_OBJECT

public:
    // The page's button bar runs along its top edge.
    SkillsPage(QWidget *buttonBar, QWidget *parent = nullptr);

    enum Tab { ClassSkillsTab, SchoolTab, UntypicalTab };

    QGroupBox *Frame10;             // "Lernpunkte"
    std::array<QLabel *, 3> Lern;   // points left: class skills, school knowledge, untypical
    QTabBar *TabStrip1;
    SkillListFrame *Frame9;         // class skills (Label50)
    std::array<SkillListFrame *, 2> Frame8; // school knowledge: men (Label38), women (Label44)
    SkillListFrame *Frame7;         // untypical skills (Label31)

    // Hides every list, then shows the one of the tab; the school tab shows the list of the sex.
    void showTab(int tab, bool male);

Q_SIGNALS:
    // A click on the caption of pool 0, 1 or 2 asks for its explanation.
    void explanationRequested(int pool);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLabel *, 3> m_poolCaptions;
};

} // namespace Tarvosk
