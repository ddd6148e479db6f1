#include "platform/messageboxservice.h"
#include "support/recordingmessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

using Answer = MessageService::Answer;
using Buttons = MessageService::Buttons;

namespace {

// Waits for the message box to come up, then answers it; the captions of its visible buttons go to `captions`.
void whenUp(QStringList &captions, std::function<void(QMessageBox &)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &captions, answer = std::move(answer)] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        for (QAbstractButton *button : box->buttons()) {
            if (button->isVisible())
                captions << button->text();
        }
        answer(*box);
    });
    poll->start(10);
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapeAndCloseBoxGiveTheNamedAnswer_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<bool>("named"); // whether the caller names the answer to Escape
        QTest::addColumn<Answer>("onEscape");
        QTest::addColumn<QString>("action");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("captions");

        const QStringList yesNo{u"&Ja"_s, u"&Nein"_s};
        const QStringList all{u"&Ja"_s, u"&Nein"_s, u"Abbrechen"_s}; // sorted, as the test compares them
        // The save question: Escape and the close box cancel, and it stays a Yes/No box.
        QTest::newRow("cancel on escape: Escape") << Buttons::YesNo << true << Answer::Cancel << u"escape"_s
                                                  << Answer::Cancel << yesNo;
        QTest::newRow("cancel on escape: close box") << Buttons::YesNo << true << Answer::Cancel << u"close"_s
                                                     << Answer::Cancel << yesNo;
        QTest::newRow("cancel on escape: Ja") << Buttons::YesNo << true << Answer::Cancel << u"yes"_s
                                              << Answer::Yes << yesNo;
        QTest::newRow("cancel on escape: Nein") << Buttons::YesNo << true << Answer::Cancel << u"no"_s
                                                << Answer::No << yesNo;
        QTest::newRow("unnamed: Escape") << Buttons::YesNo << false << Answer::No << u"escape"_s << Answer::No
                                         << yesNo;
        QTest::newRow("unnamed: close box") << Buttons::YesNo << false << Answer::No << u"close"_s << Answer::No
                                            << yesNo;
        QTest::newRow("unnamed: Ja") << Buttons::YesNo << false << Answer::No << u"yes"_s << Answer::Yes << yesNo;
        QTest::newRow("yes on escape: Escape") << Buttons::YesNo << true << Answer::Yes << u"escape"_s
                                               << Answer::Yes << yesNo;
        QTest::newRow("yes on escape: Nein") << Buttons::YesNo << true << Answer::Yes << u"no"_s << Answer::No
                                             << yesNo;
        QTest::newRow("ok box: Escape") << Buttons::Ok << false << Answer::No << u"escape"_s << Answer::Ok
                                        << QStringList{u"OK"_s};
        QTest::newRow("ok box: close box") << Buttons::Ok << true << Answer::Cancel << u"close"_s << Answer::Ok
                                           << QStringList{u"OK"_s};
        QTest::newRow("yes/no/cancel: Escape") << Buttons::YesNoCancel << false << Answer::No << u"escape"_s
                                               << Answer::Cancel << all;
        QTest::newRow("yes/no/cancel: close box") << Buttons::YesNoCancel << true << Answer::Yes << u"close"_s
                                                  << Answer::Cancel << all;
    }
    // The real box, answered as a user would: a key, the close box, a button.
    void escapeAndCloseBoxGiveTheNamedAnswer()
    {
        QFETCH(Buttons, buttons);
        QFETCH(bool, named);
        QFETCH(Answer, onEscape);
        QFETCH(QString, action);
        QFETCH(Answer, answer);
        QFETCH(QStringList, captions);

        QStringList shownCaptions;
        whenUp(shownCaptions, [action](QMessageBox &box) {
            if (action == u"escape"_s)
                QTest::keyClick(&box, Qt::Key_Escape);
            else if (action == u"close"_s)
                box.close();
            else
                box.button(action == u"yes"_s ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        MessageBoxService real;
        MessageService &messages = real; // as the windows call it, with the interface's default
        const Answer given = named ? messages.show(u"Charakter speichern ?"_s, u"Warnung"_s,
                                                   MessageService::Icon::Question, buttons, onEscape)
                                   : messages.show(u"Charakter speichern ?"_s, u"Warnung"_s,
                                                   MessageService::Icon::Question, buttons);
        QCOMPARE(given, answer);
        shownCaptions.sort();
        QCOMPARE(shownCaptions, captions);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The windows' tests answer through the double; Escape there gives what the real box gives.
    void recordingDoubleKnowsTheEscapeAnswer()
    {
        RecordingMessages recording;
        MessageService &messages = recording;
        recording.answers = {std::nullopt, Answer::No, std::nullopt, std::nullopt};
        QCOMPARE(messages.show(u"Charakter speichern ?"_s, u"Warnung"_s, MessageService::Icon::Question,
                               Buttons::YesNo, Answer::Cancel),
                 Answer::Cancel);
        QCOMPARE(messages.show(u"a"_s, u"b"_s, MessageService::Icon::Question, Buttons::YesNo, Answer::Cancel),
                 Answer::No);
        QCOMPARE(messages.show(u"a"_s, u"b"_s, MessageService::Icon::Question, Buttons::YesNo), Answer::No);
        QCOMPARE(messages.show(u"a"_s, u"b"_s, MessageService::Icon::Information, Buttons::Ok), Answer::Ok);
        QCOMPARE(messages.show(u"a"_s, u"b"_s, MessageService::Icon::Question, Buttons::YesNo), Answer::Yes);
        QCOMPARE(recording.shown.size(), 5);
        QCOMPARE(recording.shown[0].onEscape, Answer::Cancel);
        QCOMPARE(recording.shown[1].onEscape, Answer::Cancel);
        QCOMPARE(recording.shown[2].onEscape, Answer::No);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
