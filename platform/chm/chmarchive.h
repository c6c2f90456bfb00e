#pragma once
// A compiled HTML help file (.chm) read whole through chmlib: its stored files, its title,
// default topic and table of contents.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

namespace platform {

// One line of the table of contents, with the lines nested under it.
struct ContentsEntry {
    QString name;
    QString local; // the topic as written in the contents file; may be empty for a heading
    QList<ContentsEntry> children;
};

class ChmArchive {
public:
    enum class OpenError { None, Missing, Unreadable, NotHelpFile };

    // Reads the file; on failure returns null and says why in `error`. A damaged file is
    // reported, never a crash: chmlib trusts the sizes and offsets it finds in the file, so
    // it runs in a child process of its own.
    static std::unique_ptr<ChmArchive> open(const QString &path, OpenError &error);

    // The stored file at `path` ("/index.html"; letter case is not significant), or a null
    // array when there is none.
    QByteArray read(const QString &path) const;

    QString title() const { return title_; }
    // The path of the first page to show ("/index.html"); empty when the file has no page.
    QString defaultTopic() const { return defaultTopic_; }
    QList<ContentsEntry> contents() const { return contents_; }

    // A page's text: the charset its <meta> names, else UTF-8, else the file's code page.
    QString decodePage(const QByteArray &bytes) const;

private:
    ChmArchive(QStringList paths, QHash<QString, QByteArray> files);
    void readSystemFile();
    QString decodeText(const QByteArray &bytes) const;
    QString firstTopic(const QList<ContentsEntry> &entries) const;

    QStringList paths_;                  // as stored, in the file's order
    QHash<QString, QByteArray> files_;   // by lower-case path
    QString title_;
    QString defaultTopic_;
    QString contentsFile_;
    quint32 lcid_ = 0;
    QList<ContentsEntry> contents_;
};

// The entries of a contents file (an HTML "sitemap" of nested lists of objects).
QList<ContentsEntry> parseContents(const QString &sitemap);

// The address under which the viewer shows a stored topic. Takes the forms a contents file
// uses: "page.html", "/dir/page.html#part", "ms-its:Name.chm::/page.html".
QUrl chmUrl(const QString &topic);

// The stored path of such an address, or an empty text for an address outside the file.
QString chmPathOf(const QUrl &url);

} // namespace platform
