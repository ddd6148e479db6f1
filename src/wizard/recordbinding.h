#pragma once

#include "rules/characterrecord.h"

#include <QObject>

#include <utility>
#include <vector>

class QComboBox;
class QLineEdit;

namespace Tarvosk {

class CharacterCreation;
class ComboCompleter;
class PersonalPage;
class SkillsPage;
class ValuesPage;

// Binds the three pages of the main window to the creation core: show() puts
// the record on the controls, and what the user types or chooses in the
// fields of the record goes to the core, its one writer, and back on screen.
class RecordBinding : public QObject
{
    Q_OBJECT

public:
    struct Pages
    {
        ValuesPage *values;
        SkillsPage *skills;
        PersonalPage *personal;
        ComboCompleter *completer;
    };

    RecordBinding(CharacterCreation &creation, Pages pages, QObject *parent = nullptr);

    void show();
    // Only the rolled values, e.g. of a roll that failed.
    void showValues(const CharacterRecord &record);

private:
    void bindInputs();

    CharacterCreation &m_creation;
    Pages m_pages;
    std::vector<std::pair<QLineEdit *, PersonalField>> m_edits;
    std::vector<std::pair<QComboBox *, PersonalField>> m_combos;
};

} // namespace Tarvosk
