#include "romaji.h"

#include <QFile>
#include <QLoggingCategory>

#include <algorithm>

// Resources of a static library are only linked in when something names them.
static void initRomajiResource()
{
    Q_INIT_RESOURCE(romaji);
}

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcRomaji, "kanarinka.romaji")

bool isLetterKey(QChar c)
{
    return (c >= u'a' && c <= u'z') || c == u'-' || c == u'\'';
}

bool allLetterKeys(QStringView s)
{
    return std::all_of(s.begin(), s.end(), isLetterKey);
}

} // namespace

RomajiTable RomajiTable::parse(QStringView text, const QString &source, QStringList *errors)
{
    RomajiTable table;
    QHash<QString, int> lineOf;
    int lineNo = 0;
    for (QStringView line : text.tokenize(u'\n')) {
        ++lineNo;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        auto fail = [&](const QString &what) {
            if (errors)
                errors->append(QStringLiteral("%1 line %2: %3").arg(source).arg(lineNo).arg(what));
        };
        const QList<QStringView> fields = line.split(u'\t');
        if (fields.size() < 2 || fields.size() > 3) {
            fail(QStringLiteral("expected input, output and an optional pending part, separated by tabs"));
            continue;
        }
        Rule rule{fields[0].toString(), fields[1].toString(), fields.size() == 3 ? fields[2].toString() : QString()};
        if (rule.input.isEmpty() || !allLetterKeys(rule.input)) {
            fail(QStringLiteral("the input \"%1\" must be lower-case Latin letters, '-' or '''").arg(rule.input));
            continue;
        }
        if (rule.output.isEmpty()) {
            fail(QStringLiteral("the input \"%1\" has no output").arg(rule.input));
            continue;
        }
        // A pending part as long as its input would compose forever.
        if (!allLetterKeys(rule.pending) || rule.pending.size() >= rule.input.size()) {
            fail(QStringLiteral("the pending part \"%1\" must be letters and shorter than \"%2\"")
                     .arg(rule.pending, rule.input));
            continue;
        }
        if (const auto seen = lineOf.constFind(rule.input); seen != lineOf.cend()) {
            fail(QStringLiteral("\"%1\" is already mapped on line %2").arg(rule.input).arg(*seen));
            continue;
        }
        lineOf.insert(rule.input, lineNo);
        table.index_.insert(rule.input, table.rules_.size());
        for (qsizetype n = 1; n < rule.input.size(); ++n)
            table.prefixes_.insert(rule.input.left(n));
        table.rules_.append(std::move(rule));
    }
    return table;
}

const RomajiTable &RomajiTable::standard()
{
    static const RomajiTable table = [] {
        initRomajiResource();
        const QString name = QStringLiteral("romaji.txt");
        QFile file(QStringLiteral(":/platform/romaji.txt"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qCWarning(lcRomaji).noquote() << name << "cannot be read:" << file.errorString();
            return RomajiTable();
        }
        QStringList errors;
        RomajiTable parsed = parse(QString::fromUtf8(file.readAll()), name, &errors);
        for (const QString &e : std::as_const(errors))
            qCWarning(lcRomaji).noquote() << e;
        return parsed;
    }();
    return table;
}

const RomajiTable::Rule *RomajiTable::rule(const QString &input) const
{
    const auto it = index_.constFind(input);
    return it == index_.cend() ? nullptr : &rules_[*it];
}

bool RomajiTable::continues(const QString &input) const
{
    return prefixes_.contains(input);
}

RomajiComposer::RomajiComposer(const RomajiTable &table) : table_(&table) {}

bool RomajiComposer::composes(QChar c)
{
    return isLetterKey(c) || (c >= u'A' && c <= u'Z');
}

QString RomajiComposer::feed(QChar c)
{
    pending_ += c;
    return settle(false);
}

QString RomajiComposer::flush()
{
    return settle(true);
}

bool RomajiComposer::backspace()
{
    if (pending_.isEmpty())
        return false;
    pending_.chop(1);
    return true;
}

// Takes from the front of pending_ everything that is decided. Unless final, letters that a
// further key could still extend wait. Each round shortens pending_, since a rule's pending
// part is shorter than its input.
QString RomajiComposer::settle(bool final)
{
    QString out;
    while (!pending_.isEmpty()) {
        // Caps Lock or Shift should not stop composing.
        const QString key = pending_.toLower();
        if (!final && table_->continues(key))
            break;
        if (const RomajiTable::Rule *r = table_->rule(key)) {
            out += r->output;
            pending_ = r->pending;
            continue;
        }
        // The letters continue no input: take the longest complete one in front ("nk" gives ん
        // and keeps "k"), or keep the first letter as typed when none starts there ("q").
        qsizetype n = key.size() - 1;
        while (n > 0 && !table_->rule(key.left(n)))
            --n;
        if (n > 0) {
            const RomajiTable::Rule *r = table_->rule(key.left(n));
            out += r->output;
            pending_ = r->pending + pending_.mid(n);
        } else {
            out += pending_.front();
            pending_.remove(0, 1);
        }
    }
    return out;
}

} // namespace platform
