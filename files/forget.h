#pragma once
// Forgetting a learned word: the dictionary file rewritten without the lines that hold it.
#include <QString>
#include <QStringView>

namespace files {

// The words of a dictionary without their order: how many, and the sum of their hashes. The
// list shown for the file and the file itself agree when they hold the same words.
struct WordTally {
    qsizetype count = 0;
    size_t hashes = 0;
    void add(QStringView word);
    bool operator==(const WordTally &) const = default;
};

// Takes out of the dictionary file every line that holds the word alone (as the reader takes
// it, so blanks around it or quotes too) and rewrites the file whole: after a failure or a
// crash it holds its old or its new content. Every other byte stays as it was, line ends and
// a last line without one included. Nothing is written, and the message says why, when the
// file cannot be read or written, when its words are no longer those `shown` for it (another
// program changed it), or when the word is not on lines of its own. `removed`: the lines taken out.
bool forgetWord(const QString &fileName, const QString &word, const WordTally &shown, int &removed, QString &error);

} // namespace files
