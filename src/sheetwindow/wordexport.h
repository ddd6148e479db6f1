#pragma once

#include <QUrl>

#include <functional>

class QWidget;

namespace Tarvosk {

class CharacterSession;

// Opens a document with the desktop's default application; false when none could be started.
using DocumentOpener = std::function<bool(const QUrl &)>;

// "Datenblatt in Word": the sheet as a word-processor document in a temporary
// folder that outlives the program, opened for the user (by
// QDesktopServices::openUrl when no opener is given), with the busy cursor and
// the progress window frmGauge meanwhile. A failure shows one message with its
// reason. True when the document was written and opened.
bool exportToWord(QWidget *owner, CharacterSession &session, const DocumentOpener &openDocument = {});

} // namespace Tarvosk
