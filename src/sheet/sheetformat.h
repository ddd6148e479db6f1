#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace Tarvosk {

class CharacterSheet;
struct SheetStyle;

// A kind of file the sheet is written as: the character file, the Word
// document, the PDF. The save dialog's types and the commands without a
// window are made from one list of these; a new format is one class and one
// line in that list.
class SheetFormat
{
public:
    // Steps of a long write, in percent.
    using Progress = std::function<void(int percent)>;

    virtual ~SheetFormat();

    // The save dialog's type, "Word Dokument (*.docx)".
    virtual QString description() const = 0;
    // ".docx": appended to a name that lacks it.
    virtual QString extension() const = 0;

    // Writes the sheet in this format to the device. False, with one German
    // sentence in `error`, when it cannot be made; the device is then left
    // to the caller to throw away.
    virtual bool write(const CharacterSheet &sheet, const SheetStyle &style, QIODevice &device, QString &error,
                       const Progress &progress = {}) const = 0;

    // What the command without a window named after the extension ("--docx")
    // does, for --help; empty where the format has no such command.
    virtual QString commandDescription() const;

    // The dialog's filter entry, "Word Dokument (*.docx)|*.docx".
    QString filter() const;

protected:
    // The format's bytes onto the device; false, with the device's reason, when it takes less.
    static bool put(QIODevice &device, const QByteArray &bytes, QString &error);
};

} // namespace Tarvosk
