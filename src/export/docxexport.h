#pragma once

#include "export/docxdocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace Tarvosk {

class CharacterSheet;
struct SheetStyle;
struct DocxFonts;

// The character sheet as a one-page A4 word-processor document (.docx): nine
// text boxes of tables with the sheet's captions, values and equipment lines
// in the fonts of the settings ("Headline", "Labels", "Values").

// The package's bytes; nothing, with the German reason, when zipping fails.
std::optional<QByteArray> sheetDocx(const CharacterSheet &sheet, const DocxFonts &fonts, QString *germanError = nullptr,
                                    const DocxDocument::Progress &progress = {});

// Writes the document to `path` whole or not at all: a failure leaves no
// half-written file and whatever stood at the path before. False, with one
// German sentence naming the reason, on failure.
bool exportSheetDocx(const CharacterSheet &sheet, const SheetStyle &style, const QString &path,
                     QString *germanError = nullptr, const DocxDocument::Progress &progress = {});

} // namespace Tarvosk
