#include "app/wordexport.h"

#include "app/frmgauge.h"
#include "export/docxexport.h"
#include "platform/messageservice.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QTemporaryDir>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// A folder of its own that stays when the program ends: the word processor
// may read the document only after that.
QString temporaryDocument(QString *germanError)
{
    QTemporaryDir folder(QDir::tempPath() + u"/tarvosk-word-XXXXXX"_s);
    if (!folder.isValid()) {
        *germanError = u"Für das Word-Dokument ließ sich kein vorläufiger Ordner anlegen (%1)."_s.arg(folder.errorString());
        return {};
    }
    folder.setAutoRemove(false);
    return folder.filePath(u"Datenblatt.docx"_s);
}

} // namespace

bool exportToWord(QWidget *owner, const CharacterSheet &sheet, const SettingsStore &settings, MessageService &messages,
                  const QString &path, const DocumentOpener &openDocument)
{
    QString error;
    {
        BusyCursor busy;
        frmGauge gauge(owner);
        gauge.show();
        const auto progress = [&gauge](int percent) {
            gauge.fill(percent);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        const QString target = path.isEmpty() ? temporaryDocument(&error) : path;
        if (!target.isEmpty() && exportSheetDocx(sheet, settings, target, &error, progress) && path.isEmpty()) {
            const QUrl url = QUrl::fromLocalFile(target);
            if (!(openDocument ? openDocument(url) : QDesktopServices::openUrl(url)))
                error = u"Das Word-Dokument »%1« ließ sich nicht öffnen: Für Word-Dokumente ist kein Programm "
                        u"eingerichtet."_s.arg(QDir::toNativeSeparators(target));
        }
    }
    // The progress window is gone and the cursor is back before the message asks for a click.
    if (error.isEmpty())
        return true;
    messages.show(error, QCoreApplication::applicationName(), MessageService::Icon::Critical,
                  MessageService::Buttons::Ok);
    return false;
}

} // namespace Tarvosk
