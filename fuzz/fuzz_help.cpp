// The help reader's contents parser and page check. Both end on any input; accepted contents
// stay within their limits; a page the check accepts is laid out by Qt with its tables nested
// no deeper than allowed (libFuzzer's time and memory limits catch a layout that runs away).
#include "fuzzinput.h"
#include "help/reader/chmarchive.h"
#include "help/reader/pagecheck.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTextFrame>

namespace {

void startQt()
{
    static int argc = 1;
    static char name[] = "fuzz_help";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

int deepestFrame(const QTextDocument &document)
{
    int deepest = 0;
    QList<std::pair<const QTextFrame *, int>> todo{{document.rootFrame(), 0}};
    while (!todo.isEmpty()) {
        const auto [frame, depth] = todo.takeLast();
        deepest = std::max(deepest, depth);
        for (const QTextFrame *child : frame->childFrames())
            todo.append({child, depth + 1});
    }
    return deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    startQt();
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));

    QList<platform::ContentsEntry> entries;
    if (platform::parseContents(text, entries)) {
        qsizetype count = 0;
        QList<std::pair<const QList<platform::ContentsEntry> *, int>> todo{{&entries, 1}};
        while (!todo.isEmpty()) {
            const auto [list, depth] = todo.takeLast();
            FUZZ_CHECK(list->isEmpty() || depth <= platform::ContentsLimits::maxDepth,
                       QStringLiteral("depth %1").arg(depth));
            for (const platform::ContentsEntry &e : *list) {
                FUZZ_CHECK(e.name.size() <= platform::ContentsLimits::maxName, e.name.left(80));
                todo.append({&e.children, depth + 1});
            }
            count += list->size();
        }
        FUZZ_CHECK(count <= platform::ContentsLimits::maxEntries, QString::number(count));
    }

    if (platform::checkPage(text) == platform::PageFault::None) {
        QTextDocument document;
        document.setHtml(text);
        document.setTextWidth(600);
        document.documentLayout()->documentSize();
        FUZZ_CHECK(deepestFrame(document) <= platform::PageLimits::maxFrameDepth, text.left(200));
    }
    return 0;
}
