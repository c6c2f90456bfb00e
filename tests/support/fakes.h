#pragma once
// Controls and services on plain data, so the game runs in tests without a window.
#include "platform/controls.h"
#include "platform/preferences/preferences.h"
#include "platform/services.h"
#include "platform/sound/sounds.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>

namespace fakes {

// Which control holds the focus, shared by the controls that can take it.
struct Focus {
    QString holder;
};

struct Label : platform::Label {
    QString text;
    QString caption() const override { return text; }
    void setCaption(const QString &t) override { text = t; }
};

struct Frame : platform::Frame {
    QString captionText;
    bool visible = true;
    void setCaption(const QString &t) override { captionText = t; }
    void setVisible(bool v) override { visible = v; }
};

struct Button : platform::Button {
    bool enabled = true;
    void setEnabled(bool e) override { enabled = e; }
};

struct CheckBox : platform::CheckBox {
    int state = 1; // checked as laid out
    std::function<void()> onClick;
    int value() const override { return state; }
    void setValue(int v) override
    {
        if (v < 0 || v > 2)
            throw std::invalid_argument("check box value");
        if (v == state)
            return;
        state = v;
        if (onClick)
            onClick();
    }
};

struct ComboBox : platform::ComboBox {
    QString editText = QStringLiteral("Combo1");
    QStringList items;
    std::function<void()> onClick;
    QString text() const override { return editText; }
    void setText(const QString &t) override { editText = t; }
    void addItem(const QString &t) override { items.append(t); }
    // The player picks an item.
    void pick(const QString &item)
    {
        QVERIFY2(items.contains(item), qPrintable(item));
        editText = item;
        if (onClick)
            onClick();
    }
};

struct ListBox : platform::ListBox {
    ListBox(QString n, Focus &f, bool s = false) : name(std::move(n)), focus(f), sorted(s) {}
    QString name;
    Focus &focus;
    bool sorted;
    QStringList items;
    bool failFocus = false;
    void addItem(const QString &t) override
    {
        if (sorted)
            items.insert(std::upper_bound(items.begin(), items.end(), t) - items.begin(), t);
        else
            items.append(t);
    }
    void addItems(const platform::TextItems &added) override
    {
        for (qsizetype i = 0; i < added.count(); ++i)
            addItem(added.at(i).toString());
    }
    void clear() override { items.clear(); }
    int count() const override { return int(items.size()); }
    QString item(int i) const override { return items.value(i); }
    void setFocus() override
    {
        if (failFocus)
            throw std::runtime_error("cannot take the focus");
        focus.holder = name;
    }
};

struct TextBox : platform::TextBox {
    TextBox(QString n, Focus &f) : name(std::move(n)), focus(f) {}
    QString name;
    Focus &focus;
    QString value = QStringLiteral("かぼちゃ");
    QString text() const override { return value; }
    void setText(const QString &t) override { value = t; }
    void setFocus() override { focus.holder = name; }
};

struct Shape : platform::Shape {
    double w = 8745;
    double width() const override { return w; }
    void setWidth(int twips) override { w = twips; }
};

struct ImageArray : platform::ImageArray {
    QMap<int, bool> visible{{1, true}, {2, true}, {3, true}};
    QList<QPair<int, bool>> changes;
    void setVisible(int index, bool v) override
    {
        if (!visible.contains(index))
            throw std::out_of_range("image index");
        visible[index] = v;
        changes.append({index, v});
    }
    // The picture on top: the lowest index shown.
    int shown() const
    {
        for (int i = 1; i <= 3; ++i)
            if (visible[i])
                return i;
        return 0;
    }
};

struct Grid : platform::Grid {
    int rowCount = 2;
    int current = 1;
    int column = 0;
    int top = 1;
    QMap<QPair<int, int>, QString> cells;
    int rows() const override { return rowCount; }
    void setRows(int r) override
    {
        rowCount = r;
        for (auto it = cells.begin(); it != cells.end();)
            it = it.key().first >= r ? cells.erase(it) : std::next(it);
    }
    int row() const override { return current; }
    void setRow(int r) override { current = r; }
    int col() const override { return column; }
    void setCol(int c) override { column = c; }
    QString text() const override { return cells.value({current, column}); }
    void setText(const QString &t) override
    {
        if (current >= rowCount || column >= 10)
            throw std::out_of_range("grid cell");
        cells[{current, column}] = t;
    }
    void setColWidth(int, int) override {}
    void setColAlignment(int, int) override {}
    void setFixedAlignment(int, int) override {}
    int topRow() const override { return top; }
    void setTopRow(int r) override { top = r; }
    void setFontSize(float) override {}
    void appendRows(std::shared_ptr<const platform::GridRows> rows) override
    {
        const int first = rowCount;
        rowCount += rows->count();
        for (int r = 0; r < rows->count(); ++r)
            for (int c = 0; c < 10; ++c)
                cells[{first + r, c}] = rows->cell(r, c);
    }
    QStringList rowTexts(int r) const
    {
        QStringList out;
        for (int c = 0; c < 10; ++c)
            out.append(cells.value({r, c}));
        return out;
    }
};

// A clock the test sets and advances; wall time and monotonic time move together.
struct Clock : platform::Clock {
    QDateTime wall{QDate(2010, 4, 1), QTime(13, 5, 9)};
    qint64 mono = 1'000'000;
    double secondsSinceMidnight() const override { return wall.time().msecsSinceStartOfDay() / 1000.0; }
    QDateTime now() const override { return wall; }
    qint64 monotonicMs() const override { return mono; }
    void advance(qint64 ms)
    {
        wall = wall.addMSecs(ms);
        mono += ms;
    }
};

struct Random : platform::RandomSource {
    QList<float> values; // drawn in order; 0 once they run out
    int reseeds = 0;
    void reseedFromClock() override { ++reseeds; }
    float next() override { return values.isEmpty() ? 0.0f : values.takeFirst(); }
};

// Message boxes answered from a script; any box the test did not expect fails it.
struct Messages : platform::MessageBoxes {
    struct Box {
        QString prompt;
        QString title;
        platform::MessageIcon icon;
        platform::MessageButtons buttons;
    };
    QList<Box> shown;
    QList<platform::MessageResult> answers; // for OK/Cancel boxes, in order
    bool allowAny = false;                  // for tests that only look at what was shown
    QList<Box> expected;
    // Runs once, while the next box is open: what the timers do behind a modal box.
    std::function<void()> whileShown;

