#pragma once

#include <QByteArray>
#include <QString>

namespace Tarvosk {

// The file's bytes; empty when it cannot be read.
QByteArray readAll(const QString &path);

// Writes the bytes as the whole file, making its folder first; false on failure.
bool writeFile(const QString &path, const QByteArray &content);

} // namespace Tarvosk
