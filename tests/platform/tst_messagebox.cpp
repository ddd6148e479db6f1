#include "platform/messageboxservice.h"
#include "support/recordingmessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

using Answer = MessageService::Answer;
using Buttons = MessageService::Buttons;

class TestMessageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapeAndCloseBoxGiveTheNamedAnswer_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<std::optional<Answer>>("onEscape"); // none: the caller names no answer
        QTest::addColumn<QString>("action");
        QTest::addColumn<Answer>("answer");
        const auto row = [](const char *name, Buttons buttons, std::optional<Answer> onEscape, const QString &action,
                            Answer answer) { QTest::newRow(name) << buttons << onEscape << action << answer; };
        // The save question: Escape cancels; it stays a Yes/No box whose buttons answer.
        row("cancel on escape: Escape", Buttons::YesNo, Answer::Cancel, u"escape"_s, Answer::Cancel);
        row("cancel on escape: Ja", Buttons::YesNo, Answer::Cancel, u"yes"_s, Answer::Yes);
        row("yes on escape: Escape", Buttons::YesNo, Answer::Yes, u"escape"_s, Answer::Yes);
        row("unnamed: Escape", Buttons::YesNo, std::nullopt, u"escape"_s, Answer::No);
        // Ok and Yes/No/Cancel boxes give their own answer whatever the caller names.
        row("ok box: close box", Buttons::Ok, Answer::Cancel, u"close"_s, Answer::Ok);
        row("yes/no/cancel: Escape", Buttons::YesNoCancel, Answer::Yes, u"escape"_s, Answer::Cancel);
    }
    // The real box, answered as a user would: a key, the close box, a button.
    void escapeAndCloseBoxGiveTheNamedAnswer()
    {
        QFETCH(Buttons, buttons);
        QFETCH(std::optional<Answer>, onEscape);
        QFETCH(QString, action);
        QFETCH(Answer, answer);

        QStringList captions; // of the visible buttons
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            poll.stop();
            for (QAbstractButton *button : box->buttons()) {
                if (button->isVisible())
                    captions << button->text();
            }
            if (action == u"escape"_s)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (action == u"close"_s)
                box->close();
            else
                box->button(action == u"yes"_s ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        poll.start(10);
        const auto ask = [&](MessageService &messages) { // as the windows call it, with the interface's default
            const QString text = u"Charakter speichern ?"_s;
            return onEscape ? messages.show(text, u"Warnung"_s, MessageService::Icon::Question, buttons, *onEscape)
                            : messages.show(text, u"Warnung"_s, MessageService::Icon::Question, buttons);
        };
        MessageBoxService real;
        QCOMPARE(ask(real), answer);
        // German captions; the Cancel of a Yes/No box is never seen.
        captions.sort();
        QCOMPARE(captions.join(u' '), buttons == Buttons::Ok      ? u"OK"_s
                                      : buttons == Buttons::YesNo ? u"&Ja &Nein"_s
                                                                  : u"&Ja &Nein Abbrechen"_s);

        // The windows' tests answer through the double; Escape there gives what the real box gives.
        RecordingMessages recording;
        recording.answers = {action == u"yes"_s ? std::optional(Answer::Yes) : std::nullopt};
        QCOMPARE(ask(recording), answer);
        QCOMPARE(recording.shown.value(0).onEscape, onEscape.value_or(Answer::No));
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
