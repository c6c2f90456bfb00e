#include "chmarchive.h"

#include "htmltokenizer.h"
#include "pagecheck.h"

#include <QDataStream>
#include <QIODevice>
#include <QStringDecoder>
#include <QTextDocument>
#include <QtEndian>

namespace platform {
namespace {

const QString kScheme = QStringLiteral("chm");
constexpr quint32 kStreamMagic = 0x4b4e4348; // "KNCH"
// Our style sheet is half a kilobyte; Qt matches every rule against every element.
constexpr qsizetype kMaxStyleSheet = 64 * 1024;

// Codes of the records in the /#SYSTEM file.
enum SystemRecord : quint16 { ContentsFile = 0, DefaultTopic = 2, Title = 3, Locale = 4 };

QString absolutePath(QString path)
{
    path.replace(u'\\', u'/');
    return path.startsWith(u'/') ? path : u'/' + path;
}

QString withoutFragment(const QString &topic)
{
    return topic.left(topic.indexOf(u'#'));
}

bool decodesCleanly(QStringDecoder &decoder, const QByteArray &bytes, QString &text)
{
    if (!decoder.isValid())
        return false;
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool isPageName(const QString &path)
{
    return path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)
        || path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive);
}

} // namespace

std::unique_ptr<ChmArchive> ChmArchive::fromFiles(const QStringList &paths, QHash<QString, QByteArray> files)
{
    std::unique_ptr<ChmArchive> archive(new ChmArchive);
    archive->files_ = std::move(files);
    QString contentsFile;
    archive->readSystemFile(contentsFile);

    if (contentsFile.isEmpty()) {
        for (const QString &p : paths) {
            if (p.endsWith(QStringLiteral(".hhc"), Qt::CaseInsensitive)) {
                contentsFile = p;
                break;
            }
        }
    }
    const QByteArray sitemap = contentsFile.isEmpty() ? QByteArray() : archive->read(contentsFile);
    if (!sitemap.isNull() && !parseContents(archive->decodePage(sitemap), archive->contents_))
        return nullptr;

    for (const QString &p : paths) {
        if (!isPageName(p))
            continue;
        const QString html = archive->decodePage(archive->read(p));
        const auto resources = [&archive](int type, const QUrl &url) { return archive->resource(type, url); };
        if (checkPage(html, chmUrl(p), resources) != PageFault::None)
            return nullptr;
        archive->pages_.insert(p.toLower());
    }

    QStringList candidates{archive->defaultTopic_,          archive->firstTopic(archive->contents_),
                           QStringLiteral("/index.html"),   QStringLiteral("/index.htm"),
                           QStringLiteral("/default.html"), QStringLiteral("/default.htm")};
    for (const QString &p : paths) {
        if (isPageName(p))
            candidates << p;
    }
    archive->defaultTopic_.clear();
    for (const QString &topic : std::as_const(candidates)) {
        if (!topic.isEmpty() && archive->isPage(withoutFragment(topic))) {
            archive->defaultTopic_ = topic;
            break;
        }
    }
    return archive;
}

// Contents go as a list in reading order, each entry with its depth, so that reading them
// back needs no recursion and checks the nesting as it goes.
QByteArray ChmArchive::toStream() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kStreamMagic << title_ << defaultTopic_ << lcid_;

    QList<std::pair<const ContentsEntry *, quint8>> flat;
    QList<std::pair<const ContentsEntry *, quint8>> todo;
    for (auto it = contents_.crbegin(); it != contents_.crend(); ++it)
        todo.append({&*it, 0});
    while (!todo.isEmpty()) {
        const auto [entry, depth] = todo.takeLast();
        flat.append({entry, depth});
        for (auto it = entry->children.crbegin(); it != entry->children.crend(); ++it)
            todo.append({&*it, quint8(depth + 1)});
    }
    out << quint32(flat.size());
    for (const auto &[entry, depth] : std::as_const(flat))
        out << depth << entry->name << entry->local;

    out << quint32(files_.size());
    for (auto it = files_.cbegin(); it != files_.cend(); ++it)
        out << it.key() << it.value() << pages_.contains(it.key());
    return bytes;
}

std::unique_ptr<ChmArchive> ChmArchive::fromStream(const QByteArray &stream)
{
    QDataStream in(stream);
    in.setVersion(QDataStream::Qt_6_0);
    std::unique_ptr<ChmArchive> archive(new ChmArchive);
    quint32 magic = 0;
    quint32 count = 0;
    in >> magic >> archive->title_ >> archive->defaultTopic_ >> archive->lcid_ >> count;
    if (magic != kStreamMagic || count > quint32(ContentsLimits::maxEntries))
        return nullptr;
    QList<QList<ContentsEntry> *> open{&archive->contents_}; // the list at each depth
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        quint8 depth = 0;
        ContentsEntry entry;
        in >> depth >> entry.name >> entry.local;
        if (depth >= open.size() || entry.name.size() > ContentsLimits::maxName)
            return nullptr;
        open.resize(depth + 1);
        open.last()->append(entry);
        if (open.size() < ContentsLimits::maxDepth)
            open.append(&open.last()->last().children);
    }
    in >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString path;
        QByteArray data;
        bool page = false;
        in >> path >> data >> page;
        // An empty stored file is there all the same.
        archive->files_.insert(path, data.isNull() ? QByteArray("") : data);
        if (page)
            archive->pages_.insert(path);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return nullptr;
    return archive;
}

