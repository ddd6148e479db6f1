#include "platform/installedfonts.h"

#include <QFontDatabase>

#include <array>
#include <utility>

namespace Tarvosk {

QStringList installedFontNames()
{
    // Liberation's fontconfig aliases map these names onto its faces.
    static const std::array<std::pair<QStringView, QStringView>, 3> metricAliases{{
        {u"Times New Roman", u"Liberation Serif"},
        {u"Arial", u"Liberation Sans"},
        {u"Courier New", u"Liberation Mono"},
    }};

    QStringList names = QFontDatabase::families();
    for (const auto &[alias, face] : metricAliases) {
        if (!names.contains(alias, Qt::CaseInsensitive) && names.contains(face, Qt::CaseInsensitive))
            names.append(alias.toString());
    }
    return names;
}

} // namespace Tarvosk
