#pragma once

#include "app/appcontext.h"
#include "rules/characterrecord.h"

#include <QWidget>

#include <array>

namespace Tarvosk {

class ComboCompleter;
class HoverWatch;
class IconBar;
class PatternMenu;
class PersonalPage;
class SkillsPage;
class ValuesPage;

// The main window: start-up, and the three steps of creating a character.
// It holds the character record; its controls show the record's fields.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    enum Step { ValuesStep = 1, SkillsStep = 2, PersonalStep = 3 };

    explicit Form1(AppContext context, QWidget *parent = nullptr);
    ~Form1() override;

    // The start-up routine; it runs again, shorter, for every new character.
    void Form_Load(const QString &commandLinePath = QString());

    const CharacterRecord &record() const;
    const WizardState &wizard() const;
    Step step() const;

    // Sizes the window for the step, centres it and shows the step's page.
    void showStep(Step step);

    // Paints pattern n (0: none) on the three button bars.
    void showPattern(int pattern);
    // Stores pattern n and paints it at once.
    void choosePattern(int pattern);

    // The birthday lists: a chosen day, a chosen month, and a birthday drawn at random.
    void cbxBDay_Click();
    void cbxBMonth_Click();
    void randomBirthday();

    ValuesPage *valuesPage() const;
    SkillsPage *skillsPage() const;
    PersonalPage *personalPage() const;
    IconBar *bar(int index) const; // picControl0..2, and 3 for the imgButton3 pair
    PatternMenu *patternMenu() const;
    HoverWatch *hoverWatch() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void bindRecord();
    void showRecord();
    void fillLists();
    void loadPlayerHistory();
    void seedDice();
    void checkSheetFontNames();
    void TabStrip1_Click(int tab);

    AppContext m_context;
    CharacterRecord m_record;
    WizardState m_wizard;
    Step m_step = ValuesStep;

    HoverWatch *m_hoverWatch;
    PatternMenu *m_patternMenu;
    std::array<IconBar *, 4> m_bars{};
    ValuesPage *m_values;
    SkillsPage *m_skills;
    PersonalPage *m_personal;
    ComboCompleter *m_completer;
};

} // namespace Tarvosk
