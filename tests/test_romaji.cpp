// Romaji composition: every spelling of the built-in table, how letters wait and complete,
// and how bad table lines are reported.
#include "platform/romaji.h"
#include "platform/romajiguide.h"

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

// What each spelling gives, as "keys:kana", written out independently of the table.
struct Row {
    const char *name;
    const char16_t *spellings;
};
const Row kRows[] = {
    {"vowels, k, g",
     u"a:あ i:い u:う e:え o:お ka:か ki:き ku:く ke:け ko:こ ca:か cu:く co:こ kwa:くぁ kya:きゃ kyi:きぃ kyu:きゅ"
     u" kye:きぇ kyo:きょ ga:が gi:ぎ gu:ぐ ge:げ go:ご gwa:ぐぁ gya:ぎゃ gyi:ぎぃ gyu:ぎゅ gye:ぎぇ gyo:ぎょ"},
    {"s, z, j",
     u"sa:さ si:し shi:し su:す se:せ so:そ ci:し ce:せ sya:しゃ syi:しぃ syu:しゅ sye:しぇ syo:しょ sha:しゃ"
     u" shu:しゅ she:しぇ sho:しょ za:ざ zi:じ zu:ず ze:ぜ zo:ぞ zya:じゃ zyi:じぃ zyu:じゅ zye:じぇ zyo:じょ ja:じゃ"
     u" ji:じ ju:じゅ je:じぇ jo:じょ jya:じゃ jyi:じぃ jyu:じゅ jye:じぇ jyo:じょ"},
    {"t, d",
     u"ta:た ti:ち chi:ち tu:つ tsu:つ te:て to:と tya:ちゃ tyi:ちぃ tyu:ちゅ tye:ちぇ tyo:ちょ cha:ちゃ chu:ちゅ"
     u" che:ちぇ cho:ちょ cya:ちゃ cyi:ちぃ cyu:ちゅ cye:ちぇ cyo:ちょ tsa:つぁ tsi:つぃ tse:つぇ tso:つぉ tha:てゃ"
     u" thi:てぃ thu:てゅ the:てぇ tho:てょ twa:とぁ twi:とぃ twu:とぅ twe:とぇ two:とぉ da:だ di:ぢ du:づ de:で do:ど"
     u" dya:ぢゃ dyi:ぢぃ dyu:ぢゅ dye:ぢぇ dyo:ぢょ dha:でゃ dhi:でぃ dhu:でゅ dhe:でぇ dho:でょ dwa:どぁ dwi:どぃ"
     u" dwu:どぅ dwe:どぇ dwo:どぉ"},
    {"n",
     u"na:な ni:に nu:ぬ ne:ね no:の nya:にゃ nyi:にぃ nyu:にゅ nye:にぇ nyo:にょ nn:ん n':ん xn:ん n:ん nna:んな"
     u" nni:んに nnu:んぬ nne:んね nno:んの nnya:んにゃ nnyi:んにぃ nnyu:んにゅ nnye:んにぇ nnyo:んにょ"},
    {"h, f, b, p",
     u"ha:は hi:ひ hu:ふ fu:ふ he:へ ho:ほ fa:ふぁ fi:ふぃ fe:ふぇ fo:ふぉ hya:ひゃ hyi:ひぃ hyu:ひゅ hye:ひぇ hyo:ひょ"
     u" fya:ふゃ fyi:ふぃ fyu:ふゅ fye:ふぇ fyo:ふょ ba:ば bi:び bu:ぶ be:べ bo:ぼ bya:びゃ byi:びぃ byu:びゅ bye:びぇ"
     u" byo:びょ pa:ぱ pi:ぴ pu:ぷ pe:ぺ po:ぽ pya:ぴゃ pyi:ぴぃ pyu:ぴゅ pye:ぴぇ pyo:ぴょ"},
    {"m, y, r, w, v",
     u"ma:ま mi:み mu:む me:め mo:も mya:みゃ myi:みぃ myu:みゅ mye:みぇ myo:みょ ya:や yi:い yu:ゆ ye:いぇ yo:よ"
     u" ra:ら ri:り ru:る re:れ ro:ろ rya:りゃ ryi:りぃ ryu:りゅ rye:りぇ ryo:りょ wa:わ wi:うぃ wu:う we:うぇ wo:を"
     u" wha:うぁ whi:うぃ whu:う whe:うぇ who:うぉ wyi:ゐ wye:ゑ va:ゔぁ vi:ゔぃ vu:ゔ ve:ゔぇ vo:ゔぉ vya:ゔゃ vyi:ゔぃ"
     u" vyu:ゔゅ vye:ゔぇ vyo:ゔょ"},
    {"small kana",
     u"xa:ぁ xi:ぃ xu:ぅ xe:ぇ xo:ぉ xyi:ぃ xye:ぇ xya:ゃ xyu:ゅ xyo:ょ xtu:っ xtsu:っ xwa:ゎ xka:ゕ xke:ゖ"
     u" la:ぁ li:ぃ lu:ぅ le:ぇ lo:ぉ lyi:ぃ lye:ぇ lya:ゃ lyu:ゅ lyo:ょ ltu:っ ltsu:っ lwa:ゎ lka:ゕ lke:ゖ"},
    {"doubled consonants, long sound",
     u"bba:っば cca:っか dda:っだ ffa:っふぁ gga:っが hha:っは jja:っじゃ kka:っか mma:っま ppa:っぱ rra:っら ssa:っさ"
     u" tta:った vvu:っゔ wwa:っわ yya:っや zza:っざ tcha:っちゃ -:ー"},
};

