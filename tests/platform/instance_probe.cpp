// The program's single-instance code alone: prints its role, then hands PATH over or prints each path handed to it,
// sitting in a nested event loop as a modal question would: --settings FILE [--hand PATH] [--modal MS] [--quit-after N]

#include "platform/singleinstance.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

static void say(const QString &line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption settings(u"settings"_s, {}, u"file"_s), hand(u"hand"_s, {}, u"path"_s),
        modal(u"modal"_s, {}, u"ms"_s), quitAfter(u"quit-after"_s, {}, u"count"_s);
    parser.addOptions({settings, hand, modal, quitAfter});
    parser.process(app);

    SingleInstance instance(SingleInstance::serverPathFor(parser.value(settings)));
    const SingleInstance::Role role = instance.claim();
    say(role == SingleInstance::Role::Primary ? u"primary"_s
        : role == SingleInstance::Role::Secondary ? u"secondary"_s : u"failed"_s);
    if (role == SingleInstance::Role::Failed)
        return 2;
    if (role == SingleInstance::Role::Secondary) {
        const bool delivered = instance.handOff(parser.value(hand));
        say(delivered ? u"delivered"_s : u"lost"_s);
        return delivered ? 0 : 3;
    }

    const int modalMs = parser.value(modal).toInt(), quitCount = parser.value(quitAfter).toInt();
    int handled = 0;
    QObject::connect(&instance, &SingleInstance::handOffRequested, &app, [&](const QString &path) {
        say(u"begin "_s + path);
        if (modalMs > 0) {
            // As a modal question does: the event loop runs on while the user thinks.
            QEventLoop question;
            QTimer::singleShot(modalMs, &question, &QEventLoop::quit);
            question.exec();
        }
        say(u"end"_s);
        if (++handled == quitCount)
            QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
