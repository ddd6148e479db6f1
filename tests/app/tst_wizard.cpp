#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/form8.h"
#include "app/listcombobox.h"
#include "app/personalpage.h"
#include "app/skilllistframe.h"
#include "app/skillspage.h"
#include "app/valueframe.h"
#include "app/valuespage.h"
#include "formfixture.h"
#include "rules/attributeroll.h"
#include "sheet/sheetdocument.h"
#include "storage/settingkeys.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

using Shown = RecordingMessages::Shown;

// The fixture's dice all show 71 (d6: 5), unless a test scripts others.
void rollArzt(FormFixture &fixture)
{
    fixture.form().Form_Load();
    chooseEntry(fixture.form().valuesPage()->Combo1, u"Arzt"_s);
}

QString pool(Form1 &form, int index)
{
    return form.skillsPage()->Lern[index]->text();
}

bool looksLearnt(const SkillListFrame *frame, int row)
{
    return frame->row(row)->palette().color(QPalette::WindowText) == frame->learntColour();
}

} // namespace

class TestWizard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void forwardIsRefusedBeforeARoll();
    void choosingAClassRollsEveryValue();
    void throughTheStepsAndBack();
    void learningShowsInRowsColoursAndPools();
    void refusalsShowOneMessageAndChangeNothing();
    void quirkBoxAfterAStepBack();
    void moreFreedomPlacesValuesThroughTheDialog();
    void explanationsOfThePools();
    void playerHistoryIsKeptAndErased();
    void valueOverviewComesBackWhereItWasLeft();
    void startupScreenDecidesWhatToEdit();
    void finishedCharacterGoesToTheSheetWindow();
    void placementDialogOffersTheFreeAttributes();
    void freeChoiceDialogReportsTheButton();
};

void TestWizard::forwardIsRefusedBeforeARoll()
{
    FormFixture fixture;
    Form1 &form = fixture.form();
    form.Form_Load();
    clickOn(form, u"imgButton0_1"_s);
    QCOMPARE(fixture.messages.shown.size(), 1);
    QCOMPARE(fixture.messages.shown[0].text, u"Bitte würfeln ..."_s);
    QCOMPARE(fixture.messages.shown[0].title, u"Keine Daten"_s);
    QCOMPARE(fixture.messages.shown[0].icon, MessageService::Icon::Information);
    QCOMPARE(form.step(), Form1::ValuesStep);
}

void TestWizard::choosingAClassRollsEveryValue()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    QCOMPARE(form.valuesPage()->Frame2->value(4)->text(), u"71"_s);
    QCOMPARE(form.valuesPage()->Frame3->value(0)->text(), u"77"_s); // 15 + (7.1 + 7.1) * 3 + 20
    QCOMPARE(form.valuesPage()->Frame6->value(1)->text(), u"G"_s);

    // "Neu würfeln" rolls again with the dice of now.
    fixture.random.fallback = 0.905f;
    clickOn(form, u"imgButton0_0"_s);
    QCOMPARE(form.valuesPage()->Frame2->value(0)->text(), u"91"_s);
    QCOMPARE(form.valuesPage()->List1->count(), 1);
    QCOMPARE(form.valuesPage()->List1->item(0)->text(), u"Richtungssinn+12"_s);
}

// The icons lead through the steps; the rules behind them are the core's and tested there.
void TestWizard::throughTheStepsAndBack()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    SkillsPage *skills = form.skillsPage();

    clickOn(form, u"imgButton0_1"_s);
    QCOMPARE(form.step(), Form1::SkillsStep);
    QCOMPARE(skills->Frame9->title(), u"Fachkenntnisse: Arzt"_s);
    QCOMPARE(pool(form, 0), u"13"_s);
    QVERIFY(skills->Frame9->row(9)->isVisibleTo(skills->Frame9) && !skills->Frame9->row(10)->isVisibleTo(skills->Frame9));
    QVERIFY(looksLearnt(skills->Frame8[0], 0) && looksLearnt(skills->Frame8[1], 3));

    clickOn(form, u"imgButton1_0"_s);
    QCOMPARE(form.step(), Form1::ValuesStep);
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

    // The keyboard moves between the tabs as a click does.
    clickOn(form, u"imgButton2_0"_s);
    skills->TabStrip1->setFocus();
    QTest::keyClick(skills->TabStrip1, Qt::Key_Right);
    QVERIFY(skills->Frame8[0]->isVisible());
    QVERIFY(!skills->Frame9->isVisible());
}

void TestWizard::learningShowsInRowsColoursAndPools()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    form.Next0();
    SkillsPage *skills = form.skillsPage();
    const SkillListFrame *school = skills->Frame8[0];
    QCOMPARE(school->row(7)->text(), u"Sprechen+6 (In01)"_s);

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
    clickOn(*skills, u"Label38_7"_s, Qt::RightButton);
    clickOn(*skills, u"Label38_7"_s, Qt::RightButton);
    QCOMPARE(school->row(7)->text(), u"Sprechen+6 (In01)"_s);
    QCOMPARE(pool(form, 1), u"10"_s);

    QVERIFY(fixture.messages.shown.isEmpty());
}