QStringList spellings(const Row &row, int part) // 0: the keys, 1: the kana
{
    QStringList out;
    for (const QString &pair : QString::fromUtf16(row.spellings).split(u' '))
        out << pair.section(u':', part, part);
    return out;
}

} // namespace

class TestRomaji : public QObject {
    Q_OBJECT
private slots:
    void everySpellingGivesItsKana_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("kana");
        for (const Row &row : kRows)
            QTest::newRow(row.name) << spellings(row, 0) << spellings(row, 1);
    }

    // Spaces between the spellings end each composition.
    void everySpellingGivesItsKana()
    {
        QFETCH(QStringList, keys);
        QFETCH(QStringList, kana);
        QCOMPARE(type(keys.join(u' ')).split(u' '), kana);
    }

    // A rule nobody wrote an expectation for is a rule nobody checked.
    void everyRuleOfTheTableIsChecked()
    {
        QStringList words;
        for (const Row &row : kRows)
            words += spellings(row, 0);
        const auto &rules = platform::RomajiTable::standard().rules();
        QVERIFY(rules.size() > 250);
        for (const auto &rule : rules) {
            const bool checked = words.contains(rule.input)
                || (!rule.pending.isEmpty()
                    && std::any_of(words.begin(), words.end(),
                                   [&](const QString &w) { return w.startsWith(rule.input); }));
            QVERIFY2(checked, qPrintable(rule.input));
        }
    }

    void compositionEdgeCases_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("n' before a vowel") << u"n'a"_qs << u"んあ"_qs;
        QTest::newRow("n before a consonant") << u"nka"_qs << u"んか"_qs;
        QTest::newRow("nnn keeps one n for the next kana") << u"konnnichiha"_qs << u"こんにちは"_qs;
        QTest::newRow("n before a hyphen") << u"n-"_qs << u"んー"_qs;
        QTest::newRow("n' before y") << u"kin'yuu"_qs << u"きんゆう"_qs;
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
            {u"かぼちゃ", u"kabocha"}, {u"つくえ", u"tsukue"}, {u"ふじ", u"fuji"}, {u"しんぶん", u"shinbun"},
            {u"ほんや", u"hon'ya"}, {u"ほんにゃ", u"honnya"}, {u"きんえん", u"kin'en"}, {u"みんな", u"minna"},
            {u"まっちゃ", u"matcha"}, {u"きって", u"kitte"}, {u"あっ", u"axtu"}, {u"こーひー", u"ko-hi-"},
            {u"ぢぁ", u"dixa"}, {u"ゴリラ", u"ゴリラ"},
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
                                   "separated by tabs"_qs << 1;
        QTest::newRow("upper-case input")
            << u"# c\n\nKa\tか"_qs
            << u"t.txt line 3: the input \"Ka\" must be lower-case Latin letters, '-' or '''"_qs << 0;
        QTest::newRow("pending as long as input")
            << u"kk\tっ\tkk"_qs
            << u"t.txt line 1: the pending part \"kk\" must be letters and shorter than \"kk\""_qs << 0;
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
