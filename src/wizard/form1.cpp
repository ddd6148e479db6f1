#include "wizard/form1.h"

#include "wizard/combocompleter.h"
#include "wizard/form4.h"
#include "sheetwindow/form8.h"
#include "wizard/frmstartup.h"
#include "widgets/hoverwatch.h"
#include "widgets/iconbar.h"
#include "wizard/listcombobox.h"
#include "widgets/patternmenu.h"
#include "wizard/personalpage.h"
#include "wizard/recordbinding.h"
#include "wizard/rolldialogsonscreen.h"
#include "wizard/skilllistframe.h"
#include "wizard/skillspage.h"
#include "wizard/valuespage.h"
#include "widgets/windowplacement.h"
#include "platform/filedialogsonscreen.h"
#include "platform/messageservice.h"
#include "rules/personallists.h"
#include "rules/randomsource.h"
#include "rules/skillclick.h"
#include "rules/startupseed.h"
#include "sheet/backgroundpattern.h"
#include "sheet/sheetcomposition.h"
#include "sheet/sheetdocument.h"
#include "session/charactersession.h"
#include "storage/fontnamecheck.h"
#include "storage/playerhistory.h"
#include "storage/settingkeys.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

const QString caption = u"Valdris 1880 Character Creator"_s;

QSize sizeOfStep(Form1::Step step)
{
    switch (step) {
    case Form1::ValuesStep: return {472, 472};
    case Form1::SkillsStep: return {pixelsFromTwips(9810), pixelsFromTwips(8130)};
    case Form1::PersonalStep: return {392, 412};
    }
    return {472, 472};
}

