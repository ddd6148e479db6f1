#pragma once

#include <QString>

namespace Tarvosk {

class MessageService;

// The file dialog confirmed `confirmed`; the path made of it (its extension
// added) replaces an existing file only when the user says so. True when the
// path may be written; Escape keeps the file.
bool mayReplaceFile(MessageService &messages, const QString &path, const QString &confirmed, const QString &title);

} // namespace Tarvosk
