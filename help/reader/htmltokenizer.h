#pragma once
// The tags of an HTML text, read the way QTextDocument's importer reads them: every "<" opens
// a tag, a quoted value may hold ">", a tag runs to the next ">" after its attributes. Reading
// the same tags as Qt is what lets a page be judged before Qt builds it. Linear in the text.
#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

namespace platform {

struct HtmlTag {
    enum Kind { Start, End, Other }; // Other: comments and <!...> declarations
    Kind kind = Other;
    QString name;                                  // lower case, entities resolved; may be empty
    QList<std::pair<QString, QString>> attributes; // keys in lower case
    bool selfClosing = false;                      // a "/" before the closing ">"

    QString attribute(QStringView key) const;
};

class HtmlTokenizer {
public:
    explicit HtmlTokenizer(QStringView text) : text_(text) {}

    // Skips text to the next tag and reads it; false at the end of the text.
    bool next(HtmlTag &tag);

private:
    void readTag(HtmlTag &tag);
    QString word();
    QString entity();
    void skipSpace();
    void skipPast(QChar c);
    bool at(QChar c, qsizetype ahead = 0) const;

    QStringView text_;
    qsizetype pos_ = 0;
};

} // namespace platform
