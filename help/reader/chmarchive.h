#pragma once
// A compiled HTML help file (.chm) as the viewer uses it: its stored files, title, default
// topic and table of contents, with every page checked to be safe to lay out. It is built
// where the file is read (ChmReader's child process) and sent to the viewer whole.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <memory>

namespace platform {

// One line of the table of contents, with the lines nested under it.
struct ContentsEntry {
    QString name;
    QString local; // the topic as written in the contents file; may be empty for a heading
    QList<ContentsEntry> children;
};

struct ContentsLimits {
    static constexpr int maxDepth = 16;
    static constexpr int maxEntries = 4096;
    static constexpr int maxName = 1024;
};

class ChmArchive {
public:
    enum class OpenError { None, Missing, Unreadable, NotHelpFile };

    // Reads the system file and the contents and checks every page: null when any of them
    // is damaged or beyond what the viewer can show in bounded time and memory.
    static std::unique_ptr<ChmArchive> fromFiles(const QStringList &paths, QHash<QString, QByteArray> files);

    // The archive as one block of bytes, and back; null for a stream that is not one.
    QByteArray toStream() const;
    static std::unique_ptr<ChmArchive> fromStream(const QByteArray &stream);

    // The stored file at `path` ("/index.html"; letter case is not significant), or a null
    // array when there is none.
    QByteArray read(const QString &path) const;
    // Whether `path` is a page that was checked and may be shown.
    bool isPage(const QString &path) const { return pages_.contains(path.toLower()); }

    QString title() const { return title_; }
    // The path of the first page to show ("/index.html"); empty when the file has no page.
    QString defaultTopic() const { return defaultTopic_; }
    QList<ContentsEntry> contents() const { return contents_; }

    // A page's text: the charset its <meta> names, else UTF-8, else the file's code page.
    QString decodePage(const QByteArray &bytes) const;
    // What a page may load besides pictures: its style sheets, within a size limit. The
    // check and the viewer both load through here, so a page is shown as it was checked.
    QVariant resource(int type, const QUrl &url) const;

private:
    ChmArchive() = default;
    void readSystemFile(QString &contentsFile);
    bool checkPages();
    QString decodeText(const QByteArray &bytes) const;
    QString firstTopic(const QList<ContentsEntry> &entries) const;

    QHash<QString, QByteArray> files_; // by lower-case path
    QSet<QString> pages_;              // lower-case paths of the checked pages
    QString title_;
    QString defaultTopic_;
    quint32 lcid_ = 0;
    QList<ContentsEntry> contents_;
};

// The entries of a contents file (an HTML "sitemap" of nested lists of objects); false when
// the file nests deeper, or holds more or longer entries, than ContentsLimits allow.
bool parseContents(const QString &sitemap, QList<ContentsEntry> &entries);

// The address under which the viewer shows a stored topic. Takes the forms a contents file
// uses: "page.html", "/dir/page.html#part", "ms-its:Name.chm::/page.html".
QUrl chmUrl(const QString &topic);

// The stored path of such an address, or an empty text for an address outside the file.
QString chmPathOf(const QUrl &url);

} // namespace platform
