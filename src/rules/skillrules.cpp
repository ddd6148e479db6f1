#include "rules/skillrules.h"

#include "rules/numerictext.h"

#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

// The value codes of the prerequisites, the field each reads and its name in messages.
struct ValueCode
{
    QStringView code;
    Values::Code value;
    QStringView name;
};

constexpr std::array<ValueCode, 7> valueCodes{{
    {u"ST", Values::Code::St, u"Die Stärke"},
    {u"GS", Values::Code::Gs, u"Die Geschicklichkeit"},
    {u"GW", Values::Code::Gw, u"Die Gewandtheit"},
    {u"KO", Values::Code::Ko, u"Die Konstitution"},
    {u"IN", Values::Code::In, u"Die Intelligenz"},
    {u"PA", Values::Code::pA, u"Die persönliche Ausstrahlung"},
    {u"RW", Values::Code::RW, u"Der Reaktionswert"},
}};

const QString tooLow = u" ist für diese Fähigkeit nicht ausreichend."_s;
const QString tooHigh = u" ist für diese Fähigkeit zu hoch."_s;

// The skills whose sharpshooting may be learnt, one sharpshooting line each.
const QStringList missileSkills = {
    u"PISTOLE"_s, u"GEWEHR"_s, u"FLINTE"_s, u"BOGEN"_s, u"WURFAXT"_s, u"WURFMESSER"_s, u"WURFSPEER"_s,
};

const QString speaking = u"SPRECHEN"_s;
const QString writing = u"SCHREIBEN"_s;
const QString riding = u"REITEN"_s;
const QString mountedCombat = u"KAMPF ZU PFERD"_s;
const QString mountedShooting = u"SCHIEßEN ZU PFERD"_s;
const QString fencing = u"FECHTEN"_s;
const QString epee = u"DEGEN"_s;
const QString foil = u"FLORETT"_s;
const QString sharpshooting = u"SCHARFSCHIEßEN"_s;
// The given school lines: the character has them from the start.
const QStringList givenKeys = {
    u"MUTTERSPRACHE: SCHREIBEN"_s, u"MUTTERSPRACHE: SPRECHEN"_s, u"AUSWEICHEN"_s, u"ABWEHR"_s,
};

// Below U+0149 every letter upper-cases to one letter, and "ß" to itself (it
// has no upper case of its own), so such a text is upper-cased letter by
// letter, at a fraction of the cost of QString::toUpper.
bool upperCasedLetterByLetter(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x149; });
}

QChar upperLetter(QChar c)
{
    const char16_t letter = c.unicode();
    if (letter >= u'a' && letter <= u'z')
        return QChar(char16_t(letter - (u'a' - u'A')));
    return letter < 0x80 ? c : c.toUpper();
}

using KeyBuffer = QVarLengthArray<QChar, 64>;

// The name key of a caption as nameKey makes it, in the buffer where it is
// upper-cased letter by letter, so that counting, done on every click, allocates nothing.
QStringView upperKeyOf(const QString &caption, KeyBuffer &buffer, QString &longWay)
{
    const qsizetype plus = caption.indexOf(u'+');
    const QStringView line = plus < 0 ? QStringView(caption) : QStringView(caption).left(plus);
    if (!upperCasedLetterByLetter(line)) {
        longWay = nameKey(caption);
        return longWay;
    }
    buffer.resize(line.size());
    std::transform(line.begin(), line.end(), buffer.begin(), upperLetter);
    return QStringView(buffer.data(), buffer.size());
}

RuleVerdict refuse(const QString &message)
{
    return {message};
}

bool containsAny(const QString &key, const QStringList &names)
{
    for (const QString &name : names) {
        if (key.contains(name))
            return true;
    }
    return false;
}

int countAll(const CharacterRecord &record, const QStringList &names)
{
    int sum = 0;
    for (const QString &name : names)
        sum += CountLearnt(record, name);
    return sum;
}

const ValueCode *valueCodeOf(QStringView prerequisite)
{
    const QStringView letters = prerequisite.left(2);
    // ASCII letters, as the tables have, are compared without an upper-cased copy.
    const bool ascii = std::all_of(letters.begin(), letters.end(), [](QChar c) { return c.unicode() < 0x80; });
    const QString upper = ascii ? QString() : upperKeepingSharpS(letters.toString());
    for (const ValueCode &valueCode : valueCodes) {
        if (ascii ? letters.compare(valueCode.code, Qt::CaseInsensitive) == 0 : upper == valueCode.code)
            return &valueCode;
    }
    return nullptr;
}

} // namespace

std::optional<Values::Code> prerequisiteCode(QStringView prerequisite)
{
    const ValueCode *code = valueCodeOf(prerequisite);
    return code ? std::optional(code->value) : std::nullopt;
}

