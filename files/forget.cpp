#include "forget.h"

#include "delimited.h"
#include "platform/text/textfile.h"

#include <QCoreApplication>
#include <QHashFunctions>

namespace files {
namespace {

// Where the line from `from` ends, before its line end (CR LF, LF or CR, as the reader
// counts lines); `next` is where the following line begins. Bytes and decoded text break at
// the same lines: CP932 never uses CR or LF inside a two-byte character.
template <typename View>
qsizetype lineEnd(View text, qsizetype from, qsizetype &next)
{
    qsizetype end = from;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    next = end;
    if (next < text.size() && text[next] == '\r')
        ++next;
    if (next < text.size() && text[next] == '\n')
        ++next;
    return end;
}

template <typename Visit>
void forEachWord(QStringView text, Visit visit)
{
    ValueScanner<QStringView> scanner(text);
    while (!scanner.atEnd()) {
        const Span value = scanner.next();
        visit(text.sliced(value.start, value.size));
    }
}

bool holdsOnly(QStringView line, QStringView word)
{
    ValueScanner<QStringView> scanner(line);
    if (scanner.atEnd())
        return false;
    const Span value = scanner.next();
    return line.sliced(value.start, value.size) == word && scanner.atEnd();
}

// Whether `after` reads as `before` with every `word` left out: no line removed was part of a
// quoted value that runs over several lines, and no copy of the word is left on a shared line.
bool readsAsWithout(QStringView before, QStringView after, QStringView word)
{
    ValueScanner<QStringView> kept(after);
    bool same = true;
    forEachWord(before, [&](QStringView value) {
        if (!same || value == word)
            return;
        if (kept.atEnd()) {
            same = false;
            return;
        }
        const Span next = kept.next();
        same = after.sliced(next.start, next.size) == value;
    });
    return same && kept.atEnd();
}

} // namespace

void WordTally::add(QStringView word)
{
    ++count;
    hashes += qHash(word, size_t(0));
}

bool forgetWord(const QString &fileName, const QString &word, const WordTally &shown, int &removed, QString &error)
{
    removed = 0;
    QByteArray bytes;
    QString text;
    if (!platform::readFileBytes(fileName, bytes, error) || !platform::decodeCp932(bytes, fileName, text, error))
        return false;
    WordTally inFile;
    forEachWord(text, [&inFile](QStringView value) { inFile.add(value); });
    if (inFile != shown) {
        error =
            QCoreApplication::translate("Files",
                                        "「%1」がカナリンカの起動後にほかのプログラムで書き換えられたため、"
                                        "一覧の言葉と合いません。カナリンカを起動し直してから、もう一度選んでください。")
                .arg(fileName);
        return false;
    }

    // The lines kept, as bytes to write and as text to check.
    QByteArray keptBytes;
    QString keptText;
    keptBytes.reserve(bytes.size());
    keptText.reserve(text.size());
    int taken = 0;
    qsizetype t = 0, b = 0;
    for (qsizetype tNext = 0, bNext = 0; t < text.size(); t = tNext, b = bNext) {
        const qsizetype tEnd = lineEnd(QStringView(text), t, tNext);
        lineEnd(QByteArrayView(bytes), b, bNext);
        if (holdsOnly(QStringView(text).sliced(t, tEnd - t), word)) {
            ++taken;
        } else {
            keptText += QStringView(text).sliced(t, tNext - t);
            keptBytes += QByteArrayView(bytes).sliced(b, bNext - b);
        }
    }
    if (b != bytes.size()) { // the bytes broke into other lines than their text: leave the file alone
        error = QCoreApplication::translate("Files", "「%1」の行を読み分けられません。").arg(fileName);
        return false;
    }
    if (taken == 0 || !readsAsWithout(text, keptText, word)) {
        error = QCoreApplication::translate("Files",
                                            "「%1」の「%2」は 1 行に 1 語の形で書かれていないため、ここでは消せません。"
                                            "テキストエディターで直してください。")
                    .arg(fileName, word);
        return false;
    }
    if (!platform::rewriteFileBytes(fileName, keptBytes, error))
        return false;
    removed = taken;
    return true;
}

} // namespace files
