#include "platform/replacequestion.h"

#include "platform/messageservice.h"

#include <QDir>
#include <QFileInfo>

namespace Tarvosk {

using namespace Qt::StringLiterals;

bool mayReplaceFile(MessageService &messages, const QString &path, const QString &confirmed, const QString &title)
{
    if (path == confirmed || !QFileInfo::exists(path))
        return true;
    return messages.show(u"Die Datei »%1« gibt es schon.\nSoll sie ersetzt werden ?"_s.arg(QDir::toNativeSeparators(path)),
                         title, MessageService::Icon::Question, MessageService::Buttons::YesNo)
           == MessageService::Answer::Yes;
}

} // namespace Tarvosk
