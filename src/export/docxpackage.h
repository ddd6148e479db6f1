#pragma once

#include "export/docxparts.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace Tarvosk::DocxPackage {

// The parts zipped into one package, in memory. The same parts always give
// the same bytes (every entry is dated 1980-01-01, as word processors do).
// Nothing, with libzip's reason in `error`, when zipping fails.
std::optional<QByteArray> zip(const QList<DocxParts::Part> &parts, QString *error = nullptr);

} // namespace Tarvosk::DocxPackage