    void expect(const QString &prompt, const QString &title, platform::MessageIcon icon,
                platform::MessageButtons buttons = platform::MessageButtons::Ok)
    {
        expected.append({prompt, title, icon, buttons});
    }
    platform::MessageResult show(const QString &prompt, const QString &title, platform::MessageIcon icon,
                                 platform::MessageButtons buttons) override
    {
        shown.append({prompt, title, icon, buttons});
        if (!allowAny) {
            if (expected.isEmpty()) {
                QTest::qFail(qPrintable(QStringLiteral("unexpected message box: %1 / %2").arg(title, prompt)), __FILE__,
                             __LINE__);
            } else {
                const Box want = expected.takeFirst();
                if (want.prompt != prompt || want.title != title || want.icon != icon || want.buttons != buttons)
                    QTest::qFail(qPrintable(QStringLiteral("message box: got %1 / %2, want %3 / %4")
                                                .arg(title, prompt, want.title, want.prompt)),
                                 __FILE__, __LINE__);
            }
        }
        if (auto behind = std::exchange(whileShown, nullptr))
            behind();
        return answers.isEmpty() ? platform::MessageResult::Ok : answers.takeFirst();
    }
};

struct PreferenceStore : platform::PreferenceStore {
    platform::Preferences saved;
    platform::Preferences load() const override { return saved; }
    bool save(const platform::Preferences &p, QString &) override { return saved = p, true; }
};

struct Sounds : platform::Sounds {
    QList<platform::Tone> played;
    void play(platform::Tone tone) override { played.append(tone); }
};

struct Help : platform::HelpViewer {
    QStringList opened;
    void open(const QString &file) override { opened.append(file); }
    void closeAll() override {}
};

struct Program : platform::Program {
    bool windowShown = false;
    int exitCode = -1; // -1 while running
    void showWindow() override { windowShown = true; }
    void end(int code) override { exitCode = code; }
};

} // namespace fakes
