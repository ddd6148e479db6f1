#include "export/docxexport.h"

#include "export/docxfonts.h"
#include "export/docxpackage.h"
#include "export/docxparts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

bool fail(QString *germanError, const QString &text)
{
    if (germanError)
        *germanError = text;
    return false;
}

// Why the document cannot be written there, as far as the file system tells.
QString whyNotWritten(const QString &path, const QString &systemReason)
{
    const QFileInfo target(path);
    const QString folder = QDir::toNativeSeparators(target.absolutePath());
    if (target.isDir())
        return u"An dieser Stelle steht ein Ordner."_s;
    if (!QFileInfo(target.absolutePath()).isDir())
        return u"Den Ordner »%1« gibt es nicht."_s.arg(folder);
    if (!QFileInfo(target.absolutePath()).isWritable())
        return u"Im Ordner »%1« fehlen die Schreibrechte."_s.arg(folder);
    return u"Das Betriebssystem meldet: %1."_s.arg(systemReason);
}

} // namespace

std::optional<QByteArray> sheetDocx(const CharacterSheet &sheet, const DocxFonts &fonts, QString *germanError,
                                    const DocxDocument::Progress &progress)
{
    QString zipError;
    std::optional<QByteArray> bytes =
        DocxPackage::zip(DocxParts::package(DocxDocument::xml(sheet, fonts, progress)), &zipError);
    if (!bytes)
        fail(germanError, u"Das Word-Dokument ließ sich nicht zusammenstellen (%1)."_s.arg(zipError));
    return bytes;
}

bool exportSheetDocx(const CharacterSheet &sheet, const SettingsStore &settings, const QString &path,
                     QString *germanError, const DocxDocument::Progress &progress)
{
    if (path.isEmpty())
        return fail(germanError, u"Für das Word-Dokument ist kein Dateiname angegeben."_s);
    const std::optional<QByteArray> bytes = sheetDocx(sheet, docxFontsFromSettings(settings), germanError, progress);
    if (!bytes)
        return false;

    // A temporary file beside the target, renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        // The temporary file goes with `file`; the target is untouched.
        return fail(germanError, u"Das Word-Dokument »%1« ließ sich nicht schreiben. %2"_s
                                     .arg(QDir::toNativeSeparators(path), whyNotWritten(path, file.errorString())));
    }
    return true;
}

} // namespace Tarvosk
