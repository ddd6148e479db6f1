#pragma once

#include "storage/filetyperegistration.h"

#include <QByteArray>

#include <array>

namespace Tarvosk {

// The icon of character files on the desktop: one of the program's four
// pictures, in the place the file type's registration names for it.
class DesktopFileIcon
{
public:
    DesktopFileIcon(DesktopPaths paths, std::array<QByteArray, 4> pictures);

    // Character files are of the program's own type.
    bool isRegistered() const;
    // The picture the files show: 0..3, and 0 when the type is not
    // registered or shows none of the four.
    int current() const;
    // Character files show picture n from now on; false when the type is
    // not registered or the icon cannot be written.
    bool choose(int n) const;

private:
    FileTypeRegistration m_registration;
    std::array<QByteArray, 4> m_pictures;
};

} // namespace Tarvosk
