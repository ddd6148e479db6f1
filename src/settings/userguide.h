#pragma once

#include <QString>
#include <QUrl>

namespace Tarvosk {

// The user guide, which stands in for the maker's web page: the copy installed beside the
// program in `programFolder`, else the one in the sources a build-folder run was built from;
// an empty address when there is neither.
QUrl userGuideUrl(const QString &programFolder);

} // namespace Tarvosk
