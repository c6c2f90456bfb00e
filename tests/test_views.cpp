// The history grid's rows made when shown, and the sorted word list put in order only as
// far as it is read.
#include "ui/aids/wordlist/wordfinder.h"
#include "ui/main/views/historygrid.h"
#include "ui/main/views/wordlist.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <QRandomGenerator>
#include <QTest>

namespace {

// Rows whose texts name their place.
struct NamedRows : platform::GridRows {
    int rows = 0;
    int count() const override { return rows; }
    QString cell(int row, int col) const override { return QStringLiteral("%1:%2").arg(row).arg(col); }
};

QStringList gridRow(platform::Grid &grid, int row)
{
    QStringList texts;
    grid.setRow(row);
    for (int col = 0; col < 10; ++col) {
        grid.setCol(col);
        texts.append(grid.text());
    }
    return texts;
}

platform::TextItems someWords(int count)
{
    QRandomGenerator random(19);
    platform::TextItems words;
    for (int i = 0; i < count; ++i) {
        const qsizetype start = words.text.size();
        for (int n = 1 + int(random.bounded(4)); n > 0; --n)
            words.text += QChar(u'あ' + random.bounded(20)); // repeats some words
        words.spans.append({start, words.text.size() - start});
        words.text += u',';
    }
    return words;
}

} // namespace

class TestViews : public QObject {
    Q_OBJECT
private slots:
    void typingInTheWordListFindsTheFirstWordWithThatBeginning_data()
    {
        QTest::addColumn<bool>("on"); // kana input where "#" keys are typed, else romaji
        // Keys; "=" and a text: an input method commits it; "#" and a number: a key's place in kana input.
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("found");
        QTest::newRow("kana") << true << QStringList{u"ら"_qs} << u"らっぱ"_qs;
        QTest::newRow("katakana as hiragana") << true << QStringList{u"リ"_qs, u"ン"_qs} << u"りんご"_qs;
        QTest::newRow("romaji") << true << u"g o r i"_qs.split(u' ') << u"ごりら"_qs;
        QTest::newRow("romaji input off") << false << u"r i"_qs.split(u' ') << QString();
        QTest::newRow("kana input: ご is B and ゛") << true << u"#56 #34 #46"_qs.split(u' ') << u"ごりら"_qs;
        QTest::newRow("input method") << true << QStringList{u"=りす"_qs} << u"りす"_qs;
        QTest::newRow("no such beginning: stays") << true << QStringList{u"ら"_qs, u"ん"_qs} << u"らっぱ"_qs;
    }

    void typingInTheWordListFindsTheFirstWordWithThatBeginning()
    {
        QFETCH(bool, on);
        QFETCH(QStringList, typed);
        QFETCH(QString, found);
        ui::WordList list(true);
        platform::TextItems words;
        words.text = u"りんごらっぱごりらりすごま"_qs;
        words.spans = {{0, 3}, {3, 3}, {6, 3}, {9, 2}, {11, 2}};
        list.addItems(words);
        ui::WordFinder finder(list);
        const bool kana = typed.front().startsWith(u'#');
        finder.setKanaKeys({on, kana ? &platform::KanaLayout::of(platform::KanaKeyboard::Jis) : nullptr});
        for (const QString &text : typed) {
            if (text.startsWith(u'#')) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(1).toUInt(), 0, 0);
                QApplication::sendEvent(&list, &key);
            } else if (text.startsWith(u'=')) {
                QInputMethodEvent commit;
                commit.setCommitString(text.mid(1));
                QApplication::sendEvent(&list, &commit);
            } else {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
                QApplication::sendEvent(&list, &key);
            }
        }
        QCOMPARE(list.currentIndex().data().toString(), found);
    }

    void gridReadsItsLazyRowsAndKeepsWhatIsSetOnThem()
    {
        ui::HistoryGrid view;
        platform::Grid &grid = view;
        grid.setRows(1);
        auto rows = std::make_shared<NamedRows>();
        rows->rows = 3;
        grid.appendRows(rows);
        QCOMPARE(grid.rows(), 4);
        QCOMPARE(gridRow(grid, 3).value(9), u"2:9"_qs);

        // A text set on a lazy row leaves its other cells as they were.
        grid.setRow(2);
        grid.setCol(4);
        grid.setText(u"set"_qs);
        QCOMPARE(gridRow(grid, 2).mid(3, 3), (QStringList{u"1:3"_qs, u"set"_qs, u"1:5"_qs}));

        // A row added after them is a row of its own; shrinking drops from the end.
        grid.setRows(5);
        grid.setRow(4);
        grid.setCol(0);
        grid.setText(u"new"_qs);
        QCOMPARE(gridRow(grid, 4).first(), u"new"_qs);
        grid.setRows(3);
        QCOMPARE(gridRow(grid, 2).value(4), u"set"_qs);
        grid.setRows(1);
        grid.setRows(2);
        QCOMPARE(gridRow(grid, 1), QStringList(10, QString()));
    }

    void sortedListReadsInOrderWhateverIsReadFirst_data()
    {
        QTest::addColumn<QList<int>>("firstRead");
        QTest::addColumn<QString>("addedAfter");
        QTest::newRow("top row first") << QList<int>{0} << QString();
        QTest::newRow("last row first, as the view measures it") << QList<int>{2999, 5} << QString();
        QTest::newRow("deep row first") << QList<int>{1500} << QString();
        QTest::newRow("a word added after the first screen") << QList<int>{2999, 0} << u"いい"_qs;
    }

    void sortedListReadsInOrderWhateverIsReadFirst()
    {
        QFETCH(QList<int>, firstRead);
        QFETCH(QString, addedAfter);
        const platform::TextItems words = someWords(3000);
        QStringList want;
        for (qsizetype i = 0; i < words.count(); ++i)
            want.append(words.at(i).toString());

        QStringList sorted = want;
        std::sort(sorted.begin(), sorted.end());

        ui::WordListModel list(true);
        list.add(words);
        QCOMPARE(list.count(), 3000);
        for (int row : firstRead)
            QCOMPARE(list.data(list.index(row), Qt::DisplayRole).toString(), sorted[row]);
        if (!addedAfter.isEmpty()) {
            list.add(addedAfter);
            want.append(addedAfter);
        }
        std::sort(want.begin(), want.end());
        QStringList got;
        for (int row = 0; row < list.count(); ++row)
            got.append(list.word(row));
        QCOMPARE(got, want);
    }
};

QTEST_MAIN(TestViews)
#include "test_views.moc"
