#pragma once
// The operations the window's logic performs on its controls, and nothing more.
// The real window implements them on Qt widgets; tests implement them on plain data.
#include <QList>
#include <QString>
#include <memory>

namespace platform {

class Label {
public:
    virtual ~Label() = default;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString &text) = 0;
};

class Frame {
public:
    virtual ~Frame() = default;
    virtual void setCaption(const QString &text) = 0;
    virtual void setVisible(bool visible) = 0;
};

class Button {
public:
    virtual ~Button() = default;
    virtual void setEnabled(bool enabled) = 0;
};

// 0 unchecked, 1 checked, 2 greyed. Setting a different value raises the box's click
// handling, as a click by the player does.
class CheckBox {
public:
    virtual ~CheckBox() = default;
    virtual int value() const = 0;
    virtual void setValue(int value) = 0;
};

// Setting the text is never a pick; only the player choosing an item raises the click.
class ComboBox {
public:
    virtual ~ComboBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual void addItem(const QString &text) = 0;
};

// Many items at once: one text and where each item lies in it, so that a long list is
// read without a string for every item.
struct TextItems {
    struct Span {
        qsizetype start = 0;
        qsizetype size = 0;
    };
    QString text;
    QList<Span> spans;

    qsizetype count() const { return spans.size(); }
    QStringView at(qsizetype i) const { return QStringView(text).sliced(spans[i].start, spans[i].size); }
};

// A sorted list places each added item at its sorted place; the others append.
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void addItem(const QString &text) = 0;
    // As addItem for each item in order.
    virtual void addItems(const TextItems &items) = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual QString item(int index) const = 0; // 0-based
    virtual void setFocus() = 0;
};

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual void setFocus() = 0;
};

// Widths are in twips, the layout's unit.
class Shape {
public:
    virtual ~Shape() = default;
    virtual double width() const = 0;
    virtual void setWidth(int twips) = 0;
};

// Elements are addressed by their layout index (imgStart has 1, 2 and 3).
class ImageArray {
public:
    virtual ~ImageArray() = default;
    virtual void setVisible(int index, bool visible) = 0;
};

// Grid alignments use the classic flex-grid values.
enum GridAlignment { AlignCenterCenter = 4, AlignRightCenter = 7 };

// Rows whose texts are made only when they are read, so that many can be added at once.
class GridRows {
public:
    virtual ~GridRows() = default;
    virtual int count() const = 0;
    virtual QString cell(int row, int col) const = 0; // row 0-based among these rows
};

// The history grid: a current cell addressed by Row and Col, whose Text is read and set.
class Grid {
public:
    virtual ~Grid() = default;
    virtual int rows() const = 0;
    virtual void setRows(int rows) = 0;
    virtual int row() const = 0;
    virtual void setRow(int row) = 0;
    virtual int col() const = 0;
    virtual void setCol(int col) = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual void setColWidth(int col, int twips) = 0;
    virtual void setColAlignment(int col, int alignment) = 0;
    virtual void setFixedAlignment(int col, int alignment) = 0;
    virtual int topRow() const = 0;
    virtual void setTopRow(int row) = 0;
    virtual void setFontSize(float points) = 0;
    // Adds rows.count() rows at the end, as growing Rows and setting each Text would; their
    // texts are read from `rows` whenever they are shown.
    virtual void appendRows(std::shared_ptr<const GridRows> rows) = 0;
};

} // namespace platform
