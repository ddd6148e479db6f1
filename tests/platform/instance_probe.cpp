// A start of the program reduced to its single-instance code, for the tests:
// it claims, prints its role, and as the running instance prints every path
// handed to it, optionally sitting in a nested event loop as a modal question would.
//
//   instance_probe --settings FILE [--hand PATH | --front] [--modal MS] [--quit-after N]

#include "platform/singleinstance.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

void say(const QString &line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption settings(u"settings"_s, {}, u"file"_s);
    const QCommandLineOption hand(u"hand"_s, {}, u"path"_s);
    const QCommandLineOption front(u"front"_s);
    const QCommandLineOption modal(u"modal"_s, {}, u"ms"_s, u"0"_s);
    const QCommandLineOption quitAfter(u"quit-after"_s, {}, u"count"_s, u"0"_s);
    parser.addOptions({settings, hand, front, modal, quitAfter});
    parser.process(app);

    SingleInstance instance(SingleInstance::serverPathFor(parser.value(settings)));
    switch (instance.claim()) {
    case SingleInstance::Role::Failed:
        say(u"failed"_s);
        return 2;
    case SingleInstance::Role::Secondary:
        say(u"secondary"_s);
        if (!parser.isSet(hand) && !parser.isSet(front))
            return 0;
        if (!instance.handOff(parser.value(hand))) {
            say(u"lost"_s);
            return 3;
        }
        say(u"delivered"_s);
        return 0;
    case SingleInstance::Role::Primary:
        say(u"primary"_s);
        break;
    }

    const int modalMs = parser.value(modal).toInt();
    const int quitCount = parser.value(quitAfter).toInt();
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
