#include "shell/displaycheck.h"

#include <QList>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace Tarvosk {

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage> s_held;

void holdOrEnd(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fputs(DisplayCheck::noDisplayText, stderr);
        std::_Exit(1);
    }
    s_held.append({type, QByteArray(context.category), text});
}

} // namespace

DisplayCheck::DisplayCheck()
    : m_previous(qInstallMessageHandler(holdOrEnd))
{
}

DisplayCheck::~DisplayCheck()
{
    qInstallMessageHandler(m_previous);
    for (const HeldMessage &message : std::exchange(s_held, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        if (m_previous)
            m_previous(message.type, context, message.text);
        else
            qt_message_output(message.type, context, message.text);
    }
}

} // namespace Tarvosk
