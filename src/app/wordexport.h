#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace Tarvosk {

class CharacterSheet;
class MessageService;
class SettingsStore;

// Opens a document with the desktop's default application; false when none could be started.
using DocumentOpener = std::function<bool(const QUrl &)>;

// The sheet as a word-processor document, with the busy cursor and the
// progress window frmGauge meanwhile. With a path the document is written
// there; with an empty path it goes to a temporary folder that outlives the
// program and is opened for the user (by QDesktopServices::openUrl when no
// opener is given). A failure shows one message with its reason and leaves
// nothing at the path. True when the document was written (and opened).
bool exportToWord(QWidget *owner, const CharacterSheet &sheet, const SettingsStore &settings, MessageService &messages,
                  const QString &path, const DocumentOpener &openDocument = {});

} // namespace Tarvosk
