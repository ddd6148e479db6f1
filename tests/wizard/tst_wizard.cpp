#include "wizard/form1.h"
#include "wizard/form4.h"
#include "sheetwindow/form8.h"
#include "wizard/listcombobox.h"
#include "wizard/personalpage.h"
#include "wizard/skilllistframe.h"
#include "wizard/skillspage.h"
#include "wizard/valueframe.h"
#include "wizard/valuespage.h"
#include "widgets/windowplacement.h"
#include "formfixture.h"
#include "support/testfiles.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

using Icon = MessageService::Icon;

// The fixture's dice all show 71 (d6: 5), unless a test scripts others.
Form1 &rollArzt(FormFixture &fixture)
{
    fixture.form().Form_Load();
    chooseEntry(fixture.form().valuesPage()->Combo1, u"Arzt"_s);
    return fixture.form();
}

QString pool(Form1 &form, int index)
{
    return form.skillsPage()->Lern[index]->text();
}

bool looksLearnt(const SkillListFrame *frame, int row)
{
    return frame->row(row)->palette().color(QPalette::WindowText) == frame->learntColour();
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
    // The icons lead through the steps; the rules behind them are the core's and tested there.
    // Forward is refused before a roll; choosing a class rolls every value.
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
        // Centred again for the size of the step.
        QVERIFY((form.frameGeometry().center() - WindowPlacement::availableArea().center()).manhattanLength() <= 1);
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

        // Back to the skills and forward again: the personal data stay, the age is computed afresh.
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
        Form1 &form = rollArzt(fixture);
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

        // The captions of the pools explain them.
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
        Form1 &form = rollArzt(fixture);
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
        Form1 &form = rollArzt(fixture);
        // "Abbrechen" shows the sheet as it is.
        clickOn(form, u"imgAbort_0"_s);
        QVERIFY(!form.isVisible() && form.sheetWindow()->isVisible());
        QCOMPARE(fixture.document.sheet(), CharacterSheet());

        // "Neu würfeln" rolls again with the dice of now.
        form.show();
        fixture.random.fallback = 0.905f;
        clickOn(form, u"imgButton0_0"_s);
        QCOMPARE(form.valuesPage()->List1->count(), 1);
        QCOMPARE(form.valuesPage()->List1->item(0)->text(), u"Richtungssinn+12"_s);
        form.Next0();
        form.Next1();
        QTest::keyClicks(form.personalPage()->Text1, u"Heinrich"_s);
        // "Immer nach MS Word exportieren": the document opens as the wizard ends.
        fixture.settings.write(Settings::AlwaysWord, u"1"_s);
        clickOn(form, u"imgButton2_1"_s); // "Fertig"
        QCOMPARE(fixture.openedDocuments.size(), 1);
        // Not on disk yet: closing the sheet must ask before the character is lost.
        QVERIFY(!fixture.document.isSaved());

        // Saved, then "Neuer Charakter": back to step 1 with a fresh record.
        fixture.document.markSaved(u"/tmp/Held.tvk"_s);
        QPointer<Form8> sheet = form.sheetWindow();
        sheet->command(Form8::Command::NewCharacter)->trigger();
        QTRY_VERIFY(!sheet);
        QVERIFY(form.isVisible() && !form.editExisting());
        QCOMPARE(form.step(), Form1::ValuesStep);
        QCOMPARE(form.valuesPage()->Frame2->value(0)->text(), u"-"_s);
        // The blank sheet belongs to no file, so no later save can overwrite a character with it.
        QVERIFY(fixture.document.isSaved() && fixture.document.fileName().isEmpty());
    }

    // A file handed over while the character is being made is neither dropped nor opened by surprise:
    // the user is told, and it opens once the wizard hands over to the sheet window, after the save
    // question for the finished character, and only once.
    void aFileHandedOverWaitsForTheWizard()
    {
        FormFixture fixture;
        Form1 &form = rollArzt(fixture);
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

int runWizardTests(int argc, char **argv)
{
    TestWizard tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_wizard.moc"
