#pragma once

#include <QString>

namespace Tarvosk {

// A field of one line never holds a line break or a tab: each becomes a blank,
// so nothing typed or pasted can break a file line or a settings entry.
QString singleLine(QString text);

} // namespace Tarvosk