namespace {

double valueOf(const CharacterRecord &record, const ValueCode &code)
{
    return leadingNumber(record.valueText(code.value));
}

// The text between the first "(" and the ")" after it: the prerequisites, separated by ",".
QStringView prerequisiteText(const QString &caption)
{
    const QStringView inside = QStringView(caption).mid(caption.indexOf(u'(') + 1);
    const qsizetype close = inside.indexOf(u')');
    return close < 0 ? inside : inside.left(close);
}

// Four characters ("In31") are a minimum; five or more ("pA<81") a maximum.
// Unknown codes are skipped.
RuleVerdict checkPrerequisites(const CharacterRecord &record, const QString &caption)
{
    for (const QStringView part : prerequisiteText(caption).tokenize(u',')) {
        const QStringView prerequisite = part.trimmed();
        const ValueCode *code = valueCodeOf(prerequisite);
        if (!code)
            continue;
        const double threshold = leadingNumber(prerequisite.right(2));
        const double value = valueOf(record, *code);
        if (prerequisite.size() < 5) {
            if (value < threshold)
                return refuse(code->name.toString() + tooLow);
        } else if (value > threshold) {
            return refuse(code->name.toString() + tooHigh);
        }
    }
    return {};
}

RuleVerdict checkBetweenSkills(const CharacterRecord &record, const QString &key)
{
    // Every speaking line allows one writing line.
    if (key.contains(writing)) {
        if (CountLearnt(record, speaking) - CountLearnt(record, writing) >= 1)
            return {};
        return refuse(u"Bevor sie Schreiben lernen können, müssen sie Sprechen lernen. "
                      u"Je Sprechen können sie dann ein weiteres mal Schreiben lernen."_s);
    }
    if (key.contains(speaking))
        return {};

    if (key.contains(mountedCombat) && CountLearnt(record, riding) == 0)
        return refuse(u"Sie müssen erst Reiten lernen um Kampf zu Pferd lernen zu können."_s);
    if (key.contains(mountedShooting) && CountLearnt(record, riding) == 0)
        return refuse(u"Sie müssen erst Reiten lernen um Schießen zu Pferd lernen zu können."_s);
    if (key.contains(fencing) && CountLearnt(record, epee) + CountLearnt(record, foil) == 0)
        return refuse(u"Dazu müssen Sie erst Degen oder Florett lernen."_s);

    // Sharpshooting is learnt once per missile skill; every other skill once
    // in all lists together.
    if (!key.contains(sharpshooting)) {
        if (CountLearnt(record, key) >= 1)
            return refuse(u"Sie haben diese Fähigkeit bereits gelernt."_s);
        return {};
    }
    if (CountLearnt(record, sharpshooting) < countAll(record, missileSkills))
        return {};
    return refuse(u"Scharfschießen kann nur zu einer Schuß- oder Wurffähigkeit gelernt werden "
                  u"(je Fähigkeit extra)."_s);
}

} // namespace

QString upperKeepingSharpS(const QString &text)
{
    if (upperCasedLetterByLetter(text)) {
        QString upper(text.size(), Qt::Uninitialized);
        std::transform(text.begin(), text.end(), upper.begin(), upperLetter);
        return upper;
    }
    QStringList parts = text.split(u'ß');
    for (QString &part : parts)
        part = part.toUpper();
    return parts.join(u'ß');
}

QString nameKey(const QString &caption)
{
    const qsizetype plus = caption.indexOf(u'+');
    return upperKeepingSharpS(plus < 0 ? caption : caption.left(plus));
}

const SkillList &schoolListOfSex(const CharacterRecord &record)
{
    return record.schoolList();
}

int CountLearnt(const CharacterRecord &record, const QString &upperName)
{
    int count = 0;
    KeyBuffer buffer;
    QString longWay;
    for (const SkillList *list : {&record.untypical, &schoolListOfSex(record), &record.classSkills}) {
        for (const SkillRow &row : *list) {
            if (!row.learnt)
                continue;
            const QStringView key = upperKeyOf(row.caption, buffer, longWay);
            if (!key.contains(upperName))
                continue;
            // An upper-cased multiplicity prefix ("2X ") in the first four characters.
            if (key.size() > 3 && key.left(4).contains(u"X "))
                count += static_cast<int>(leadingNumber(key.left(key.indexOf(u'X'))));
            else
                ++count;
        }
    }
    return count;
}

RuleVerdict CheckLearn(const CharacterRecord &record, const QString &caption)
{
    if (caption.contains(u'(')) {
        const RuleVerdict verdict = checkPrerequisites(record, caption);
        if (!verdict.allowed())
            return verdict;
    }
    return checkBetweenSkills(record, nameKey(caption));
}

RuleVerdict CheckUnlearn(const CharacterRecord &record, const QString &caption)
{
    // The line is still learnt here, so every count includes it.
    const QString key = nameKey(caption);

    if (containsAny(key, missileSkills)) {
        const int sharpshootingLines = CountLearnt(record, sharpshooting);
        if (sharpshootingLines > 0 && countAll(record, missileSkills) <= sharpshootingLines)
            return refuse(u"Demarkieren sie zuerst die Fähigkeit Scharfschießen."_s);
    }
    if (key.contains(speaking) && CountLearnt(record, writing) == CountLearnt(record, speaking))
        return refuse(u"Sie müssen erst das zugehörige Schreiben demarkieren."_s);
    if (key.contains(riding)) {
        if (CountLearnt(record, mountedCombat) > 0)
            return refuse(u"Sie müssen erst Kampf zu Pferd demarkieren."_s);
        if (CountLearnt(record, mountedShooting) > 0)
            return refuse(u"Sie müssen erst Schießen zu Pferd demarkieren."_s);
    }
    // Fencing needs a blade; which of the two stays is not looked at.
    if ((key.contains(epee) || key.contains(foil)) && CountLearnt(record, fencing) > 0)
        return refuse(u"Demarkieren Sie zuerst Degen oder Florett."_s);
    if (containsAny(key, givenKeys))
        return refuse(u"Sie müssen diese Fähigkeit lernen um Andere lernen zu können."_s);
    return {};
}

} // namespace Tarvosk
