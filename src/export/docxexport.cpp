#include "export/docxexport.h"

#include "export/docxfonts.h"
#include "export/docxpackage.h"
#include "export/docxparts.h"
#include "storage/filewrite.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

bool fail(QString *germanError, const QString &text)
{
    if (germanError)
        *germanError = text;
    return false;
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

bool exportSheetDocx(const CharacterSheet &sheet, const SheetStyle &style, const QString &path,
                     QString *germanError, const DocxDocument::Progress &progress)
{
    if (path.isEmpty())
        return fail(germanError, u"Für das Word-Dokument ist kein Dateiname angegeben."_s);
    const std::optional<QByteArray> bytes = sheetDocx(sheet, docxFontsFromStyle(style), germanError, progress);
    if (!bytes)
        return false;

    if (const std::optional<FileError> failure = writeFileWhole(path, *bytes))
        return fail(germanError, failure->writeSentence());
    return true;
}

} // namespace Tarvosk
