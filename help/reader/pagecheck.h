#pragma once
// Whether a help page can be laid out by QTextDocument in bounded time and memory. Qt's
// layout recurses into nested tables and lays out each level at least twice, so depth,
// table size and the text inside tables are limited before any window sees the page.
#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>

namespace platform {

enum class PageFault {
    None,
    TooLarge,      // more text or tags than any help page needs
    TooDeep,       // elements nested too deep, as the tags tell
    TableTooLarge, // a table's grid (rows times columns, spans included), as the tags tell
    SlowToRead,    // Qt took too long to read the page
    FramesTooDeep, // tables inside tables, as Qt built them
    TooCostly,     // the layout's work over the whole page
    HugeLength,    // a size, margin, indent or spacing no window can show (or negative for a picture)
};

struct PageLimits {
    static constexpr qsizetype maxChars = 256 * 1024;
    static constexpr int maxTags = 8000;
    static constexpr int maxDepth = 32;
    static constexpr qint64 maxTableCells = 5000;
    static constexpr int maxFrameDepth = 4;
    // About half a second of layout on a slow machine, a hundred times what our pages need.
    static constexpr qint64 maxLayoutCost = 4'000'000;
    static constexpr int maxReadMs = 500;
    // Qt's table layout never finishes with some picture sizes far beyond this.
    static constexpr double maxLength = 100'000;
};

// Loads what the page refers to (style sheets) the way the viewer will, so that the page
// is judged as it will be shown. Null: nothing is loaded.
using PageResources = std::function<QVariant(int type, const QUrl &url)>;

// Reads the page as Qt does, without laying it out, and says what is wrong with it.
PageFault checkPage(const QString &html, const QUrl &address = {}, const PageResources &resources = {});

} // namespace platform
