#pragma once

#include "app/appcontext.h"
#include "rules/characterrecord.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;

namespace Tarvosk {

class ComboCompleter;
class Form4;
class HoverWatch;
class IconBar;
class PatternMenu;
class PersonalPage;
class RollDialogs;
class SkillsPage;
class ValuesPage;
enum class SkillListId;

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
    // False when the user ended the program on the start-up screen.
    bool Form_Load(const QString &commandLinePath = QString());

    // The roll of the values, and the steps of the wizard.
    void DiceAgain();
    void Next0();
    void Back1();
    void Next1();
    void Back2();
    void Next2();
    void EraseHistory();
    // "Charakterwerte ansehen": the value overview, with the values of now.
    void showValueOverview();
    Form4 *valueOverview() const;

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
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void bindRecord();
    void showRecord();
    void fillLists();
    void loadPlayerHistory();
    void seedDice();
    void checkSheetFontNames();
    void TabStrip1_Click(int tab);
    void Check2_Click(bool ticked);
    void skillRowClicked(SkillListId list, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void explain(int pool);
    void closeValueOverview();

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
    std::vector<std::pair<QLineEdit *, QString CharacterRecord::*>> m_boundEdits;
    std::vector<std::pair<QComboBox *, QString CharacterRecord::*>> m_boundCombos;
    std::unique_ptr<RollDialogs> m_ownRollDialogs;
    RollDialogs *m_rollDialogs;
    QPointer<Form4> m_valueOverview;
};

} // namespace Tarvosk
