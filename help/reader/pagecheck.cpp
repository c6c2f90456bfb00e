#include "pagecheck.h"

#include "htmltokenizer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// The layout's work, in units of laying out one character of plain text (measured on Qt 6.4):
// a paragraph costs its own setting out, text inside a table far more, a table its grid; all
// of it doubles with each table it sits in.
constexpr qint64 kParagraph = 160;
constexpr qint64 kTableText = 32;
constexpr qint64 kGridCell = 800;
// Spans beyond this are rejected anyway; capping them keeps the sums far from overflowing.
constexpr int kMaxSpan = 1'000'000;

bool isCell(const QString &name)
{
    return name == u"td" || name == u"th";
}

// The elements Qt never puts anything into.
bool isVoid(const QString &name)
{
    return name == u"img" || name == u"hr" || name == u"br" || name == u"meta";
}

// The open element a row or a cell belongs in, or -1.
qsizetype containerOf(const QList<QString> &open, const QString &name)
{
    const bool row = name == u"tr";
    if (!row && !isCell(name))
        return -1;
    for (qsizetype i = open.size() - 1; i >= 0; --i) {
        const QString &o = open[i];
        if (row ? (o == u"table" || o == u"thead" || o == u"tbody" || o == u"tfoot") : o == u"tr")
            return i;
    }
    return -1;
}

int span(const HtmlTag &tag, QStringView key)
{
    bool ok = false;
    const int n = tag.attribute(key).toInt(&ok);
    return ok ? std::clamp(n, 1, kMaxSpan) : 1;
}

// A table's grid as its tags describe it; cells outside any row sit in a row of their own.
struct Grid {
    qint64 rows = 0;
    qint64 columns = 0; // of the row being read
    qint64 widest = 0;
    qint64 lastRow = 0; // the last row a cell reaches with its row span
    qint64 cells() const { return std::max({rows, lastRow, qint64(1)}) * widest; }
};

// What the tags alone tell, before Qt spends any time on the page: how deep elements nest
// and how large each table's grid is. An end tag closes the nearest open element of its name,
// as in Qt.
PageFault scanTags(const QString &html)
{
    if (html.size() > PageLimits::maxChars)
        return PageFault::TooLarge;
    HtmlTokenizer tokens(html);
    HtmlTag tag;
    QList<QString> open;
    QList<Grid> grids{Grid()}; // the page itself, for cells outside any table
    int tags = 0;
    const auto closeFrom = [&](qsizetype first) {
        for (qsizetype i = first; i < open.size(); ++i) {
            if (open[i] == u"table")
                grids.removeLast();
        }
        open.resize(first);
    };
    while (tokens.next(tag)) {
        if (tag.kind == HtmlTag::End) {
            if (const qsizetype i = open.lastIndexOf(tag.name); i >= 0)
                closeFrom(i);
            continue;
        }
        if (tag.kind != HtmlTag::Start || tag.name.isEmpty())
            continue;
        if (++tags > PageLimits::maxTags)
            return PageFault::TooLarge;
        Grid &grid = grids.last();
        if (tag.name == u"tr") {
            ++grid.rows;
            grid.columns = 0;
        } else if (isCell(tag.name)) {
            grid.columns += span(tag, u"colspan");
            grid.widest = std::max(grid.widest, grid.columns);
            grid.lastRow = std::max(grid.lastRow, std::max(grid.rows, qint64(1)) + span(tag, u"rowspan") - 1);
            if (grid.cells() > PageLimits::maxTableCells)
                return PageFault::TableTooLarge;
        }
        if (isVoid(tag.name) || tag.selfClosing)
            continue;
        // Where Qt puts the element: <p> and <li> next to one of their own kind, a row into
        // its table and a cell into its row, closing what is open inside them.
        if (!open.isEmpty() && open.last() == tag.name && (tag.name == u"p" || tag.name == u"li"))
            closeFrom(open.size() - 1);
        else if (const qsizetype parent = containerOf(open, tag.name); parent >= 0)
            closeFrom(parent + 1);
        open.append(tag.name);
        if (tag.name == u"table")
            grids.append(Grid());
        if (open.size() > PageLimits::maxDepth)
            return PageFault::TooDeep;
    }
    return PageFault::None;
}

bool withinReach(double value)
{
    return std::isfinite(value) && std::abs(value) <= PageLimits::maxLength;
}

// Every number the formats hold (sizes, margins, indents, spacing, column widths) within reach.
bool lengthsWithinReach(const QTextFormat &format)
{
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        const QVariant &value = it.value();
        switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::LongLong:
            if (!withinReach(value.toDouble()))
                return false;
            break;
        default:
            if (value.canConvert<QTextLength>() && !withinReach(value.value<QTextLength>().rawValue()))
                return false;
            if (value.canConvert<QList<QTextLength>>()) {
                for (const QTextLength &length : value.value<QList<QTextLength>>()) {
                    if (!withinReach(length.rawValue()))
                        return false;
                }
            }
            break;
        }
    }
    if (!format.isImageFormat())
        return true;
    const QTextImageFormat picture = format.toImageFormat();
    return !(picture.hasProperty(QTextFormat::ImageWidth) && picture.width() < 0)
        && !(picture.hasProperty(QTextFormat::ImageHeight) && picture.height() < 0);
}

// The document as Qt built it: frames (tables) inside one another, and the layout's work.
// Frames are walked through childFrames(): a frame's iterator passes over some of them (the
// ones Qt makes for pictures in table cells).
PageFault measure(const QTextDocument &document)
{
    const QList<QTextFormat> formats = document.allFormats();
    if (!std::all_of(formats.cbegin(), formats.cend(), lengthsWithinReach))
        return PageFault::HugeLength;
    QHash<const QTextFrame *, int> depths{{document.rootFrame(), 0}};
    QList<const QTextFrame *> todo{document.rootFrame()};
    qint64 cost = 0;
    while (!todo.isEmpty()) {
        const QTextFrame *frame = todo.takeLast();
        const int depth = depths.value(frame);
        if (depth > PageLimits::maxFrameDepth)
            return PageFault::FramesTooDeep;
        if (const auto *table = qobject_cast<const QTextTable *>(frame)) {
            const qint64 cells = qint64(table->rows()) * table->columns();
            if (cells > PageLimits::maxLayoutCost)
                return PageFault::TooCostly;
            cost += (cells * kGridCell) << (depth - 1);
        }
        for (const QTextFrame *child : frame->childFrames()) {
            depths.insert(child, depth + 1);
            todo.append(child);
        }
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int depth = depths.value(QTextCursor(block).currentFrame());
        cost += kParagraph + block.length() * (depth == 0 ? 1 : kTableText << (depth - 1));
        if (cost > PageLimits::maxLayoutCost)
            return PageFault::TooCostly;
    }
    return PageFault::None;
}

class PageDocument : public QTextDocument {
public:
    explicit PageDocument(const PageResources &resources) : resources_(resources) {}

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        return resources_ ? resources_(type, name) : QVariant();
    }

private:
    const PageResources &resources_;
};

} // namespace

PageFault checkPage(const QString &html, const QUrl &address, const PageResources &resources)
{
    if (const PageFault fault = scanTags(html); fault != PageFault::None)
        return fault;
    PageDocument document(resources);
    document.setBaseUrl(address);
    QElapsedTimer clock;
    clock.start();
    document.setHtml(html);
    // Style sheets can make reading slow in ways the tags don't show; the viewer would
    // spend the same time on every visit.
    if (clock.elapsed() > PageLimits::maxReadMs)
        return PageFault::SlowToRead;
    return measure(document);
}

} // namespace platform
