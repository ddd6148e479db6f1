#include "sheetwindow/wordexport.h"

#include "sheetwindow/frmgauge.h"
#include "platform/messageservice.h"
#include "session/charactersession.h"
#include "sheet/sheetformat.h"

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

bool exportToWord(QWidget *owner, CharacterSession &session, const DocumentOpener &openDocument)
{
    const SheetFormat *docx = session.format(u".docx");
    if (!docx)
        return false;
    QString error;
    QString target;
    bool written = false;
    {
        BusyCursor busy;
        frmGauge gauge(owner);
        gauge.show();
        const auto progress = [&gauge](int percent) {
            gauge.fill(percent);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        target = temporaryDocument(&error);
        written = !target.isEmpty() && session.exportSheet(*docx, target, progress, &error);
        const QUrl url = QUrl::fromLocalFile(target);
        if (written && (openDocument ? openDocument(url) : QDesktopServices::openUrl(url)))
            return true;
        if (written)
            error = u"Das Word-Dokument »%1« ließ sich nicht öffnen: Für Word-Dokumente ist kein Programm "
                    u"eingerichtet."_s.arg(QDir::toNativeSeparators(target));
    }
    // The progress window is gone and the cursor is back before the message asks for a click.
    if (!error.isEmpty())
        session.messages().show(error, QCoreApplication::applicationName(), MessageService::Icon::Critical,
                                MessageService::Buttons::Ok);
    return false;
}

} // namespace Tarvosk
