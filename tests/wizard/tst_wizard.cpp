#include "formfixture.h"
#include "wizard/form4.h"
#include "widgets/windowplacement.h"
#include "storage/playerhistory.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

using Icon = MessageService::Icon;

QString pool(Form1 &form, int index)
{
    return form.skillsPage()->Lern[index]->text();
}

// The one message shown so far.
void onlyMessage(const FormFixture &fixture, const QString &text, const QString &title, Icon icon)
{
    QCOMPARE(fixture.messages.shown.size(), 1);
    const RecordingMessages::Shown &shown = fixture.messages.shown.constFirst();
    QCOMPARE(std::tuple(shown.text, shown.title, shown.icon), std::tuple(text, title, icon));
}

} // namespace

class TestWizard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Values "-", lists at the core's choices and untypable; a new character keeps them, registers nothing again.
    void startsAtStepOneWithBlankValuesAndPresetLists()
    {
        FormFixture fixture;
        Form1 &form = fixture.form();
        form.Form_Load();
        QVERIFY(form.isVisible());
        QCOMPARE(form.step(), Form1::ValuesStep);
        const QList<QLabel *> blanks = form.findChildren<QLabel *>(QRegularExpression(u"^(Basis|Abgel|LPAP|Natur|Hinter)_"_s));
        QCOMPARE(blanks.size(), 28);
        for (const QLabel *label : blanks)
            QCOMPARE(label->text(), u"-"_s);
        QCOMPARE(fixture.fontListRequests, 0); // no font name stored, none to check

        const ValuesPage *values = form.valuesPage();
        const PersonalPage *personal = form.personalPage();
        QVERIFY(!values->Combo1->isEditable() && !values->Combo2->isEditable());
        for (const auto &[combo, text] : {std::pair(values->Combo1, form.record().characterClass),
                                          std::pair(personal->Combo3, form.record().nationality),
                                          std::pair(personal->Combo6, form.record().race),
                                          std::pair(personal->Combo8, form.record().habits),
                                          std::pair(personal->cbxBMonth, form.record().birthMonth)})
            QCOMPARE(combo->currentText(), text);

        chooseEntry(values->Combo1, u"Arzt"_s); // rolls, which resets the personal data
        chooseEntry(personal->Combo3, u"Deutscher"_s);
        fixture.settings.write(Settings::CharacterProperty, u"1"_s);
        form.Form_Load();
        QCOMPARE(fixture.registrations, 1);
        QCOMPARE(std::pair(personal->Combo3->currentText(), values->Combo1->currentText()), std::pair(u"Deutscher"_s, u"Arzt"_s));
        QVERIFY(values->Check2->isChecked());

        // Only "1" shows the start-up screen; any other value edits an existing character.
        for (const QString &option : {u"0"_s, u"2"_s}) {
            FormFixture withoutScreen;
            withoutScreen.settings.write(Settings::StartupScreen, option);
            QVERIFY(withoutScreen.form().Form_Load() && withoutScreen.form().editExisting());
            QCOMPARE(withoutScreen.startupScreens, 0);
        }
    }

    // A stored sheet font that is not installed gives way to one that is; the player history is kept and erased.
    void optionsFontsAndHistoryComeFromTheSettings()
    {
        FormFixture fixture;
        fixture.settings.write(Settings::ValuesFont, Settings::FontName, u"dejavu sans"_s);
        fixture.settings.write(Settings::HeadlineFont, Settings::FontName, u"Gibt Es Nicht"_s);
        fixture.settings.write(Settings::ConfirmValues, u"1"_s);
        fixture.settings.write(Settings::CharacterProperty, u"kaputt"_s);
        fixture.settings.write(u"users", u"1", u"Anna"_s);
        fixture.settings.write(Settings::Users, u"2", u"Bernd"_s);
        Form1 &form = fixture.loaded();
        QCOMPARE(fixture.fontListRequests, 1);
        QCOMPARE(fixture.settings.read(Settings::HeadlineFont, Settings::FontName), u"Times New Roman"_s);
        QCOMPARE(fixture.settings.read(Settings::LabelsFont, Settings::FontName, u"leer"), u"leer"_s);

        QVERIFY(form.valuesPage()->Check1->isChecked());
        QVERIFY(!form.valuesPage()->Check2->isChecked());
        ListComboBox *players = form.personalPage()->Text2;
        QCOMPARE(std::tuple(players->count(), players->itemText(0), players->itemText(1), players->currentText()),
                 std::tuple(2, u"Anna"_s, u"Bernd"_s, QString()));

        // A break or tab in a field, typed or pasted, becomes a blank: the history never stores one.
        form.showStep(Form1::PersonalStep);
        players->lineEdit()->insert(u"Carl\r\nund\tDora"_s);
        QCOMPARE(form.record().player, u"Carl  und Dora"_s);
        form.Next2();
        QCOMPARE(fixture.settings.read(Settings::Users, u"3"), u"Carl  und Dora"_s);
        fixture.settings.write(Settings::Users, u"4", u"Eva\tMaria"_s);
        QCOMPARE(PlayerHistory(fixture.settings).names().last(), u"Eva Maria"_s);
        // A known name, in any case and with blanks, does not join the list again.
        players->setCurrentText(u" anna "_s);
        form.Next2();
        QCOMPARE(players->count(), 3);

        // "Spielerhistorie löschen" asks; No keeps the names.
        for (const auto answer : {MessageService::Answer::No, MessageService::Answer::Yes}) {
            fixture.messages.answers = {answer};
            clickOn(form, u"imgButton3_0"_s);
            QCOMPARE(fixture.messages.shown.last().buttons, MessageService::Buttons::YesNo);
            QCOMPARE(players->count(), answer == MessageService::Answer::No ? 3 : 0);
        }
        QCOMPARE(players->currentText(), QString());
        QCOMPARE(fixture.settings.read(Settings::Users, u"1"), QString());
    }

    // The option's rule is the start-up seed's; here the window must hand it the clock, date and text.
    void seedingFollowsTheOption()
    {
        for (const auto &[option, text, seed] : {std::tuple(u"0"_s, QString(), 13 * 3600 + 30 * 60 + 15.0),
                                                 std::tuple(u"1"_s, QString(), 6.12), std::tuple(u"2"_s, u"4711 Köln"_s, 4711.0)}) {
            FormFixture fixture;
            fixture.settings.write(Settings::Random, option);
            fixture.settings.write(Settings::RandomText, text);
            fixture.form().Form_Load();
            QCOMPARE(fixture.random.seeds, QList<double>{seed});
        }
    }

    void enterIsSwallowedInTheTextBoxes()
    {
        FormFixture fixture;
        Form1 &form = fixture.loaded(Form1::PersonalStep);
        PersonalPage *personal = form.personalPage();

        for (QLineEdit *edit : {personal->Text1, personal->Text3, personal->Text5, personal->Text7, personal->Text2->lineEdit()}) {
            QSignalSpy returns(edit, &QLineEdit::returnPressed);
            QTest::keyClicks(edit, u"Ab"_s);
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClick(edit, Qt::Key_Enter);
            QCOMPARE(returns.count(), 0);
            QCOMPARE(edit->text(), u"Ab"_s);
        }
        QCOMPARE(personal->Text2->count(), 0); // typed names never join the list by Enter
        QCOMPARE(form.record().player, u"Ab"_s);
    }

    // The race keeps the word before the parenthesis; habits add to what was typed; each list waits for the other.
    void personalListsAreCompletedAndCarried()
    {
        FormFixture fixture;
        Form1 &form = fixture.loaded(Form1::PersonalStep);
        PersonalPage *personal = form.personalPage();
        ListComboBox *race = personal->Combo6;
        ListComboBox *habits = personal->Combo8;

        chooseEntry(race, u"Mongolide (Asiaten,Indianer)"_s);
        QVERIFY(!habits->isEnabled());
        QTRY_COMPARE(race->currentText(), u"Mongolide"_s);
        QTRY_VERIFY(habits->isEnabled());
        QCOMPARE(form.record().race, u"Mongolide"_s);
        QCOMPARE(race->lineEdit()->cursorPosition(), 9);

        chooseEntry(habits, u"Raucher"_s);
        QVERIFY(!race->isEnabled());
        QTRY_COMPARE(habits->currentText(), u"Raucher"_s);
        QTRY_VERIFY(race->isEnabled());
        chooseEntry(habits, u"Narbe"_s);
        QTRY_COMPARE(habits->currentText(), u"Raucher, Narbe"_s);
        QCOMPARE(form.record().habits, u"Raucher, Narbe"_s);
        habits->lineEdit()->clear();
        QTest::keyClicks(habits, u"Spieler,"_s);
        chooseEntry(habits, u"Glatze"_s);
        QTRY_COMPARE(habits->currentText(), u"Spieler,Glatze"_s);

        // The birthday lists carry a choice there and back (rules: the core's); "Zufall" reseeds from the clock.
        const auto shown = [personal] { return personal->cbxBDay->currentText() + u' ' + personal->txtStarsign->text(); };

        chooseEntry(personal->cbxBDay, u"31"_s);
        QCOMPARE(shown(), u"31 Wassermann"_s);
        chooseEntry(personal->cbxBMonth, u"April"_s);
        QCOMPARE(shown(), u"30 Stier"_s);
        QCOMPARE(form.record().birthDay, u"30"_s);

        fixture.clock = QTime(8, 0, 30);
        fixture.random.numbers = {30.5f / 31, 8.5f / 12}; // the 31st of September becomes the 30th
        clickOn(form, u"imgButton3_1"_s);
        QCOMPARE(fixture.random.seeds.last(), 8 * 3600 + 30);
        QCOMPARE(shown(), u"30 Waage"_s);
    }

    void schoolTabShowsTheListOfTheSex()
    {
        FormFixture fixture;
        Form1 &form = fixture.loaded(Form1::SkillsStep);
        SkillsPage *skills = form.skillsPage();
        QTabBar *tabs = skills->TabStrip1;
        auto clickTab = [tabs](int tab) { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center()); };

        QVERIFY(skills->Frame9->isVisible());
        clickTab(SkillsPage::SchoolTab);
        QVERIFY(skills->Frame8[0]->isVisible() && !skills->Frame9->isVisible());

        // Another sex shows its list at once, not only after the tab is clicked again.
        form.showStep(Form1::ValuesStep);
        chooseEntry(form.valuesPage()->Combo2, u"weiblich"_s);
        form.showStep(Form1::SkillsStep);
        QVERIFY(skills->Frame8[1]->isVisible() && !skills->Frame8[0]->isVisible());

        clickTab(SkillsPage::UntypicalTab);
        QVERIFY(skills->Frame7->isVisible());
        QCOMPARE(skills->Frame7->row(73)->text(), u"Maschineng.+5 (Gs31, St31)"_s); // the last of the list
        clickTab(SkillsPage::ClassSkillsTab);
        QVERIFY(skills->Frame9->isVisible() && !skills->Frame7->isVisible());
        for (int i = 0; i < 36; ++i)
            QVERIFY(skills->Frame9->row(i)->isHidden()); // until a class is written into them
    }

    // The icons lead through the steps (rules: the core's tests); forward is refused before a roll.
    void throughTheStepsAndBack()
    {
        FormFixture fixture;
        Form1 &form = fixture.form();
        form.Form_Load();
        clickOn(form, u"imgButton0_1"_s);
        onlyMessage(fixture, u"Bitte würfeln ..."_s, u"Keine Daten"_s, Icon::Information);
        QCOMPARE(form.step(), Form1::ValuesStep);
        chooseEntry(form.valuesPage()->Combo1, u"Arzt"_s);
        QCOMPARE(form.valuesPage()->Frame2->value(4)->text(), u"71"_s);
        QCOMPARE(form.valuesPage()->Frame3->value(0)->text(), u"77"_s); // 15 + (7.1 + 7.1) * 3 + 20
        QCOMPARE(form.valuesPage()->Frame6->value(1)->text(), u"G"_s);
        SkillsPage *skills = form.skillsPage();

        clickOn(form, u"imgButton0_1"_s);
        QCOMPARE(form.step(), Form1::SkillsStep);
        QVERIFY((form.frameGeometry().center() - WindowPlacement::availableArea().center()).manhattanLength() <= 1); // centred
        QCOMPARE(skills->Frame9->title(), u"Fachkenntnisse: Arzt"_s);
        QCOMPARE(pool(form, 0), u"13"_s);
        QVERIFY(skills->Frame9->row(9)->isVisibleTo(skills->Frame9) && !skills->Frame9->row(10)->isVisibleTo(skills->Frame9));
        QVERIFY(looksLearnt(skills->Frame8[0], 0) && looksLearnt(skills->Frame8[1], 3));
        clickOn(form, u"imgButton1_2"_s);
        QPointer<Form4> overview = form.valueOverview();
        QVERIFY(overview && overview->isVisible());
        QCOMPARE(overview->basis()->value(4)->text() + overview->derived()->value(0)->text(), u"7177"_s);

        clickOn(form, u"imgButton1_0"_s); // "Zurück" closes the overview too
        QCOMPARE(form.step(), Form1::ValuesStep);
        QTRY_VERIFY(!overview);
        // After a step back the quirk box may be ticked, not unticked.
        fixture.messages.shown.clear();
        QCheckBox *quirk = form.valuesPage()->Check2;
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(quirk, Qt::LeftButton, {}, QPoint(4, quirk->height() / 2));
            QVERIFY(quirk->isChecked());
            QCOMPARE(pool(form, 2), u"8"_s);
        }
        onlyMessage(fixture, u"Sie können diese Eigenschaft nun nicht mehr abwählen"_s, u"Charakter bereits erschaffen"_s,
                    Icon::Critical);
        clickOn(form, u"imgButton0_1"_s);
        clickOn(*skills, u"Label50_0"_s);
        clickOn(form, u"imgButton1_1"_s);
        QCOMPARE(form.step(), Form1::PersonalStep);
        PersonalPage *personal = form.personalPage();
        QCOMPARE(personal->Text3->text(), u"18"_s);
        QTest::keyClicks(personal->Text1, u"Heinrich"_s);

        // Back and forward again: the personal data stay, the age is computed afresh.
        clickOn(form, u"imgButton2_0"_s);
        QCOMPARE(form.step(), Form1::SkillsStep);
        clickOn(*skills, u"Label50_12"_s);
        clickOn(*skills, u"Label50_13"_s);
        clickOn(form, u"imgButton1_1"_s);
        QCOMPARE(personal->Text1->text(), u"Heinrich"_s);
        QCOMPARE(personal->Text3->text(), u"20"_s);
    }

    // Right or Ctrl is the secondary click, Shift+Ctrl is not; a refusal shows one message and changes nothing.
    void learningShowsInRowsColoursAndPools()
    {
        FormFixture fixture;
        Form1 &form = fixture.rolledArzt();
        form.Next0();
        SkillsPage *skills = form.skillsPage();
        const SkillListFrame *school = skills->Frame8[0];

        for (int i = 0; i < 3; ++i)
            clickOn(*skills, u"Label38_7"_s);
        QCOMPARE(school->row(7)->text(), u"3x Sprechen+6 (In01)"_s);
        QVERIFY(looksLearnt(school, 7));
        QCOMPARE(pool(form, 1), u"7"_s);
        clickOn(*skills, u"Label38_7"_s, Qt::RightButton);
        clickOn(*skills, u"Label38_7"_s, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(school->row(7)->text(), u"1x Sprechen+6 (In01)"_s);
        clickOn(*skills, u"Label38_7"_s, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier); // primary
        QCOMPARE(school->row(7)->text(), u"2x Sprechen+6 (In01)"_s);
        for (int i = 0; i < 2; ++i)
            clickOn(*skills, u"Label38_7"_s, Qt::RightButton);
        QCOMPARE(school->row(7)->text(), u"Sprechen+6 (In01)"_s);
        QVERIFY(!looksLearnt(school, 7));
        QCOMPARE(pool(form, 1), u"10"_s);

        clickOn(*skills, u"Label38_0"_s); // Abwehr, given
        onlyMessage(fixture, u"Sie müssen diese Fähigkeit lernen um Andere lernen zu können."_s, u"Hinweis"_s, Icon::Exclamation);
        QVERIFY(looksLearnt(school, 0));

        for (const QString &label : {u"Label53"_s, u"Label54"_s, u"Label55"_s})
            clickOn(*skills, label);
        const QList<RecordingMessages::Shown> shown = fixture.messages.shown.mid(1);
        QCOMPARE(shown.size(), 3);
        for (const RecordingMessages::Shown &explanation : shown)
            QCOMPARE(std::pair(explanation.title, explanation.icon), std::pair(u"Erklärung"_s, Icon::Information));
        QVERIFY(shown[1].text.startsWith(u"Die Lernpunkte für Schulwissen"_s) && shown[2].text.startsWith(shown[0].text + u'\n'));
    }

    void moreFreedomPlacesValuesThroughTheDialog()
    {
        FormFixture fixture;
        fixture.settings.write(Settings::ConfirmValues, u"1"_s);
        fixture.rollDialogs.placements = {4, 0, 1, 2, 3};
        Form1 &form = fixture.rolledArzt();
        QCOMPARE(fixture.rollDialogs.valuesOffered, (QList<int>{71, 71, 71, 71, 71}));
        QCOMPARE(form.valuesPage()->Frame2->value(5)->text(), u"71"_s);

        // Too low for an Archäologe: the message while the failed values show, then every value "-".
        fixture.random.numbers = QList<float>(15, 0.2f);
        fixture.rollDialogs.placements = {0, 1, 2, 3, 4};
        QStringList behindTheMessage;
        fixture.messages.whileShown = [&] {
            behindTheMessage << form.valuesPage()->Frame2->value(4)->text() << form.valuesPage()->Frame3->value(8)->text();
        };
        chooseEntry(form.valuesPage()->Combo1, u"Archäologe"_s);
        QCOMPARE(fixture.messages.shown.size(), 1);
        QCOMPARE(fixture.messages.shown[0].text, u"Die Basiswerte sind für die gewählte Charakterklasse nicht ausreichend."_s);
        QCOMPARE(behindTheMessage.first(), u"21"_s);
        QVERIFY(behindTheMessage.last() != u"-"_s);
        QCOMPARE(form.valuesPage()->Frame2->value(4)->text(), u"-"_s);
        QCOMPARE(form.valuesPage()->Frame6->value(0)->text(), u"-"_s);

        // Closing the dialog aborts the roll.
        fixture.rollDialogs.placements = {};
        clickOn(form, u"imgButton0_0"_s);
        QCOMPARE(form.valuesPage()->Frame3->value(0)->text(), u"-"_s);
        QCOMPARE(fixture.messages.shown.size(), 1);
    }

    // An existing character is edited in the sheet window, not in the wizard; a screen closed unchosen creates one.
    void startupScreenDecidesWhatToEdit()
    {
        QPointer<Form8> sheet;
        for (const StartupChoice choice : {StartupChoice::Edit, StartupChoice::NoChoice, StartupChoice::Quit}) {
            FormFixture fixture;
            fixture.startupChoice = choice;
            QCOMPARE(fixture.form().Form_Load(), choice != StartupChoice::Quit);
            QCOMPARE(fixture.startupScreens, 1);
            QCOMPARE(fixture.form().editExisting(), choice == StartupChoice::Edit);
            QCOMPARE(fixture.form().isVisible(), choice == StartupChoice::NoChoice);
            if (choice == StartupChoice::Edit)
                QVERIFY((sheet = fixture.form().sheetWindow()) && sheet->isVisible());
        }
        QVERIFY(!sheet); // it goes with the main window, never outliving the document it shows
    }

    void finishedCharacterGoesToTheSheetWindow()
    {
        FormFixture fixture;
        Form1 &form = fixture.rolledArzt();
        clickOn(form, u"imgAbort_0"_s); // "Abbrechen" shows the sheet as it is
        QVERIFY(!form.isVisible() && form.sheetWindow()->isVisible());
        QCOMPARE(fixture.document.sheet(), CharacterSheet());

        form.show();
        fixture.random.fallback = 0.905f;
        clickOn(form, u"imgButton0_0"_s); // "Neu würfeln" with the dice of now
        QCOMPARE(form.valuesPage()->List1->count(), 1);
        QCOMPARE(form.valuesPage()->List1->item(0)->text(), u"Richtungssinn+12"_s);
        form.Next0();
        form.Next1();
        QTest::keyClicks(form.personalPage()->Text1, u"Heinrich"_s);
        fixture.settings.write(Settings::AlwaysWord, u"1"_s);
        clickOn(form, u"imgButton2_1"_s); // "Fertig"
        QCOMPARE(fixture.openedDocuments.size(), 1); // "Immer nach MS Word exportieren"
        QVERIFY(!fixture.document.isSaved()); // closing the sheet must ask before the character is lost

        // Saved, then "Neuer Charakter": step 1, a fresh record, a blank sheet of no file (no save overwrites with it).
        fixture.document.markSaved(u"/tmp/Held.tvk"_s);
        QPointer<Form8> sheet = form.sheetWindow();
        sheet->command(Form8::Command::NewCharacter)->trigger();
        QTRY_VERIFY(!sheet);
        QVERIFY(form.isVisible() && !form.editExisting());
        QCOMPARE(form.step(), Form1::ValuesStep);
        QCOMPARE(form.valuesPage()->Frame2->value(0)->text(), u"-"_s);
        QVERIFY(fixture.document.isSaved() && fixture.document.fileName().isEmpty());
    }

    // A file handed over during the wizard is announced, opens after "Fertig" and its save question, and only once.
    void aFileHandedOverWaitsForTheWizard()
    {
        FormFixture fixture;
        Form1 &form = fixture.rolledArzt();
        const QString file = fixture.dir.filePath(u"Ada.tvk"_s);
        CharacterSheet ada;
        ada.setCaption(CharacterSheet::nameCaption, u"Ada"_s);
        QVERIFY(writeFile(file, CharacterFile::encode(ada, {})));

        form.answerHandOff(file);
        QVERIFY(form.isVisible());
        QCOMPARE(fixture.messages.shown.size(), 1);
        QVERIFY2(fixture.messages.shown[0].text.contains(u"»%1«"_s.arg(file)), qPrintable(fixture.messages.shown[0].text));
        QCOMPARE(fixture.document.sheet(), CharacterSheet());

        form.Next0();
        form.Next1();
        QTest::keyClicks(form.personalPage()->Text1, u"Heinrich"_s);
        fixture.messages.answers = {MessageService::Answer::No};
        clickOn(form, u"imgButton2_1"_s); // "Fertig"
        QTRY_COMPARE(fixture.document.sheet().caption(CharacterSheet::nameCaption), u"Ada"_s);
        QCOMPARE(fixture.messages.shown.size(), 2);
        QCOMPARE(fixture.messages.shown[1].text, u"Charakter speichern ?"_s);
        QCOMPARE(fixture.document.fileName(), file);

        // Spent: the next time the sheet window shows, nothing opens again.
        QVERIFY(!fixture.session.hasHeldFile());
        fixture.document.setValue(0, u"neu"_s);
        form.showSheetWindow();
        QTest::qWait(50);
        QCOMPARE(fixture.document.sheet().value(0), u"neu"_s);
        QCOMPARE(fixture.messages.shown.size(), 2);
    }
};

int runWizardTests(int argc, char **argv) { TestWizard tests; return QTest::qExec(&tests, argc, argv); }

#include "tst_wizard.moc"