// Tab follows the widgets in this order.
void chainTabOrder(const std::vector<QWidget *> &widgets)
{
    for (std::size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

// Adds a bar's buttons, left to right, to a tab order.
void appendButtons(std::vector<QWidget *> &order, const IconBar *bar)
{
    const std::vector<QWidget *> buttons = bar->buttonsInOrder();
    order.insert(order.end(), buttons.begin(), buttons.end());
}

} // namespace

Form1::Form1(AppContext context, QWidget *parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , m_ownRollDialogs(m_context.rollDialogs ? nullptr
                                             : std::make_unique<RollDialogsOnScreen>(this, [this] { showRecord(); }))
    , m_creation(m_context.random, m_context.rollDialogs ? *m_context.rollDialogs : *m_ownRollDialogs)
    , m_hoverWatch(new HoverWatch(this))
    , m_patternMenu(new PatternMenu(this))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(caption);
    // The steps have fixed sizes; a compact face keeps every caption whole in them.
    QFont compact = font();
    compact.setPointSizeF(8);
    setFont(compact);
    buildWindow();
    showRecord();
}

// The sheet window has no parent; it must not outlive the document and the services it uses.
Form1::~Form1()
{
    delete m_sheetWindow;
}

void Form1::buildWindow()
{
    const IconEntry abort0 = IconEntry::ofPicture(u"imgAbort_0"_s, u"abort"_s, u"Abbrechen"_s);
    const IconEntry abort1 = IconEntry::ofPicture(u"imgAbort_1"_s, u"abort"_s, u"Abbrechen"_s);
    const IconEntry abort2 = IconEntry::ofPicture(u"imgAbort_2"_s, u"abort"_s, u"Abbrechen"_s);
    m_bars[0] = new IconBar(u"picControl0"_s,
                            {IconEntry::ofPicture(u"imgButton0_0"_s, u"roll"_s, u"Neu würfeln"_s),
                             IconEntry::ofPicture(u"imgButton0_1"_s, u"forward"_s, u"Weiter"_s)},
                            &abort0, IconBar::Style::Toolbar, *m_hoverWatch);
    m_bars[1] = new IconBar(u"picControl1"_s,
                            {IconEntry::ofPicture(u"imgButton1_0"_s, u"back"_s, u"Zurück"_s),
                             IconEntry::ofPicture(u"imgButton1_1"_s, u"forward"_s, u"Weiter"_s),
                             IconEntry::ofPicture(u"imgButton1_2"_s, u"overview"_s, u"Charakterwerte ansehen"_s)},
                            &abort1, IconBar::Style::Toolbar, *m_hoverWatch);
    m_bars[2] = new IconBar(u"picControl2"_s,
                            {IconEntry::ofPicture(u"imgButton2_0"_s, u"back"_s, u"Zurück"_s),
                             IconEntry::ofPicture(u"imgButton2_1"_s, u"finish"_s, u"Fertig"_s)},
                            &abort2, IconBar::Style::Toolbar, *m_hoverWatch);
    m_bars[3] = new IconBar(u"imgButton3"_s,
                            {IconEntry::ofPicture(u"imgButton3_0"_s, u"erase"_s, u"Spielerhistorie löschen"_s),
                             IconEntry::ofPicture(u"imgButton3_1"_s, u"random"_s, u"Zufall"_s)},
                            nullptr, IconBar::Style::Plain, *m_hoverWatch);

    m_values = new ValuesPage(m_bars[0], this);
    m_skills = new SkillsPage(m_bars[1], this);
    m_personal = new PersonalPage(m_bars[2], m_bars[3], this);
    m_skills->hide();
    m_personal->hide();

    for (int i = 0; i < 3; ++i)
        connect(m_bars[i], &IconBar::patternMenuRequested, this, &Form1::ToolbarMenu);
    connect(m_patternMenu, &PatternMenu::patternChosen, this, &Form1::choosePattern);
    for (int i = 0; i < 3; ++i)
        connect(m_bars[i], &IconBar::abortClicked, this, &Form1::showSheetWindow);
    // The icons' actions, by bar and index.
    connect(m_bars[0], &IconBar::iconClicked, this, [this](int index) { index == 0 ? DiceAgain() : Next0(); });
    connect(m_bars[1], &IconBar::iconClicked, this, [this](int index) {
        switch (index) {
        case 0: Back1(); break;
        case 1: Next1(); break;
        default: showValueOverview(); break;
        }
    });
    connect(m_bars[2], &IconBar::iconClicked, this, [this](int index) { index == 0 ? Back2() : Next2(); });
    connect(m_bars[3], &IconBar::iconClicked, this, [this](int index) {
        index == 0 ? EraseHistory() : randomBirthday();
    });
    connect(m_values->Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
    connect(m_values->Check2, &QCheckBox::clicked, this, &Form1::Check2_Click);
    connect(m_skills, &SkillsPage::explanationRequested, this, &Form1::explain);
    const std::array<std::pair<SkillListFrame *, SkillListId>, 4> lists{{
        {m_skills->Frame9, SkillListId::ClassSkills},
        {m_skills->Frame8[0], SkillListId::SchoolMale},
        {m_skills->Frame8[1], SkillListId::SchoolFemale},
        {m_skills->Frame7, SkillListId::Untypical},
    }};
    for (const auto &[frame, list] : lists) {
        connect(frame, &SkillListFrame::rowClicked, this,
                [this, list](int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
                    skillRowClicked(list, row, button, modifiers);
                });
    }
    // A click (also on the current tab, to switch the sex's list) and the keyboard or wheel alike.
    connect(m_skills->TabStrip1, &QTabBar::tabBarClicked, this, &Form1::TabStrip1_Click);
    connect(m_skills->TabStrip1, &QTabBar::currentChanged, this, &Form1::TabStrip1_Click);

    m_completer = new ComboCompleter(m_personal->Combo6, m_personal->Combo8, this);
    m_binding = new RecordBinding(m_creation, {m_values, m_skills, m_personal, m_completer}, this);

    setReadingOrder();

    // Enter in the text boxes neither beeps nor starts anything.
    for (QWidget *box : std::initializer_list<QWidget *>{m_personal->Text1, m_personal->Text2->lineEdit(),
                                                         m_personal->Text3, m_personal->Text5, m_personal->Text7})
        box->installEventFilter(this);
}

// Each page as it reads: its bar from left to right, then its fields from top to bottom.
void Form1::setReadingOrder()
{
    std::vector<QWidget *> values;
    appendButtons(values, m_bars[0]);
    values.insert(values.end(), {m_values->Combo1, m_values->Combo2, m_values->Check1, m_values->Check2});
    chainTabOrder(values);

    std::vector<QWidget *> skills;
    appendButtons(skills, m_bars[1]);
    skills.insert(skills.end(),
                  {m_skills->TabStrip1, m_skills->Frame9, m_skills->Frame8[0], m_skills->Frame8[1], m_skills->Frame7});
    chainTabOrder(skills);

    std::vector<QWidget *> personal;
    appendButtons(personal, m_bars[2]);
    personal.insert(personal.end(), {m_personal->Text1, m_personal->Text2});
    appendButtons(personal, m_bars[3]);
    personal.insert(personal.end(), {m_personal->Combo3, m_personal->Text3, m_personal->cbxBDay,
                                     m_personal->cbxBMonth, m_personal->Text7, m_personal->Combo4,
                                     m_personal->Combo5, m_personal->Combo6, m_personal->Combo7,
                                     m_personal->Combo8, m_personal->Text5});
    chainTabOrder(personal);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::showRecord()
{
    m_binding->show();
}

void Form1::showRefusal(const std::optional<Refusal> &refusal)
{
    if (!refusal)
        return;
    MessageService::Icon icon = MessageService::Icon::Exclamation;
    switch (refusal->kind) {
    case Refusal::Kind::Information: icon = MessageService::Icon::Information; break;
    case Refusal::Kind::Critical: icon = MessageService::Icon::Critical; break;
    case Refusal::Kind::Exclamation: break;
    }
    m_context.messages.show(refusal->text, refusal->title, icon, MessageService::Buttons::Ok);
}

void Form1::showCreationStep()
{
    showRecord();
    switch (m_creation.step()) {
    case CharacterCreation::Step::Values: showStep(ValuesStep); break;
    case CharacterCreation::Step::Skills: showStep(SkillsStep); break;
    case CharacterCreation::Step::Personal: showStep(PersonalStep); break;
    case CharacterCreation::Step::Finished: break;
    }
}

bool Form1::Form_Load(const QString &commandLinePath)
{
    showStep(ValuesStep);
    showPattern(m_context.settings.readNumber(Settings::Wallpaper));
    seedDice();
    checkSheetFontNames();
    // A blank sheet that belongs to no file: saving it can never overwrite a character.
    m_context.session.begin();

    m_creation.reset(m_context.settings.readNumber(Settings::ConfirmValues) != 0,
                     m_context.settings.readNumber(Settings::CharacterProperty) != 0);
    m_skills->TabStrip1->setCurrentIndex(SkillsPage::ClassSkillsTab);

    if (m_formLoadedOnce) {
        // A new character: the lists, the history and the birthday stay as they are.
        showRecord();
        return true;
    }

    if (m_context.registerFileType)
        m_context.registerFileType();
    m_listsFilled = false;
    loadPlayerHistory();
    fillLists();
    m_listsFilled = true;
    m_formLoadedOnce = true;
    showRecord();

    // What a crash left unsaved comes first; then a character named on the command line.
    // A path that names no file is passed over silently: the start is as without one.
    const QString characterPath = QFileInfo(commandLinePath).isFile() ? commandLinePath : QString();
    const bool recovered = m_context.session.offerRecovery();
    if (recovered || !characterPath.isEmpty()) {
        if (!recovered)
            ensureSheetWindow().LoadCharacterFile(characterPath);
        m_editExisting = true;
        Next2();
        return true;
    }
    m_editExisting = false;
    if (m_context.settings.readNumber(Settings::StartupScreen) == 1) {
        const StartupChoice choice = m_context.askStartup ? m_context.askStartup() : frmStartup::ask();
        if (choice == StartupChoice::Quit)
            return false;
        m_editExisting = choice == StartupChoice::Edit;
    } else {
        m_editExisting = true;
    }
    if (m_editExisting)
        Next2();
    else
        show();
    return true;
}

void Form1::Combo1_Click()
{
    showRefusal(m_creation.setCharacterClass(m_values->Combo1->currentText()).refusal);
    DiceAgain();
}

void Form1::DiceAgain()
{
    if (!m_listsFilled)
        return;
    const RollResult result = m_creation.DiceAgain();
    // A roll too weak for the class shows its values while the player reads why.
    if (result.failedRoll)
        m_binding->showValues(*result.failedRoll);
    showRefusal(result.refusal);
    showRecord();
}

void Form1::Next0()
{
    const Outcome outcome = m_creation.Next0();
    showRefusal(outcome.refusal);
    if (!outcome.changed)
        return;
    m_skills->Frame9->setTitle(u"Fachkenntnisse: "_s + m_creation.record().characterClass);
    showRecord();
    showCreationStep();
}

void Form1::Back1()
{
    closeValueOverview();
    m_creation.Back1();
    showCreationStep();
}

void Form1::Next1()
{
    closeValueOverview();
    const bool keepPersonalData = m_creation.wizard().backToStep2;
    m_creation.Next1();
    if (!keepPersonalData)
        m_completer->rememberHabitsText(QString());
    showRecord();
    showCreationStep();
}

void Form1::Back2()
{
    const Outcome outcome = m_creation.Back2();
    showRefusal(outcome.refusal);
    m_skills->Frame9->setTitle(u"Fachkenntnisse: "_s + m_creation.record().characterClass);
    showRecord();
    showCreationStep();
}

void Form1::Next2()
{
    const QString player = m_creation.record().player;
    if (PlayerHistory(m_context.settings).add(player)) {
        const QSignalBlocker blocker(m_personal->Text2);
        m_personal->Text2->addItem(player);
        m_personal->Text2->setCurrentText(player);
    }
    hide();
    if (!m_editExisting) {
        const int currency = m_context.settings.readNumber(Settings::Currency);
        // A character just made is not on disk yet: closing must ask before it is lost.
        m_context.session.finish(ComposeSheet(m_creation.Next2(), currency));
    }
    Form8 &sheetWindow = ensureSheetWindow();
    sheetWindow.show();
    if (!m_editExisting && m_context.settings.readNumber(Settings::AlwaysWord) == 1)
        sheetWindow.command(Form8::Command::Word)->trigger();
    showSheet();
}

void Form1::showSheetWindow()
{
    closeValueOverview();
    hide();
    showSheet();
}

void Form1::showSheet()
{
    ensureSheetWindow().show();
    // After the window is up, so the save question has the sheet behind it.
    if (m_context.session.hasHeldFile())
        QMetaObject::invokeMethod(&m_context.session, &CharacterSession::openHeldFile, Qt::QueuedConnection);
}

void Form1::NeuerCharakter()
{
    if (!m_sheetWindow || !m_sheetWindow->isNewCharacter())
        return;
    m_editExisting = false;
    Form_Load();
    show();
    // Closed, not hidden, so it remembers its place; the flag spares the save question.
    // Only now: with the wizard on screen, closing it is not the last window closing.
    m_sheetWindow->close(); // and deletes itself
    m_sheetWindow = nullptr;
}

void Form1::answerHandOff(const QString &path)
{
    if (path.isEmpty())
        return;
    if (m_sheetWindow && m_sheetWindow->isVisible())
        m_sheetWindow->Form_DblClick(path);
    else
        m_context.session.holdHandOff(path);
}

Form8 &Form1::ensureSheetWindow()
{
    if (!m_sheetWindow) {
        static FileDialogsOnScreen dialogsOnScreen;
        m_sheetWindow = new Form8(SheetWindowContext{m_context.settings, m_context.messages, m_context.session,
                                                     m_context.fileDialogs ? *m_context.fileDialogs : dialogsOnScreen,
                                                     m_context.openDocument});
        m_sheetWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_sheetWindow, &Form8::newCharacterRequested, this, &Form1::NeuerCharakter);
        connect(m_sheetWindow, &Form8::patternMenuRequested, this, &Form1::ToolbarMenu);
    }
    return *m_sheetWindow;
}

void Form1::EraseHistory()
{
    const auto answer = m_context.messages.show(u"Spielerhistorie wirklich löschen ?"_s, u"Historie leeren"_s,
                                                MessageService::Icon::Question, MessageService::Buttons::YesNo);
    if (answer != MessageService::Answer::Yes)
        return;
    PlayerHistory(m_context.settings).erase();
    {
        const QSignalBlocker blocker(m_personal->Text2);
        m_personal->Text2->clear();
    }
    m_creation.setPersonal(PersonalField::Player, QString());
    showRecord();
    m_personal->Text2->setFocus();
}

void Form1::explain(int pool)
{
    const QString sharedPoints =
        u"Die Lernpunkte für Fachkenntisse können auch für untypische Fähigkeiten verwendet werden."_s;
    QString text;
    switch (pool) {
    case 0: text = sharedPoints; break;
    case 1: text = u"Die Lernpunkte für Schulwissen können nicht übernommen werden. Überschüssiges verfällt."_s; break;
    default:
        text = sharedPoints
               + u"\nHaben Sie die Schaltfläche 'Ja zur charakterlichen Eigenheit' angeklickt, erhalten Sie auf "
                 "Untypisches 3 Lernpunkte extra."_s;
        break;
    }
    m_context.messages.show(text, u"Erklärung"_s, MessageService::Icon::Information, MessageService::Buttons::Ok);
}

void Form1::Check2_Click(bool ticked)
{
    showRefusal(m_creation.setQuirkBonus(ticked).refusal);
    showRecord();
}

void Form1::skillRowClicked(SkillListId list, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const Outcome outcome = m_creation.clickSkill(list, row, isSecondaryClick(button, modifiers));
    showRefusal(outcome.refusal);
    if (outcome.changed)
        showRecord();
}

void Form1::showValueOverview()
{
    closeValueOverview();
    m_valueOverview = new Form4(m_context.settings, m_creation.record(), this);
    m_valueOverview->show();
}

void Form1::closeValueOverview()
{
    if (m_valueOverview)
        m_valueOverview->close();
}

Form4 *Form1::valueOverview() const
{
    return m_valueOverview;
}

Form8 *Form1::sheetWindow() const
{
    return m_sheetWindow;
}

void Form1::closeEvent(QCloseEvent *event)
{
    closeValueOverview();
    QWidget::closeEvent(event);
}

void Form1::seedDice()
{
    const std::optional<double> seed =
        startupSeed(m_context.settings.read(Settings::Random), m_context.settings.read(Settings::RandomText),
                    m_context.clock(), m_context.today());
    if (seed)
        m_context.random.seed(*seed);
}

// A stored sheet font that is not installed gives way to one that is.
void Form1::checkSheetFontNames()
{
    QStringList installed;
    bool listed = false;
    for (QStringView section : {Settings::ValuesFont, Settings::LabelsFont, Settings::HeadlineFont}) {
        const QString name = m_context.settings.read(section, Settings::FontName);
        if (name.isEmpty())
            continue;
        // The font list is slow to build; it is asked for only when a name needs checking.
        if (!listed && m_context.installedFonts) {
            installed = m_context.installedFonts();
            listed = true;
        }
        m_context.settings.write(section, Settings::FontName, CheckFontName(name, installed));
    }
}

void Form1::loadPlayerHistory()
{
    const QSignalBlocker blocker(m_personal->Text2);
    m_personal->Text2->clear();
    m_personal->Text2->addItems(PlayerHistory(m_context.settings).names());
    m_personal->Text2->setCurrentIndex(-1);
    m_personal->Text2->setCurrentText(QString());
}

void Form1::fillLists()
{
    const std::array<std::pair<QComboBox *, const QStringList *>, 10> lists{{
        {m_values->Combo1, &characterClasses()},
        {m_values->Combo2, &sexes()},
        {m_personal->Combo3, &nationalities()},
        {m_personal->Combo4, &eyeColours()},
        {m_personal->Combo5, &hairColours()},
        {m_personal->Combo6, &races()},
        {m_personal->Combo7, &religions()},
        {m_personal->Combo8, &habits()},
        {m_personal->cbxBDay, &birthDays()},
        {m_personal->cbxBMonth, &months()},
    }};
    for (const auto &[combo, entries] : lists) {
        const QSignalBlocker blocker(combo);
        combo->clear();
        combo->addItems(*entries);
        combo->setCurrentIndex(-1);
    }
    m_completer->rememberHabitsText(QString());
}

void Form1::showStep(Step step)
{
    // Changed while shown: painting waits for all of it, and the window keeps
    // the keys, which a hidden and shown again window may lose to the desktop.
    m_step = step;
    // Hidden, not only covered: a page out of sight must not take the focus.
    m_values->setVisible(step == ValuesStep);
    m_skills->setVisible(step == SkillsStep);
    m_personal->setVisible(step == PersonalStep);
    const QSize size = sizeOfStep(step);
    setFixedSize(size);
    m_values->setGeometry(rect());
    m_skills->setGeometry(rect());
    m_personal->setGeometry(rect());
    WindowPlacement::centre(*this);
    // The step begins at its first field.
    switch (step) {
    case ValuesStep: m_values->Combo1->setFocus(); break;
    case SkillsStep: m_skills->TabStrip1->setFocus(); break;
    case PersonalStep: m_personal->Text1->setFocus(); break;
    }
}

void Form1::showPattern(int pattern)
{
    const std::optional<QImage> strip = barPattern(pattern, palette().color(QPalette::Button));
    if (!strip)
        return;
    for (int i = 0; i < 3; ++i)
        m_bars[i]->setPattern(*strip);
}

void Form1::ToolbarMenu(QPoint globalPosition)
{
    m_patternMenu->popupAt(globalPosition, m_context.settings.readNumber(Settings::Wallpaper));
}

void Form1::choosePattern(int pattern)
{
    m_context.settings.write(Settings::Wallpaper, QString::number(pattern));
    showPattern(pattern);
}

void Form1::TabStrip1_Click(int tab)
{
    m_skills->showTab(tab, m_creation.record().isMale());
}

void Form1::randomBirthday()
{
    m_creation.drawBirthday(m_context.clock());
    showRecord();
}

const CharacterRecord &Form1::record() const { return m_creation.record(); }
const WizardState &Form1::wizard() const { return m_creation.wizard(); }
const CharacterCreation &Form1::creation() const { return m_creation; }
Form1::Step Form1::step() const { return m_step; }
bool Form1::editExisting() const { return m_editExisting; }
ValuesPage *Form1::valuesPage() const { return m_values; }
SkillsPage *Form1::skillsPage() const { return m_skills; }
PersonalPage *Form1::personalPage() const { return m_personal; }
IconBar *Form1::bar(int index) const { return index >= 0 && index < 4 ? m_bars[index] : nullptr; }
PatternMenu *Form1::patternMenu() const { return m_patternMenu; }
HoverWatch *Form1::hoverWatch() const { return m_hoverWatch; }

} // namespace Tarvosk
