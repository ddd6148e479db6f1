#pragma once

#include "formats/sheetformats.h"
#include "session/charactersession.h"
#include "sheet/sheetdocument.h"
#include "sheetwindow/form8.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "wizard/appcontext.h"
#include "wizard/form1.h"
#include "wizard/listcombobox.h"
#include "wizard/personalpage.h"
#include "wizard/skilllistframe.h"
#include "wizard/skillspage.h"
#include "wizard/valueframe.h"
#include "wizard/valuespage.h"
#include "support/recordingmessages.h"
#include "support/scriptedfiledialogs.h"
#include "support/scriptedrandom.h"
#include "support/scriptedrolldialogs.h"
#include "support/testfiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace Tarvosk {

// A main window over a temporary settings file, scripted dice (all 71, d6: 5) and recorded messages.
struct FormFixture
{
    // A recovery copy at the path, none for an empty one.
    explicit FormFixture(const QString &recoveryPath = QString());

    // Builds the window; settings written before count for its start-up.
    Form1 &form();
    // The window after its start-up, at a step.
    Form1 &loaded(Form1::Step step = Form1::ValuesStep);
    // The window after its start-up, an Arzt chosen and rolled.
    Form1 &rolledArzt();

    QTemporaryDir dir;
    SettingsStore settings;
    ScriptedRandom random;
    ScriptedRollDialogs rollDialogs;
    RecordingMessages messages;
    ScriptedFileDialogs fileDialogs;
    SheetFormats formats{settings};
    CharacterSession session;
    SheetDocument &document;
    QList<QUrl> openedDocuments;
    QStringList installedFonts{QStringLiteral("DejaVu Sans"), QStringLiteral("Times New Roman")};
    int fontListRequests = 0;
    int registrations = 0;
    StartupChoice startupChoice = StartupChoice::Create;
    bool realStartupScreen = false; // the screen itself instead of startupChoice
    int startupScreens = 0;
    QTime clock{13, 30, 15};
    QDate today{2026, 12, 6};

private:
    std::unique_ptr<Form1> m_form;
};

// Chooses an entry the way a user does: open the list, move to the entry, press Enter.
void chooseEntry(QComboBox *combo, const QString &entry);

// A click with the mouse on a widget found by its object name in the window.
void clickOn(QWidget &window, const QString &objectName, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = {});

// A row drawn in the learnt colour.
bool looksLearnt(const SkillListFrame *frame, int row);

} // namespace Tarvosk
