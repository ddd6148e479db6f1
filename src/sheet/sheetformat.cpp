#include "sheet/sheetformat.h"

#include <QIODevice>

namespace Tarvosk {

using namespace Qt::StringLiterals;

SheetFormat::~SheetFormat() = default;

QString SheetFormat::commandDescription() const
{
    return {};
}

QString SheetFormat::filter() const
{
    return description() + u"|*"_s + extension();
}

bool SheetFormat::put(QIODevice &device, const QByteArray &bytes, QString &error)
{
    if (device.write(bytes) == bytes.size())
        return true;
    error = device.errorString();
    return false;
}

} // namespace Tarvosk