void TestWizard::refusalsShowOneMessageAndChangeNothing()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    form.Next0();
    SkillsPage *skills = form.skillsPage();

    clickOn(*skills, u"Label38_0"_s); // Abwehr, given
    QCOMPARE(fixture.messages.shown.size(), 1);
    const Shown refusal = fixture.messages.shown[0];
    QCOMPARE(refusal.text, u"Sie müssen diese Fähigkeit lernen um Andere lernen zu können."_s);
    QCOMPARE(refusal.title, u"Hinweis"_s);
    QCOMPARE(refusal.icon, MessageService::Icon::Exclamation);
    QVERIFY(looksLearnt(skills->Frame8[0], 0));

}

void TestWizard::quirkBoxAfterAStepBack()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    form.Next0();
    form.Back1();
    QCheckBox *quirk = form.valuesPage()->Check2;

    QTest::mouseClick(quirk, Qt::LeftButton, {}, QPoint(4, quirk->height() / 2));
    QVERIFY(quirk->isChecked());
    QCOMPARE(pool(form, 2), u"8"_s);

    QTest::mouseClick(quirk, Qt::LeftButton, {}, QPoint(4, quirk->height() / 2));
    QVERIFY(quirk->isChecked());
    QCOMPARE(pool(form, 2), u"8"_s);
    QCOMPARE(fixture.messages.shown.size(), 1);
    QCOMPARE(fixture.messages.shown[0].text, u"Sie können diese Eigenschaft nun nicht mehr abwählen"_s);
    QCOMPARE(fixture.messages.shown[0].title, u"Charakter bereits erschaffen"_s);
    QCOMPARE(fixture.messages.shown[0].icon, MessageService::Icon::Critical);
}

void TestWizard::moreFreedomPlacesValuesThroughTheDialog()
{
    FormFixture fixture;
    fixture.settings.write(Settings::ConfirmValues, u"1"_s);
    fixture.rollDialogs.placements = {4, 0, 1, 2, 3};
    rollArzt(fixture);
    Form1 &form = fixture.form();
    QCOMPARE(fixture.rollDialogs.valuesOffered, (QList<int>{71, 71, 71, 71, 71}));
    QCOMPARE(form.valuesPage()->Frame2->value(5)->text(), u"71"_s);
    QVERIFY(fixture.messages.shown.isEmpty());

    // Too low for an Archäologe: the message while the failed values show, then every value "-".
    fixture.random.numbers = QList<float>(15, 0.2f);
    fixture.rollDialogs.placements = {0, 1, 2, 3, 4};
    QStringList behindTheMessage;
    fixture.messages.whileShown = [&] {
        behindTheMessage << form.valuesPage()->Frame2->value(4)->text() << form.valuesPage()->Frame3->value(8)->text();
    };
    chooseEntry(form.valuesPage()->Combo1, u"Archäologe"_s);
    QCOMPARE(fixture.messages.shown.size(), 1);
    QCOMPARE(fixture.messages.shown[0].text, insufficientValuesMessage);
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

void TestWizard::explanationsOfThePools()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    form.Next0();
    QStringList captions;
    for (const QString &label : {u"Label53"_s, u"Label54"_s, u"Label55"_s}) {
        captions << form.skillsPage()->findChild<QLabel *>(label)->text();
        clickOn(*form.skillsPage(), label);
    }
    QCOMPARE(captions, (QStringList{u"Fachkenntnisse"_s, u"Schulwissen"_s, u"Untypisches"_s}));
    QCOMPARE(fixture.messages.shown.size(), 3);
    for (const Shown &shown : std::as_const(fixture.messages.shown)) {
        QCOMPARE(shown.title, u"Erklärung"_s);
        QCOMPARE(shown.icon, MessageService::Icon::Information);
    }
    QVERIFY(fixture.messages.shown[1].text.startsWith(u"Die Lernpunkte für Schulwissen"_s));
    QVERIFY(fixture.messages.shown[2].text.startsWith(fixture.messages.shown[0].text + u'\n'));
}

void TestWizard::playerHistoryIsKeptAndErased()
{
    FormFixture fixture;
    fixture.settings.write(Settings::Users, u"1", u"Anna"_s);
    rollArzt(fixture);
    Form1 &form = fixture.form();
    form.Next0();
    form.Next1();
    ListComboBox *player = form.personalPage()->Text2;

    QTest::keyClicks(player, u" anna "_s);
    clickOn(form, u"imgButton2_1"_s);
    QCOMPARE(fixture.settings.read(Settings::Users, u"2"), QString()); // known already
    player->setCurrentText(u"Bernd"_s);
    clickOn(form, u"imgButton2_1"_s);
    QCOMPARE(fixture.settings.read(Settings::Users, u"2"), u"Bernd"_s);
    QCOMPARE(player->count(), 2);

    fixture.messages.answers = {MessageService::Answer::No};
    clickOn(form, u"imgButton3_0"_s);
    QCOMPARE(fixture.messages.shown.last().buttons, MessageService::Buttons::YesNo);
    QCOMPARE(player->count(), 2);

    fixture.messages.answers = {MessageService::Answer::Yes};
    clickOn(form, u"imgButton3_0"_s);
    QCOMPARE(player->count(), 0);
    QCOMPARE(player->currentText(), QString());
    QCOMPARE(fixture.settings.read(Settings::Users, u"1"), QString());
}

