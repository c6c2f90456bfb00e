// Figures for the biggest start-up the files allow: 32,766 history rows into the grid and
// 32,767 words into the sorted list, each added one at a time as start-up adds them.
#include "fakes.h"
#include "harness.h"
#include "ui/fonts.h"
#include "ui/historygrid.h"
#include "ui/mainwindow.h"
#include "ui/wordlist.h"

#include <QTest>
#include <QTimer>

namespace {

constexpr int kRows = 32766;
constexpr int kWords = 32767;

// Distinct words in no particular order.
QStringList shuffledWords()
{
    QStringList words;
    words.reserve(kWords);
    for (int i = 0; i < kWords; ++i) {
        const int n = (i * 7919) % kWords;
        words.append(QString(QChar(u'あ' + n % 80)) + QString(QChar(u'あ' + n / 80 % 80))
                     + QString::number(n));
    }
    return words;
}

} // namespace

class TestUiLoading : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }
    void gridTakesTheLargestHistoryRowByRow();
    void sortedListTakesTheLargestDictionaryWordByWord();
    void windowStartsWithTheLargestFiles();
};

void TestUiLoading::gridTakesTheLargestHistoryRowByRow()
{
    ui::HistoryGrid grid;
    grid.resize(586, 131);
    grid.show();
    QBENCHMARK_ONCE {
        grid.setRows(1);
        for (int row = 1; row <= kRows; ++row) {
            grid.setRows(grid.rows() + 1);
            grid.setRow(grid.rows() - 1);
            for (int col = 0; col < 10; ++col) {
                grid.setCol(col);
                grid.setText(QString::number(row));
            }
        }
        grid.setTopRow(grid.rows() - 1);
        QCoreApplication::processEvents();
        grid.repaint();
    }
    QCOMPARE(grid.rows(), kRows + 1);
}

void TestUiLoading::sortedListTakesTheLargestDictionaryWordByWord()
{
    const QStringList words = shuffledWords();
    ui::WordList list(true);
    list.resize(146, 100);
    list.show();
    QBENCHMARK_ONCE {
        for (const QString &word : words)
            list.addItem(word);
        QCoreApplication::processEvents();
        list.repaint();
    }
    QCOMPARE(list.count(), kWords);
    QVERIFY(list.item(0) < list.item(1));
}

void TestUiLoading::windowStartsWithTheLargestFiles()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    fakes::writeBytes(u"設定.txt"_qs, "60,1\r\n");
    fakes::writeBytes(u"辞書.txt"_qs, fakes::cp932(shuffledWords().join(u"\r\n"_qs) + u"\r\n"_qs));
    QByteArray history;
    for (int i = 0; i < kRows; ++i)
        history += fakes::cp932(u"\"2010/04/01\",\"13:05:09\",812,25,3,98,\"89.3%\",\"1.63/秒\",\"60秒\"\r\n"_qs);
    fakes::writeBytes(u"履歴.txt"_qs, history);

    fakes::Clock clock;
    fakes::Random random;
    fakes::Messages messages;
    fakes::Help help;
    fakes::Program program;
    bool loaded = false;
    QBENCHMARK_ONCE {
        ui::MainWindow window;
        game::Game &game = window.attach({clock, random, messages, help, program});
        loaded = game.Form_Load();
        window.show();
        QCoreApplication::processEvents();
        window.repaint();
    }
    QDir::setCurrent(previous);
    QVERIFY(loaded);
}

QTEST_MAIN(TestUiLoading)
#include "test_ui_loading.moc"
