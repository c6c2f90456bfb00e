#include "chmarchive.h"

#include <chm_lib.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtEndian>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {
namespace {

const QString kScheme = QStringLiteral("chm");

// A stored file, or a whole help file, larger than these is taken for damage, not content.
constexpr quint64 kMaxStoredFile = 64 * 1024 * 1024;
constexpr quint64 kMaxArchive = 256 * 1024 * 1024;
// Reading our own help takes milliseconds; a reader still busy after this has lost its way.
constexpr qint64 kExtractTimeoutMs = 10000;

// Codes of the records in the /#SYSTEM file.
enum SystemRecord : quint16 { ContentsFile = 0, DefaultTopic = 2, Title = 3, Locale = 4 };

bool writeAll(int fd, const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

// What the child sends for each stored file: the path's length and bytes, then the data's
// length and bytes (lengths in this machine's byte order).
int sendEntry(chmFile *file, chmUnitInfo *info, void *context)
{
    const int fd = *static_cast<int *>(context);
    if (info->length > kMaxStoredFile)
        return CHM_ENUMERATOR_FAILURE;
    std::vector<unsigned char> data(size_t(info->length));
    if (info->length > 0
        && chm_retrieve_object(file, info, data.data(), 0, LONGINT64(info->length))
               != LONGINT64(info->length))
        return CHM_ENUMERATOR_CONTINUE; // an unreadable page is simply not there
    const quint32 pathLength = quint32(std::strlen(info->path));
    const quint64 length = info->length;
    const bool sent = writeAll(fd, &pathLength, sizeof pathLength)
        && writeAll(fd, info->path, pathLength) && writeAll(fd, &length, sizeof length)
        && writeAll(fd, data.data(), data.size());
    return sent ? CHM_ENUMERATOR_CONTINUE : CHM_ENUMERATOR_FAILURE;
}

// Runs in the child: no Qt here, only chmlib and the pipe.
[[noreturn]] void sendArchive(const char *path, int fd)
{
    // A crash here is an expected answer, not a fault of the program: no crash handler
    // inherited from the parent, no core file.
    for (const int crash : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(crash, SIG_DFL);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    chmFile *file = chm_open(path);
    if (!file)
        ::_exit(1);
    int sink = fd;
    const int result = chm_enumerate(
        file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES, sendEntry, &sink);
    chm_close(file);
    ::_exit(result == 0 ? 1 : 0);
}

// Reads the whole archive in a child process and returns what it sent. False when the child
// failed, crashed or hung: the file is damaged.
bool extractInChild(const QByteArray &path, QByteArray &stream)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        sendArchive(path.constData(), fds[1]);
    }
    ::close(fds[1]);

    QDeadlineTimer deadline(kExtractTimeoutMs);
    bool ok = true;
    char buffer[64 * 1024];
    for (;;) {
        pollfd ready{fds[0], POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(deadline.remainingTime()));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0) {
            ok = false;
            break;
        }
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        stream.append(buffer, n);
        if (quint64(stream.size()) > kMaxArchive) {
            ok = false;
            break;
        }
    }
    ::close(fds[0]);
    if (!ok)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool parseStream(const QByteArray &stream, QStringList &paths, QHash<QString, QByteArray> &files)
{
    qsizetype pos = 0;
    const auto take = [&](void *into, qsizetype size) {
        if (stream.size() - pos < size)
            return false;
        std::memcpy(into, stream.constData() + pos, size_t(size));
        pos += size;
        return true;
    };
    while (pos < stream.size()) {
        quint32 pathLength = 0;
        quint64 length = 0;
        if (!take(&pathLength, sizeof pathLength) || pathLength > CHM_MAX_PATHLEN
            || stream.size() - pos < qsizetype(pathLength))
            return false;
        const QString path = QString::fromUtf8(stream.constData() + pos, pathLength);
        pos += pathLength;
        if (!take(&length, sizeof length) || quint64(stream.size() - pos) < length)
            return false;
        paths << path;
        files.insert(path.toLower(), length == 0 ? QByteArray("") : stream.mid(pos, qsizetype(length)));
        pos += qsizetype(length);
    }
    return true;
}

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

QString decodeEntities(const QString &text)
{
    static const QRegularExpression entity(
        QStringLiteral("&(#[xX][0-9a-fA-F]+|#[0-9]+|amp|lt|gt|quot|apos|nbsp);"));
    QString out;
    qsizetype done = 0;
    for (const auto &m : entity.globalMatch(text)) {
        out += text.sliced(done, m.capturedStart() - done);
        const QString name = m.captured(1);
        if (name.startsWith(u'#')) {
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            const char32_t code = name.mid(hex ? 2 : 1).toUInt(nullptr, hex ? 16 : 10);
            out += QString::fromUcs4(&code, 1);
        } else {
            static const QHash<QString, QString> named{
                {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
                {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
                {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QStringLiteral("\u00a0")}};
            out += named.value(name);
        }
        done = m.capturedEnd();
    }
    return out + text.sliced(done);
}

QString attribute(const QString &attributes, const QString &name)
{
    const QRegularExpression re(
        QStringLiteral(R"re((?:^|\s)%1\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(attributes);
    if (!m.hasMatch())
        return {};
    for (int i = 1; i <= 3; ++i) {
        if (m.capturedStart(i) >= 0)
            return decodeEntities(m.captured(i));
    }
    return {};
}

} // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const QString &path, OpenError &error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        error = OpenError::Missing;
        return nullptr;
    }
    QFile probe(path);
    if (info.isDir() || !probe.open(QIODevice::ReadOnly)) {
        error = OpenError::Unreadable;
        return nullptr;
    }
    // The signature tells a stray file at once, without a child process.
    if (probe.read(4) != "ITSF") {
        error = OpenError::NotHelpFile;
        return nullptr;
    }
    probe.close();

    QByteArray stream;
    QStringList paths;
    QHash<QString, QByteArray> files;
    if (!extractInChild(QFile::encodeName(path), stream) || !parseStream(stream, paths, files)) {
        error = OpenError::NotHelpFile;
        return nullptr;
    }
    error = OpenError::None;
    return std::unique_ptr<ChmArchive>(new ChmArchive(std::move(paths), std::move(files)));
}

ChmArchive::ChmArchive(QStringList paths, QHash<QString, QByteArray> files)
    : paths_(std::move(paths)), files_(std::move(files))
{
    readSystemFile();

    if (contentsFile_.isEmpty()) {
        for (const QString &p : std::as_const(paths_)) {
            if (p.endsWith(QStringLiteral(".hhc"), Qt::CaseInsensitive)) {
                contentsFile_ = p;
                break;
            }
        }
    }
    const QByteArray sitemap = contentsFile_.isEmpty() ? QByteArray() : read(contentsFile_);
    if (!sitemap.isNull())
        contents_ = parseContents(decodePage(sitemap));

    QStringList candidates{defaultTopic_, firstTopic(contents_), QStringLiteral("/index.html"),
                           QStringLiteral("/index.htm"), QStringLiteral("/default.html"),
                           QStringLiteral("/default.htm")};
    for (const QString &p : std::as_const(paths_)) {
        if (p.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)
            || p.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive))
            candidates << p;
    }
    defaultTopic_.clear();
    for (const QString &topic : std::as_const(candidates)) {
        if (!topic.isEmpty() && !read(withoutFragment(topic)).isNull()) {
            defaultTopic_ = topic;
            break;
        }
    }
}

