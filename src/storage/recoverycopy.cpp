#include "storage/recoverycopy.h"

#include "platform/messageservice.h"
#include "sheet/sheetdocument.h"
#include "storage/characterfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Tarvosk {

using namespace Qt::StringLiterals;

QString RecoveryCopy::defaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Relative paths are to be ignored, as with every XDG variable.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + u"/.local/state"_s;
    return state + u"/Tarvosk/recovery.tvk"_s;
}

RecoveryCopy::RecoveryCopy(SheetDocument &document, const SettingsStore &settings, const QString &path,
                           QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_settings(settings)
    , m_path(path)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(writeInterval);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryCopy::write);
    connect(&document, &SheetDocument::sheetReplaced, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::captionChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::valueChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::equipmentChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::fileNameChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::savedChanged, this, [this](bool saved) {
        if (saved)
            discard();
        else
            sheetChanged();
    });
}

bool RecoveryCopy::offerRestore(MessageService &messages)
{
    if (!QFileInfo::exists(m_path))
        return false;
    const std::optional<CharacterFile::Contents> contents = CharacterFile::read(m_path);
    if (!contents) {
        discard();
        return false;
    }
    if (messages.show(u"Es gibt einen nicht gespeicherten Charakter aus der letzten Sitzung. Wiederherstellen ?"_s,
                      u"Wiederherstellen"_s, MessageService::Icon::Question, MessageService::Buttons::YesNo)
        != MessageService::Answer::Yes) {
        discard();
        return false;
    }
    m_document.replace(contents->sheet);
    m_document.setFileName(contents->trailingLines.value(0));
    m_document.setSaved(false);
    return true;
}

void RecoveryCopy::discard()
{
    m_timer.stop();
    QFile::remove(m_path);
}

void RecoveryCopy::sheetChanged()
{
    // The first change starts the clock; later ones ride along with its write.
    if (!m_document.isSaved() && !m_timer.isActive())
        m_timer.start();
}

void RecoveryCopy::write()
{
    if (m_document.isSaved())
        return;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    CharacterFile::write(m_path, CharacterFile::encode(m_document.sheet(), CharacterFile::optionBlock(m_settings),
                                                       {m_document.fileName()}));
}

} // namespace Tarvosk