QByteArray ChmArchive::read(const QString &path) const
{
    // Help authors link with any letter case; the help system does not mind.
    return files_.value(path.toLower());
}

QVariant ChmArchive::resource(int type, const QUrl &url) const
{
    if (type != QTextDocument::StyleSheetResource)
        return {};
    const QByteArray bytes = read(chmPathOf(url));
    if (bytes.isNull() || bytes.size() > kMaxStyleSheet)
        return {};
    return decodePage(bytes);
}

void ChmArchive::readSystemFile(QString &contentsFile)
{
    const QByteArray system = read(QStringLiteral("/#SYSTEM"));
    QByteArray title;
    // A version number, then records of a 16-bit code, a 16-bit length and the data.
    qsizetype pos = 4;
    while (pos + 4 <= system.size()) {
        const quint16 code = qFromLittleEndian<quint16>(system.constData() + pos);
        const quint16 length = qFromLittleEndian<quint16>(system.constData() + pos + 2);
        pos += 4;
        if (pos + length > system.size())
            break;
        const QByteArray data = system.mid(pos, length);
        const QByteArray text = data.left(data.indexOf('\0'));
        pos += length;
        switch (code) {
        case ContentsFile:
            if (!text.isEmpty())
                contentsFile = absolutePath(QString::fromUtf8(text));
            break;
        case DefaultTopic:
            if (!text.isEmpty())
                defaultTopic_ = absolutePath(QString::fromUtf8(text));
            break;
        case Title:
            title = text;
            break;
        case Locale:
            if (length >= 4)
                lcid_ = qFromLittleEndian<quint32>(data.constData());
            break;
        default:
            break;
        }
    }
    // The locale may come after the title, and the title may be in its code page.
    title_ = decodeText(title).trimmed();
}

QString ChmArchive::decodeText(const QByteArray &bytes) const
{
    QString text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    if (decodesCleanly(utf8, bytes, text))
        return text;
    // Help files keep their texts in the code page of their language.
    const quint16 language = lcid_ & 0x3ff;
    QStringDecoder codePage(language == 0x11 ? "windows-31j" : "windows-1252", QStringDecoder::Flag::Stateless);
    if (codePage.isValid())
        return codePage.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString ChmArchive::decodePage(const QByteArray &bytes) const
{
    QString text;
    QStringDecoder named = QStringDecoder::decoderForHtml(bytes);
    if (decodesCleanly(named, bytes, text))
        return text;
    return decodeText(bytes);
}

QString ChmArchive::firstTopic(const QList<ContentsEntry> &entries) const
{
    for (const ContentsEntry &e : entries) {
        const QString path = chmPathOf(chmUrl(e.local));
        if (!e.local.isEmpty() && !path.isEmpty())
            return path;
        const QString below = firstTopic(e.children);
        if (!below.isEmpty())
            return below;
    }
    return {};
}

bool parseContents(const QString &sitemap, QList<ContentsEntry> &roots)
{
    roots.clear();
    HtmlTokenizer tokens(sitemap);
    HtmlTag tag;
    // The list that new entries go into, for each open <ul>. An entry's own list is the one
    // that opens after it; the outermost <ul> is the top level itself.
    QList<QList<ContentsEntry> *> open{&roots};
    ContentsEntry current;
    bool inEntry = false;
    int count = 0;
    while (tokens.next(tag)) {
        const bool closing = tag.kind == HtmlTag::End;
        if (tag.name == u"ul") {
            if (closing) {
                if (open.size() > 1)
                    open.removeLast();
            } else {
                // The list opened last may belong to an entry as deep as the open lists.
                if (open.size() >= ContentsLimits::maxDepth)
                    return false;
                QList<ContentsEntry> *list = open.last();
                open.append(list->isEmpty() ? list : &list->last().children);
            }
        } else if (tag.name == u"object") {
            if (!closing && tag.attribute(u"type").compare(u"text/sitemap", Qt::CaseInsensitive) == 0) {
                current = {};
                inEntry = true;
            } else if (closing && inEntry) {
                inEntry = false;
                if (current.name.isEmpty() && current.local.isEmpty())
                    continue;
                if (++count > ContentsLimits::maxEntries)
                    return false;
                open.last()->append(current);
            }
        } else if (tag.name == u"param" && !closing && inEntry) {
            const QString key = tag.attribute(u"name").toLower();
            const QString value = tag.attribute(u"value");
            if (value.size() > ContentsLimits::maxName)
                return false;
            if (key == u"name" && current.name.isEmpty())
                current.name = value;
            else if (key == u"local" && current.local.isEmpty())
                current.local = value;
        }
    }
    return true;
}

QUrl chmUrl(const QString &topic)
{
    QString t = topic.trimmed();
    // "ms-its:Name.chm::/page.html" and "mk:@MSITStore:Name.chm::/page.html" name a page of
    // this file by its stored path.
    const qsizetype inside = t.indexOf(QStringLiteral("::"));
    if (inside >= 0)
        t = t.mid(inside + 2);
    t.replace(u'\\', u'/');
    return QUrl(kScheme + QStringLiteral(":/")).resolved(QUrl(t));
}

QString chmPathOf(const QUrl &url)
{
    return url.scheme() == kScheme ? url.path() : QString();
}

} // namespace platform
