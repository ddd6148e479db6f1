#include "rules/singleline.h"

namespace Tarvosk {

QString singleLine(QString text)
{
    for (QChar &c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return text;
}

} // namespace Tarvosk
