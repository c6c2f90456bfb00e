#pragma once
// What the fuzz targets share: turning the fuzzer's bytes into text, and stopping loudly
// (so libFuzzer keeps the input) when a property does not hold.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The file readers are handed decoded CP932. Bytes that are not CP932 are taken as Latin-1
// instead, so that every input still reaches the reader under test.
inline QString fileText(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

// Any UTF-16 code units, lone surrogates included: what a text box may hand over.
inline QString utf16(const QByteArray &bytes)
{
    return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
}

[[noreturn]] inline void fail(const char *file, int line, const char *condition, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n  %s\n", file, line, condition, qUtf8Printable(detail));
    std::abort();
}

} // namespace fuzz

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzz::fail(__FILE__, __LINE__, #condition, (detail));                                                      \
    } while (false)
