#include "sheet/sheetformat.h"

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

} // namespace Tarvosk
