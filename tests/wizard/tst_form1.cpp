#include "wizard/form1.h"
#include "wizard/listcombobox.h"
#include "wizard/personalpage.h"
#include "wizard/skilllistframe.h"
#include "wizard/skillspage.h"
#include "wizard/valueframe.h"
#include "wizard/valuespage.h"
#include "formfixture.h"
#include "storage/playerhistory.h"
#include "storage/settingkeys.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

class TestForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every value "-", the controls at the core's choices, the class and sex lists take no typing.
    // A new character keeps the lists and their choices and does not register the file type again.
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

    // The race keeps the word before the parenthesis; habits are added once each, to what was typed.
    // Each list waits while the other one completes.
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

        // The rules of the birthday are the core's; here the lists carry a choice there and back,
        // and "Zufall" reseeds from the clock.
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
};

int runForm1Tests(int argc, char **argv)
{
    TestForm1 tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_form1.moc"
