// Romaji composition: how letters wait and complete, the guide's spellings, and how bad
// table lines are reported.
#include "platform/kana/romaji.h"
#include "platform/kana/romajiguide.h"

#include <QFile>

#include <QTest>

namespace {

// Types keys as the answer box does: composed keys go to the composer, any other key first
// completes what is pending and then goes in as typed, '\b' is Backspace (a pending letter
// first, else the last character) and the end of the keys is Enter.
QString type(QStringView keys)
{
    platform::RomajiComposer composer;
    QString text;
    for (QChar c : keys) {
        if (c == u'\b') {
            if (!composer.backspace())
                text.chop(1);
        } else if (platform::RomajiComposer::composes(c)) {
            text += composer.feed(c);
        } else {
            text += composer.flush() + c;
        }
    }
    return text + composer.flush();
}

} // namespace

class TestRomaji : public QObject {
    Q_OBJECT
private slots:
    void compositionEdgeCases_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("alternate spellings") << u"situtyacyowhoxn"_qs << u"しつちゃちょうぉん"_qs;
        QTest::newRow("small kana, x and l") << u"xyalyoxkalke"_qs << u"ゃょゕゖ"_qs;
        QTest::newRow("nnya is ん and にゃ") << u"konnya"_qs << u"こんにゃ"_qs;
        QTest::newRow("n' before a vowel") << u"n'a"_qs << u"んあ"_qs;
        QTest::newRow("nnn keeps one n for the next kana") << u"konnnichiha"_qs << u"こんにちは"_qs;
        QTest::newRow("n before a hyphen") << u"n-"_qs << u"んー"_qs;
        QTest::newRow("double consonant before ch") << u"maccha"_qs << u"まっちゃ"_qs;
        QTest::newRow("upper case") << u"GoRIRA"_qs << u"ごりら"_qs;
        QTest::newRow("q before a vowel") << u"qa"_qs << u"qあ"_qs;
        QTest::newRow("unfinished letters kept on Enter") << u"aky"_qs << u"あky"_qs;
        QTest::newRow("letters that continue nothing stay as typed") << u"kyk"_qs << u"kyk"_qs;
        QTest::newRow("digit completes the n first") << u"n1"_qs << u"ん1"_qs;
        QTest::newRow("backspace keeps the completed kana") << u"ky\bo"_qs << u"こ"_qs;
        QTest::newRow("backspace after the doubled consonant") << u"kk\ba"_qs << u"っあ"_qs;
    }

    void compositionEdgeCases()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QCOMPARE(type(keys), text);
    }

    void lettersWaitUntilTheyCompleteAKana_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("done");
        QTest::addColumn<QString>("pending");
        QTest::newRow("gor") << u"gor"_qs << u"ご"_qs << u"r"_qs;
        QTest::newRow("kk") << u"kk"_qs << u"っ"_qs << u"k"_qs;
        QTest::newRow("nn waits for a vowel") << u"nn"_qs << QString() << u"nn"_qs;
        QTest::newRow("nk") << u"nk"_qs << u"ん"_qs << u"k"_qs;
    }

    void lettersWaitUntilTheyCompleteAKana()
    {
        QFETCH(QString, keys);
        QFETCH(QString, done);
        QFETCH(QString, pending);
        platform::RomajiComposer composer;
        QString text;
        for (QChar c : keys)
            text += composer.feed(c);
        QCOMPARE(text, done);
        QCOMPARE(composer.pending(), pending);
    }

    // The guide under the computer's word: Hepburn where the table allows, and what it shows
    // types back into the same kana.
    void theGuideSpellsWhatTypesBackToTheWord_data()
    {
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QString>("romaji");
        const char16_t *rows[][2] = {
            {u"かぼちゃ", u"kabocha"}, {u"つくえ", u"tsukue"},   {u"ふじ", u"fuji"},       {u"しんぶん", u"shinbun"},
            {u"ほんや", u"hon'ya"},    {u"ほんにゃ", u"honnya"}, {u"きんえん", u"kin'en"}, {u"みんな", u"minna"},
            {u"まっちゃ", u"matcha"},  {u"きって", u"kitte"},    {u"あっ", u"axtu"},       {u"こーひー", u"ko-hi-"},
            {u"ぢぁ", u"dixa"},        {u"ゴリラ", u"ゴリラ"},
        };
        for (const auto &[kana, romaji] : rows)
            QTest::newRow(QString::fromUtf16(kana).toUtf8()) << QString::fromUtf16(kana) << QString::fromUtf16(romaji);
    }

    void theGuideSpellsWhatTypesBackToTheWord()
    {
        QFETCH(QString, kana);
        QFETCH(QString, romaji);
        QCOMPARE(platform::RomajiSpeller().spell(kana), romaji);
        QCOMPARE(type(romaji), kana);
    }

    void theGuideTypesBackEveryStarterWord()
    {
        QFile file(QStringLiteral(KANARINKA_WORD_LIST));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const platform::RomajiSpeller speller;
        QStringList wrong;
        for (const QString &word : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
            if (type(speller.spell(word)) != word)
                wrong << word + u':' + speller.spell(word);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u' ')));
    }

    void badTableLinesAreNamedAndSkipped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("rules");
        QTest::newRow("no tab") << u"ka\tか\nki き\n"_qs
                                << u"t.txt line 2: expected input, output and an optional pending part, "
                                   "separated by tabs"_qs
                                << 1;
        QTest::newRow("upper-case input")
            << u"# c\n\nKa\tか"_qs << u"t.txt line 3: the input \"Ka\" must be lower-case Latin letters, '-' or '''"_qs
            << 0;
        QTest::newRow("pending as long as input")
            << u"kk\tっ\tkk"_qs << u"t.txt line 1: the pending part \"kk\" must be letters and shorter than \"kk\""_qs
            << 0;
        QTest::newRow("duplicate") << u"ka\tか\r\nka\tカ\r\n"_qs
                                   << u"t.txt line 2: \"ka\" is already mapped on line 1"_qs << 1;
    }

    void badTableLinesAreNamedAndSkipped()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(int, rules);
        QStringList errors;
        const auto table = platform::RomajiTable::parse(text, u"t.txt"_qs, &errors);
        QCOMPARE(errors, QStringList{error});
        QCOMPARE(table.rules().size(), rules);
    }
};

QTEST_APPLESS_MAIN(TestRomaji)
#include "test_romaji.moc"
