#include "wizard/recordbinding.h"

#include "wizard/combocompleter.h"
#include "wizard/listcombobox.h"
#include "wizard/personalpage.h"
#include "wizard/skilllistframe.h"
#include "wizard/skillspage.h"
#include "wizard/valueframe.h"
#include "wizard/valuespage.h"
#include "rules/charactercreation.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabBar>

#include <array>

namespace Tarvosk {

RecordBinding::RecordBinding(CharacterCreation &creation, Pages pages, QObject *parent)
    : QObject(parent)
    , m_creation(creation)
    , m_pages(pages)
{
    bindInputs();
}

void RecordBinding::bindInputs()
{
    m_edits = {
        {m_pages.personal->Text1, PersonalField::Name},
        {m_pages.personal->Text3, PersonalField::Age},
        {m_pages.personal->Text7, PersonalField::Address},
        {m_pages.personal->Text5, PersonalField::Quirk},
    };
    for (const auto &[edit, field] : m_edits) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) {
            m_creation.setPersonal(field, text);
            show();
        });
    }

    m_combos = {
        {m_pages.personal->Text2, PersonalField::Player},
        {m_pages.personal->Combo3, PersonalField::Nationality},
        {m_pages.personal->Combo4, PersonalField::EyeColour},
        {m_pages.personal->Combo5, PersonalField::HairColour},
        {m_pages.personal->Combo6, PersonalField::Race},
        {m_pages.personal->Combo7, PersonalField::Religion},
        {m_pages.personal->Combo8, PersonalField::Habits},
    };
    for (const auto &[combo, field] : m_combos) {
        connect(combo, &QComboBox::currentTextChanged, this, [this, field](const QString &text) {
            m_creation.setPersonal(field, text);
            show();
        });
    }

    connect(m_pages.values->Combo2, &QComboBox::activated, this, [this] {
        m_creation.setSex(m_pages.values->Combo2->currentText());
        show();
    });
    connect(m_pages.values->Check1, &QCheckBox::clicked, this, [this](bool on) { m_creation.setMoreFreedom(on); });

    // A race or habit chosen from its list, once the list has put it into the field.
    connect(m_pages.completer, &ComboCompleter::raceChosen, this, [this](const QString &entry) {
        m_creation.chooseRace(entry);
        show();
    });
    connect(m_pages.completer, &ComboCompleter::habitChosen, this, [this](const QString &before, const QString &entry) {
        m_creation.chooseHabit(before, entry);
        m_pages.completer->rememberHabitsText(m_creation.record().habits);
        show();
    });

    connect(m_pages.personal->cbxBDay, &QComboBox::activated, this, [this](int index) {
        m_creation.setBirthDay(index + 1);
        show();
    });
    connect(m_pages.personal->cbxBMonth, &QComboBox::activated, this, [this](int index) {
        m_creation.setBirthMonth(index + 1);
        show();
    });
}

void RecordBinding::showValues(const CharacterRecord &record)
{
    m_pages.values->Frame2->showValues(record.basis);
    m_pages.values->Frame3->showValues(record.derived);
    m_pages.values->Frame4->showValues(record.lifeEndurance);
    m_pages.values->Frame5->showValues(record.natural);
    m_pages.values->Frame6->showValues(record.background);
    m_pages.values->List1->clear();
    m_pages.values->List1->addItems(record.special);
}

void RecordBinding::show()
{
    const CharacterRecord &record = m_creation.record();
    showValues(record);
    m_pages.values->Check1->setChecked(record.moreFreedom);
    m_pages.values->Check2->setChecked(record.quirkBonus);

    // Putting the record on the controls must not come back as input.
    for (const auto &[edit, field] : m_edits) {
        const QString &text = record.personal(field);
        if (edit->text() != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(text);
            edit->setCursorPosition(cursor);
        }
    }
    m_pages.personal->txtStarsign->setText(record.starSign);
    for (const auto &[combo, field] : m_combos) {
        const QString &text = record.personal(field);
        if (combo->currentText() != text) {
            const QSignalBlocker blocker(combo);
            combo->setCurrentText(text);
        }
    }
    const std::array<std::pair<QComboBox *, const QString *>, 4> lists{{
        {m_pages.values->Combo1, &record.characterClass},
        {m_pages.values->Combo2, &record.sex},
        {m_pages.personal->cbxBDay, &record.birthDay},
        {m_pages.personal->cbxBMonth, &record.birthMonth},
    }};
    for (const auto &[combo, text] : lists) {
        if (combo->currentText() != *text) {
            const QSignalBlocker blocker(combo);
            combo->setCurrentIndex(combo->findText(*text));
        }
    }

    for (int i = 0; i < 3; ++i)
        m_pages.skills->Lern[i]->setText(record.learningPoints[i]);
    m_pages.skills->Frame9->showRows(record.classSkills);
    m_pages.skills->Frame8[0]->showRows(record.schoolMale);
    m_pages.skills->Frame8[1]->showRows(record.schoolFemale);
    m_pages.skills->Frame7->showRows(record.untypical);
    // The list under the tabs always belongs to the tab and to the sex of now.
    m_pages.skills->showTab(m_pages.skills->TabStrip1->currentIndex(), record.isMale());
}

} // namespace Tarvosk
