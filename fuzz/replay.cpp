// Stands in for libFuzzer where it is not linked (GCC builds): runs each file given, or
// each file of each folder given, through the target once. Flags ("-...") are ignored.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

bool run(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s: %s\n", qUtf8Printable(path), qUtf8Printable(file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    int inputs = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(u'-'))
            continue;
        const QFileInfo info(arg);
        if (info.isDir()) {
            const QStringList names = QDir(arg).entryList(QDir::Files, QDir::Name);
            for (const QString &name : names) {
                ok = run(QDir(arg).filePath(name)) && ok;
                ++inputs;
            }
        } else {
            ok = run(arg) && ok;
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return ok && inputs > 0 ? 0 : 1;
}