void TestWizard::valueOverviewComesBackWhereItWasLeft()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    form.Next0();
    clickOn(form, u"imgButton1_2"_s);
    QPointer<Form4> overview = form.valueOverview();
    QVERIFY(overview && overview->isVisible());
    QCOMPARE(overview->basis()->value(4)->text(), u"71"_s);
    QCOMPARE(overview->derived()->value(0)->text(), u"77"_s);
    clickOn(form, u"imgButton1_0"_s); // "Zurück" closes it
    QTRY_VERIFY(!overview);
}

void TestWizard::startupScreenDecidesWhatToEdit()
{
    QPointer<Form8> sheet;
    {
        FormFixture edit;
        edit.startupChoice = StartupChoice::Edit;
        QVERIFY(edit.form().Form_Load());
        QCOMPARE(edit.startupScreens, 1);
        QVERIFY(edit.form().editExisting());
        // An existing character is edited in the sheet window, not in the wizard.
        sheet = edit.form().sheetWindow();
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(!edit.form().isVisible());
    }
    QVERIFY(!sheet); // it goes with the main window, never outliving the document it shows

    FormFixture closed;
    closed.startupChoice = StartupChoice::NoChoice;
    QVERIFY(closed.form().Form_Load());
    QVERIFY(!closed.form().editExisting());
    QVERIFY(closed.form().isVisible());

    FormFixture quit;
    quit.startupChoice = StartupChoice::Quit;
    QVERIFY(!quit.form().Form_Load());
    QVERIFY(!quit.form().isVisible());
}

void TestWizard::finishedCharacterGoesToTheSheetWindow()
{
    FormFixture fixture;
    rollArzt(fixture);
    Form1 &form = fixture.form();
    QVERIFY(fixture.document.isSaved());

    // "Abbrechen" shows the sheet as it is.
    clickOn(form, u"imgAbort_0"_s);
    QVERIFY(!form.isVisible() && form.sheetWindow()->isVisible());
    QCOMPARE(fixture.document.sheet(), CharacterSheet());

    form.show();
    form.Next0();
    form.Next1();
    QTest::keyClicks(form.personalPage()->Text1, u"Heinrich"_s);
    // "Immer nach MS Word exportieren": the document opens as the wizard ends.
    fixture.settings.write(Settings::AlwaysWord, u"1"_s);
    clickOn(form, u"imgButton2_1"_s); // "Fertig"
    QVERIFY(!form.isVisible() && form.sheetWindow()->isVisible());
    QCOMPARE(fixture.openedDocuments.size(), 1);
    fixture.settings.write(Settings::AlwaysWord, u"0"_s);
    QCOMPARE(fixture.document.sheet().caption(CharacterSheet::nameCaption), u"Heinrich"_s);
    QCOMPARE(fixture.document.sheet().caption(CharacterSheet::classCaption), u"Arzt"_s);
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
    QCOMPARE(fixture.registrations, 1);
    // The blank sheet belongs to no file, so no later save can overwrite a character with it.
    QVERIFY(fixture.document.isSaved() && fixture.document.fileName().isEmpty());
}

void TestWizard::placementDialogOffersTheFreeAttributes()
{
    CharacterRecord record;
    record.basis[0] = u"55"_s;
    record.basis[2] = u"70"_s;
    record.basis[3] = u"40"_s;
    Form3 dialog(record, 88, nullptr);
    QCOMPARE(dialog.question(), u"Wohin soll der Wert 88 ???"_s);
    const QList<int> offered{1, 4, 5};
    int top = 48;
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(dialog.button(i)->isVisibleTo(&dialog), offered.contains(i));
        if (offered.contains(i)) {
            QCOMPARE(dialog.button(i)->y(), top); // stacked without gaps
            top += 32;
        }
    }
    QCOMPARE(dialog.answer(), RollDialogs::Abort); // closed without a choice

    QTest::mouseClick(dialog.button(4), Qt::LeftButton);
    QCOMPARE(dialog.answer(), 4);
    Form3 discard(record, 12, nullptr);
    QTest::mouseClick(discard.button(5), Qt::LeftButton);
    QCOMPARE(discard.answer(), RollDialogs::Discard);
}

void TestWizard::freeChoiceDialogReportsTheButton()
{
    Form2 dialog;
    QCOMPARE(dialog.choice(), -1);
    QTest::mouseClick(dialog.button(11), Qt::LeftButton);
    QCOMPARE(dialog.choice(), 11);
}

int runWizardTests(int argc, char **argv)
{
    TestWizard tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_wizard.moc"
