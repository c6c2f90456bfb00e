#pragma once
// Romaji typed on a Latin keyboard, composed into hiragana the way a Japanese input method
// in hiragana mode does it. Pure text logic: the answer box feeds it keys and shows the result.
#include <QChar>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace platform {

// The romaji table: one mapping per line, "input<TAB>output[<TAB>pending]", '#' starts a
// comment. "pending" stays to be composed after the output, as "kk" gives っ and keeps "k".
class RomajiTable {
public:
    struct Rule {
        QString input;
        QString output;
        QString pending;
    };

    // Parses table text. Lines that are wrong are skipped and described in errors as
    // "<source> line <n>: <what is wrong>"; the rest of the table stays usable.
    static RomajiTable parse(QStringView text, const QString &source, QStringList *errors);

    // The table compiled into the program. Should it fail to load, the reason is logged once
    // and the table is empty: every letter is then kept as typed.
    static const RomajiTable &standard();

    // The rule for exactly this (lower-case) input, or null.
    const Rule *rule(const QString &input) const;
    // Whether some longer input begins with this one, so a further letter may still complete it.
    bool continues(const QString &input) const;
    const QList<Rule> &rules() const { return rules_; }

private:
    QList<Rule> rules_;
    QHash<QString, qsizetype> index_;
    QSet<QString> prefixes_;
};

class RomajiComposer {
public:
    explicit RomajiComposer(const RomajiTable &table = RomajiTable::standard());

    // Keys the composer takes: Latin letters, '-' and '\''. Everything else goes in as typed.
    static bool composes(QChar c);

    // Adds one key; returns the text it completes (often empty: the letters wait in pending()).
    QString feed(QChar c);
    // Completes whatever can be completed (a trailing "n" becomes ん) and returns it with the
    // letters that start no kana kept as typed. Nothing is pending afterwards.
    QString flush();
    // Removes the last pending letter; false when nothing is pending.
    bool backspace();
    void clear() { pending_.clear(); }
    // The letters typed but not yet composed, as typed (case kept).
    const QString &pending() const { return pending_; }

private:
    QString settle(bool final);

    const RomajiTable *table_;
    QString pending_;
};

} // namespace platform
