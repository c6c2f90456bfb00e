// Build tool: turns the UTF-8 word list into the game's starting dictionary (CP932, CR LF),
// refusing every word that the game could not use. With --report it prints how well the
// words chain instead.
//
//   kanarinka-wordlist WORDS.txt DICTIONARY.txt
//   kanarinka-wordlist --report WORDS.txt
#include "platform/kana/kana.h"
#include "platform/text/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QStringDecoder>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr char16_t kLongMark = u'ー';

QString quoted(const QString &text)
{
    return u'「' + text + u'」';
}

// Why the game could not use this word, or an empty text when it can.
QString problemWith(const QString &word, const QString &outputName)
{
    if (word.isEmpty())
        return QStringLiteral("empty line");
    for (QChar c : word) {
        if (!platform::isWordKana(c))
            return QStringLiteral("%1 holds %2, which is neither hiragana nor ー: "
                                  "typed answers are hiragana, so it could never be matched")
                .arg(quoted(word), quoted(c));
    }
    const QChar last = word.back();
    if (last == u'ん' || last == kLongMark)
        return QStringLiteral("%1 ends in %2, which the game refuses as an answer").arg(quoted(word), quoted(last));
    QByteArray bytes;
    QString error;
    if (!platform::encodeCp932(word, outputName, bytes, error))
        return error;
    return {};
}

struct WordList {
    QStringList words;
    QStringList errors;
};

WordList readWordList(const QString &path, const QString &outputName)
{
    WordList list;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        list.errors << QStringLiteral("%1: cannot read: %2").arg(path, file.errorString());
        return list;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        list.errors << QStringLiteral("%1: not UTF-8 text").arg(path);
        return list;
    }
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the final line end
    QHash<QString, int> firstLine;
    for (int i = 0; i < lines.size(); ++i) {
        QString word = lines[i];
        if (word.endsWith(u'\r')) // a checkout that turned LF into CR LF
            word.chop(1);
        const int lineNo = i + 1;
        QString problem = problemWith(word, outputName);
        if (problem.isEmpty() && firstLine.contains(word))
            problem = QStringLiteral("%1 already stands on line %2").arg(quoted(word)).arg(firstLine.value(word));
        if (!problem.isEmpty()) {
            list.errors << QStringLiteral("%1:%2: %3").arg(path).arg(lineNo).arg(problem);
            continue;
        }
        firstLine.insert(word, lineNo);
        list.words << word;
    }
    return list;
}

// For every kana that can end a word, after the small kana are read as large ones: how many
// words end with it and how many begin with it (the computer's candidate replies).
void printReport(const WordList &list, QTextStream &out)
{
    QMap<QChar, int> ends, begins;
    for (char16_t u = u'ぁ'; u <= u'ゖ'; ++u) {
        const QChar tail = platform::normaliseSmallKana(QChar(u));
        if (tail != u'ん')
            ends.insert(tail, 0);
    }
    for (const QString &word : list.words) {
        ++ends[platform::normaliseSmallKana(word.back())];
        ++begins[word.front()];
    }
    out << "words: " << list.words.size() << "\nrefused: " << list.errors.size() << "\n\n";
    out << "tail\tending\tbeginning\n";
    QStringList deadEnds, unused;
    for (auto it = ends.cbegin(); it != ends.cend(); ++it) {
        const int beginning = begins.value(it.key());
        out << it.key() << '\t' << it.value() << '\t' << beginning << '\n';
        if (beginning == 0)
            (it.value() > 0 ? deadEnds : unused) << QString(it.key());
    }
    out << "\nwords end in, but none begins with: " << (deadEnds.isEmpty() ? u"-"_qs : deadEnds.join(u' '))
        << "\nno word begins with (none ends in either): " << (unused.isEmpty() ? u"-"_qs : unused.join(u' ')) << '\n';
}

int usage()
{
    std::fputs("usage: kanarinka-wordlist WORDS.txt DICTIONARY.txt\n"
               "       kanarinka-wordlist --report WORDS.txt\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 2)
        return usage();
    const bool report = args[0] == u"--report";
    const QString input = args[report ? 1 : 0];
    const QString output = report ? QString() : args[1];

    const WordList list = readWordList(input, QFileInfo(output).fileName());
    QTextStream err(stderr);
    for (const QString &error : list.errors)
        err << error << '\n';

    if (report) {
        QTextStream out(stdout);
        printReport(list, out);
        return list.errors.isEmpty() ? 0 : 1;
    }
    if (!list.errors.isEmpty()) {
        err << input << ": " << list.errors.size() << " word(s) refused; " << output << " was not written\n";
        return 1;
    }
    QString error;
    if (!QDir().mkpath(QFileInfo(output).path())
        || !platform::rewriteTextFile(output, list.words.join(u"\r\n"_qs) + u"\r\n"_qs, error)) {
        err << output << ": " << (error.isEmpty() ? u"cannot create the folder"_qs : error) << '\n';
        return 1;
    }
    return 0;
}