QByteArray ChmArchive::read(const QString &path) const
{
    // Help authors link with any letter case; the help system does not mind.
    return files_.value(path.toLower());
}

void ChmArchive::readSystemFile()
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
                contentsFile_ = absolutePath(QString::fromUtf8(text));
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
    QStringDecoder codePage(language == 0x11 ? "windows-31j" : "windows-1252",
                            QStringDecoder::Flag::Stateless);
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

QList<ContentsEntry> parseContents(const QString &sitemap)
{
    static const QRegularExpression tag(QStringLiteral(R"(<\s*(/?)\s*([a-zA-Z]+)([^>]*)>)"));
    QList<ContentsEntry> roots;
    // The list that new entries go into, for each open <ul>. An entry's own list is the one
    // that opens after it; the outermost <ul> is the top level itself.
    QList<QList<ContentsEntry> *> open{&roots};
    ContentsEntry current;
    bool inEntry = false;
    for (const auto &m : tag.globalMatch(sitemap)) {
        const bool closing = !m.captured(1).isEmpty();
        const QString name = m.captured(2).toLower();
        const QString attributes = m.captured(3);
        if (name == u"ul") {
            if (closing) {
                if (open.size() > 1)
                    open.removeLast();
            } else {
                QList<ContentsEntry> *list = open.last();
                open.append(list->isEmpty() ? list : &list->last().children);
            }
        } else if (name == u"object") {
            if (!closing && attribute(attributes, QStringLiteral("type")).compare(
                                QStringLiteral("text/sitemap"), Qt::CaseInsensitive) == 0) {
                current = {};
                inEntry = true;
            } else if (closing && inEntry) {
                inEntry = false;
                if (!current.name.isEmpty() || !current.local.isEmpty())
                    open.last()->append(current);
            }
        } else if (name == u"param" && inEntry) {
            const QString key = attribute(attributes, QStringLiteral("name")).toLower();
            const QString value = attribute(attributes, QStringLiteral("value"));
            if (key == u"name" && current.name.isEmpty())
                current.name = value;
            else if (key == u"local" && current.local.isEmpty())
                current.local = value;
        }
    }
    return roots;
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
