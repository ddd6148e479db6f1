#include "shell/batchcommands.h"

#include "shell/batchinput.h"

#include "roller/characterroller.h"
#include "roller/rollbatch.h"
#include "rules/characterrecord.h"
#include "rules/classcatalogue.h"
#include "rules/randomsource.h"
#include "sheet/sheetcomposition.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"
#include "storage/sheetstylereader.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

// More files than a game master wants in one evening is a typing slip.
constexpr int mostCharacters = 100000;

struct RollRequest
{
    const ClassEntry *entry = nullptr;
    QString target;
    bool female = false;
    bool quirk = false;
    int count = 1;
    // Seeds up to 15 digits are whole numbers exactly, so two of them never give the same dice.
    std::optional<qint64> seed;
};

// The request, or nothing with the German reason in `error`.
std::optional<RollRequest> parseRollArguments(const QStringList &arguments, QString &error)
{
    RollRequest request;
    QStringList words;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        if (optionsEnd || !word.startsWith(u'-') || word == u"-") {
            words << word;
            continue;
        }
        const QString name = word.section(u'=', 0, 0);
        const bool valueGiven = word.contains(u'=');
        if (name == u"--" && !valueGiven) {
            optionsEnd = true;
        } else if ((name == u"--female" || name == u"--quirk") && !valueGiven) {
            (name == u"--female" ? request.female : request.quirk) = true;
        } else if (name == u"--seed" || name == u"--count") {
            QString value;
            if (valueGiven)
                value = word.section(u'=', 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            if (name == u"--seed") {
                static const QRegularExpression seedPattern(u"^-?[0-9]{1,15}$"_s);
                if (!seedPattern.match(value).hasMatch()) {
                    error = u"--seed braucht eine ganze Zahl mit höchstens 15 Ziffern, nicht »%1«."_s.arg(value);
                    return std::nullopt;
                }
                request.seed = value.toLongLong();
            } else {
                bool isNumber = false;
                request.count = value.toInt(&isNumber);
                if (!isNumber || request.count < 1 || request.count > mostCharacters) {
                    error = u"--count braucht eine Anzahl von 1 bis %1, nicht »%2«."_s.arg(mostCharacters).arg(value);
                    return std::nullopt;
                }
            }
        } else {
            error = u"Unbekannte Option »%1« für --roll."_s.arg(word);
            return std::nullopt;
        }
    }
    if (words.size() != 2) {
        error = words.size() < 2 ? u"--roll braucht eine Klasse und ein Ziel: --roll KLASSE [--female] [--seed N] "
                                   u"[--count N] [--quirk] ZIEL."_s
                                 : u"--roll nimmt nur eine Klasse und ein Ziel, nicht »%1«."_s.arg(words.join(u' '));
        return std::nullopt;
    }
    request.entry = findClass(words[0]);
    if (!request.entry) {
        error = u"Die Klasse »%1« gibt es nicht; die Klassen sind: %2."_s.arg(words[0], classNames().join(u", "_s));
        return std::nullopt;
    }
    request.target = words[1];
    return request;
}

// Finished records from the dice to the writer, in batches, so the two
// threads meet seldom.
class RecordQueue
{
public:
    // False once the writer has stopped.
    bool put(const CharacterRecord &record)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_records.size() < capacity || m_stopped; });
        if (m_stopped)
            return false;
        m_records.push_back(record);
        if (m_records.size() == batchSize)
            m_changed.notify_all();
        return true;
    }
    // The records there are, in order; none when all are taken and no more come, or the writer stopped.
    std::vector<CharacterRecord> take()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_records.size() >= batchSize || m_finished || m_stopped; });
        std::vector<CharacterRecord> taken;
        if (!m_stopped)
            taken.swap(m_records);
        m_changed.notify_all();
        return taken;
    }
    void finish() { set(m_finished); }
    void stop() { set(m_stopped); }

private:
    static constexpr std::size_t batchSize = 64;
    static constexpr std::size_t capacity = 4 * batchSize;

    void set(bool &flag)
    {
        const std::lock_guard lock(m_mutex);
        flag = true;
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<CharacterRecord> m_records;
    bool m_finished = false;
    bool m_stopped = false;
};

} // namespace

int runRollCommand(const QStringList &arguments)
{
    QString error;
    const std::optional<RollRequest> request = parseRollArguments(arguments, error);
    if (!request)
        return refuseCommand(error);

    // The options and the currency of the user's settings, read once and never changed.
    const SettingsStore settings;
    const QStringList optionBlock = CharacterFile::optionBlock(readSheetStyle(settings));
    const int currency = settings.readNumber(Settings::Currency);

    SeededRandom random;
    random.seed(double(request->seed.value_or(QDateTime::currentMSecsSinceEpoch())));
    CharacterRoller roller(random, *request->entry, request->female, request->quirk);
    RollBatch batch(request->target, request->entry->name, request->count);
    if (!batch.open())
        return refuseCommand(batch.error());

    // The dice stay on this thread, in order; the sheets are composed and written
    // on a second one, in the same order, so a seed still gives the same files.
    RecordQueue queue;
    QString failure;
    std::thread writer([&] {
        for (std::vector<CharacterRecord> records = queue.take(); !records.empty(); records = queue.take()) {
            for (const CharacterRecord &record : records) {
                const QString path = batch.write(CharacterFile::encode(ComposeSheet(record, currency), optionBlock));
                if (path.isEmpty()) {
                    failure = batch.error();
                    queue.stop();
                    return;
                }
                std::fputs((QFile::encodeName(path) + '\n').constData(), stdout);
            }
        }
    });
    for (int i = 0; i < request->count && queue.put(roller.roll()); ++i) {
    }
    queue.finish();
    writer.join();
    if (!failure.isEmpty()) {
        batch.close(); // what was written before stays, and is put on the disk
        return refuseCommand(failure);
    }
    std::fflush(stdout);
    return batch.close() ? 0 : refuseCommand(batch.error());
}

} // namespace Tarvosk
