#pragma once

#include "export/docxparts.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace Tarvosk::DocxPackage {

// The parts zipped into one package, in memory. The same parts always give
// the same bytes (every entry is dated 1980-01-01, as word processors do).
// Nothing, with the reason in German in `error`, when zipping fails. Written
// here with zlib: a library of its own (and the cryptography it brings) would
// load at every start of the program for an export only.
std::optional<QByteArray> zip(const QList<DocxParts::Part> &parts, QString *error = nullptr);

} // namespace Tarvosk::DocxPackage
