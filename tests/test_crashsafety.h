#pragma once
// What the writer writes in its i-th step of a run, so that the test knows both what was
// reported written and what was on its way when the writer was killed.
#include "files/history.h"
#include "files/settings.h"
#include "progress/record/answerfile.h"

#include <QString>

namespace crashsafety {

// Which files the writer works on, and the kill test's rows.
inline const QStringList kModes = {QStringLiteral("settings"), QStringLiteral("words"), QStringLiteral("history"),
                                   QStringLiteral("answers"), QStringLiteral("all")};

inline files::Settings settingsAt(int run, int i)
{
    return {qint16(10 + (run * 7 + i) % 171), qint16((run + i) % 3)};
}

// Entry lengths vary widely, so that many appends cross a page boundary of the file: a
// write cut short by a kill is cut there.
inline int padding(int run, int i)
{
    return int((quint32(run * 100003 + i) * 2654435761u) >> 16) % 1200;
}

// Double-byte words, most of them long.
inline QString wordAt(int run, int i)
{
    static const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてと");
    QString word = QStringLiteral("しりとり");
    for (int n = run * 100000 + i; n > 0; n /= int(kana.size()))
        word += kana[n % kana.size()];
    return word + QString(padding(run, i), u'ら');
}

inline files::HistoryEntry recordAt(int run, int i)
{
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); };
    return {u"2010/04/"_qs + two(1 + run % 28),
            u"13:"_qs + two(i / 60 % 60) + u':' + two(i % 60),
            run,
            i % 32768,
            run % 100,
            (i * 3) % 32768,
            QStringLiteral("%1.0%").arg(i % 101),
            u"1.63/秒"_qs,
            QStringLiteral("%1秒").arg(10 + i % 171) + QString(padding(run, i) / 2, u'　')};
}

inline progress::AnswerRow answerAt(int run, int i)
{
    return {u"2010/04/01 13:05:09"_qs,
            u'る',
            wordAt(run, i),
            game::AnswerVerdict(i % 6),
            i,
            run,
            i % 3 ? std::optional(progress::Keystrokes{i, i / 2}) : std::nullopt};
}

} // namespace crashsafety
