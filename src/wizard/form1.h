#pragma once

#include "wizard/appcontext.h"
#include "rules/charactercreation.h"

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
class Form8;
class HoverWatch;
class IconBar;
class PatternMenu;
class PersonalPage;
class RecordBinding;
class RollDialogs;
class SkillsPage;
class ValuesPage;
enum class SkillListId;

// The main window: start-up, and the three steps of creating a character.
// The character and the wizard's rules are the creation core's; the window
// shows its record and turns what the user does into its calls.
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
    // "Abbrechen": the sheet window as it is, without composing.
    void showSheetWindow();
    // "Neuer Charakter" from the sheet window: back to step 1 with a fresh record.
    void NeuerCharakter();
    // A later start handed over a file: the sheet window opens it, after the
    // save question; while a character is being made it is held until then.
    void answerHandOff(const QString &path);
    void EraseHistory();
    // "Charakterwerte ansehen": the value overview, with the values of now.
    void showValueOverview();
    Form4 *valueOverview() const;
    Form8 *sheetWindow() const;

    const CharacterRecord &record() const;
    const WizardState &wizard() const;
    const CharacterCreation &creation() const;
    Step step() const;
    // Whether the program works on an existing character rather than a new one.
    bool editExisting() const;

    // Sizes the window for the step, centres it and shows the step's page.
    void showStep(Step step);

    // Paints pattern n (0: none) on the three button bars.
    void showPattern(int pattern);
    // Stores pattern n and paints it at once.
    void choosePattern(int pattern);
    // The pattern menu, for the bars here and the sheet window's toolbar.
    void ToolbarMenu(QPoint globalPosition);

    // A birthday drawn at random ("Zufall").
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
    void setReadingOrder();
    void showRecord();
    void showRefusal(const std::optional<Refusal> &refusal);
    void showCreationStep();
    void fillLists();
    void loadPlayerHistory();
    void seedDice();
    void checkSheetFontNames();
    void Combo1_Click();
    void TabStrip1_Click(int tab);
    void Check2_Click(bool ticked);
    void skillRowClicked(SkillListId list, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void explain(int pool);
    void closeValueOverview();
    Form8 &ensureSheetWindow();
    // The sheet window on screen; a file handed over meanwhile opens in it.
    void showSheet();

    AppContext m_context;
    std::unique_ptr<RollDialogs> m_ownRollDialogs;
    CharacterCreation m_creation;
    Step m_step = ValuesStep;
    // The window's own lifecycle: the lists are filled once, and no roll
    // happens while they are being filled.
    bool m_formLoadedOnce = false;
    bool m_listsFilled = false;
    bool m_editExisting = false;

    HoverWatch *m_hoverWatch;
    PatternMenu *m_patternMenu;
    std::array<IconBar *, 4> m_bars{};
    ValuesPage *m_values;
    SkillsPage *m_skills;
    PersonalPage *m_personal;
    ComboCompleter *m_completer;
    RecordBinding *m_binding;
    QPointer<Form4> m_valueOverview;
    QPointer<Form8> m_sheetWindow;
};

} // namespace Tarvosk
