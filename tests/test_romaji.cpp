#include "platform/romaji.h"

#include <QTest>

namespace {

// Types keys as the answer box does: composed keys go to the composer, any other key first
// completes what is pending and then goes in as typed, '\b' is Backspace (a pending letter
// first, else the last character) and the end of the keys is Enter.
QString type(platform::RomajiComposer &composer, QStringView keys)
{
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

QString type(QStringView keys)
{
    platform::RomajiComposer composer;
    return type(composer, keys);
}

// What each spelling gives, written out independently of the table; words are separated by
// spaces, which end a composition.
struct Row {
    const char *name;
    const char16_t *keys;
    const char16_t *kana;
};
const Row kRows[] = {
    {"vowels", u"a i u e o", u"あ い う え お"},
    {"k", u"ka ki ku ke ko ca cu co kwa", u"か き く け こ か く こ くぁ"},
    {"ky", u"kya kyi kyu kye kyo", u"きゃ きぃ きゅ きぇ きょ"},
    {"g", u"ga gi gu ge go gwa", u"が ぎ ぐ げ ご ぐぁ"},
    {"gy", u"gya gyi gyu gye gyo", u"ぎゃ ぎぃ ぎゅ ぎぇ ぎょ"},
    {"s", u"sa si shi su se so ci ce", u"さ し し す せ そ し せ"},
    {"sy sh", u"sya syi syu sye syo sha shu she sho",
     u"しゃ しぃ しゅ しぇ しょ しゃ しゅ しぇ しょ"},
    {"z", u"za zi zu ze zo", u"ざ じ ず ぜ ぞ"},
    {"zy", u"zya zyi zyu zye zyo", u"じゃ じぃ じゅ じぇ じょ"},
    {"j jy", u"ja ji ju je jo jya jyi jyu jye jyo",
     u"じゃ じ じゅ じぇ じょ じゃ じぃ じゅ じぇ じょ"},
    {"t", u"ta ti chi tu tsu te to", u"た ち ち つ つ て と"},
    {"ty ch", u"tya tyi tyu tye tyo cha chu che cho",
     u"ちゃ ちぃ ちゅ ちぇ ちょ ちゃ ちゅ ちぇ ちょ"},
    {"cy ts", u"cya cyi cyu cye cyo tsa tsi tse tso",
     u"ちゃ ちぃ ちゅ ちぇ ちょ つぁ つぃ つぇ つぉ"},
    {"th tw", u"tha thi thu the tho twa twi twu twe two",
     u"てゃ てぃ てゅ てぇ てょ とぁ とぃ とぅ とぇ とぉ"},
    {"d dy", u"da di du de do dya dyi dyu dye dyo",
     u"だ ぢ づ で ど ぢゃ ぢぃ ぢゅ ぢぇ ぢょ"},
    {"dh dw", u"dha dhi dhu dhe dho dwa dwi dwu dwe dwo",
     u"でゃ でぃ でゅ でぇ でょ どぁ どぃ どぅ どぇ どぉ"},
    {"n ny", u"na ni nu ne no nya nyi nyu nye nyo", u"な に ぬ ね の にゃ にぃ にゅ にぇ にょ"},
    {"n alone", u"nn n' xn n", u"ん ん ん ん"},
    {"nn before a vowel or y", u"nna nni nnu nne nno nnya nnyi nnyu nnye nnyo",
     u"んな んに んぬ んね んの んにゃ んにぃ んにゅ んにぇ んにょ"},
    {"h f", u"ha hi hu fu he ho fa fi fe fo", u"は ひ ふ ふ へ ほ ふぁ ふぃ ふぇ ふぉ"},
    {"hy fy", u"hya hyi hyu hye hyo fya fyi fyu fye fyo",
     u"ひゃ ひぃ ひゅ ひぇ ひょ ふゃ ふぃ ふゅ ふぇ ふょ"},
    {"b by", u"ba bi bu be bo bya byi byu bye byo", u"ば び ぶ べ ぼ びゃ びぃ びゅ びぇ びょ"},
    {"p py", u"pa pi pu pe po pya pyi pyu pye pyo", u"ぱ ぴ ぷ ぺ ぽ ぴゃ ぴぃ ぴゅ ぴぇ ぴょ"},
    {"m my", u"ma mi mu me mo mya myi myu mye myo", u"ま み む め も みゃ みぃ みゅ みぇ みょ"},
    {"y", u"ya yi yu ye yo", u"や い ゆ いぇ よ"},
    {"r ry", u"ra ri ru re ro rya ryi ryu rye ryo", u"ら り る れ ろ りゃ りぃ りゅ りぇ りょ"},
    {"w", u"wa wi wu we wo wha whi whu whe who wyi wye",
     u"わ うぃ う うぇ を うぁ うぃ う うぇ うぉ ゐ ゑ"},
    {"v", u"va vi vu ve vo vya vyi vyu vye vyo", u"ゔぁ ゔぃ ゔ ゔぇ ゔぉ ゔゃ ゔぃ ゔゅ ゔぇ ゔょ"},
    {"x small", u"xa xi xu xe xo xyi xye xya xyu xyo xtu xtsu xwa xka xke",
     u"ぁ ぃ ぅ ぇ ぉ ぃ ぇ ゃ ゅ ょ っ っ ゎ ゕ ゖ"},
    {"l small", u"la li lu le lo lyi lye lya lyu lyo ltu ltsu lwa lka lke",
     u"ぁ ぃ ぅ ぇ ぉ ぃ ぇ ゃ ゅ ょ っ っ ゎ ゕ ゖ"},
    {"doubled consonants", u"bba cca dda ffa gga hha jja kka mma ppa rra ssa tta vvu wwa yya zza",
     u"っば っか っだ っふぁ っが っは っじゃ っか っま っぱ っら っさ った っゔ っわ っや っざ"},
    {"tch", u"tcha", u"っちゃ"},
    {"long sound", u"-", u"ー"},
};

} // namespace

class TestRomaji : public QObject {
    Q_OBJECT
private slots:
    void theBuiltInTableLoadsWithoutErrors();
    void everySpellingGivesItsKana_data();
    void everySpellingGivesItsKana();
    void everyRuleOfTheTableIsChecked();
    void compositionEdgeCases_data();
    void compositionEdgeCases();
    void lettersWaitUntilTheyCompleteAKana_data();
    void lettersWaitUntilTheyCompleteAKana();
    void badTableLinesAreNamedAndSkipped_data();
    void badTableLinesAreNamedAndSkipped();
};

void TestRomaji::theBuiltInTableLoadsWithoutErrors()
{
    QFile file(QStringLiteral(":/platform/romaji.txt"));
    (void)platform::RomajiTable::standard(); // registers the resource
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QStringList errors;
    const auto table = platform::RomajiTable::parse(QString::fromUtf8(file.readAll()),
                                                    QStringLiteral("romaji.txt"), &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    QCOMPARE(table.rules().size(), platform::RomajiTable::standard().rules().size());
}

void TestRomaji::everySpellingGivesItsKana_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("kana");
    for (const Row &row : kRows)
        QTest::newRow(row.name) << QString::fromUtf16(row.keys) << QString::fromUtf16(row.kana);
}

void TestRomaji::everySpellingGivesItsKana()
{
    QFETCH(QString, keys);
    QFETCH(QString, kana);
    QCOMPARE(type(keys), kana);
}

// A rule nobody wrote an expectation for is a rule nobody checked.
void TestRomaji::everyRuleOfTheTableIsChecked()
{
    QSet<QString> words;
    for (const Row &row : kRows) {
        for (const QString &w : QString::fromUtf16(row.keys).split(u' '))
            words.insert(w);
    }
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

void TestRomaji::compositionEdgeCases_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("kka") << u"kka"_qs << u"っか"_qs;
    QTest::newRow("nna") << u"nna"_qs << u"んな"_qs;
    QTest::newRow("n'a") << u"n'a"_qs << u"んあ"_qs;
    QTest::newRow("na") << u"na"_qs << u"な"_qs;
    QTest::newRow("nka") << u"nka"_qs << u"んか"_qs;
    QTest::newRow("shi si") << u"shisi"_qs << u"しし"_qs;
    QTest::newRow("tsu tu") << u"tsutu"_qs << u"つつ"_qs;
    QTest::newRow("xtu") << u"xtu"_qs << u"っ"_qs;
    QTest::newRow("kyo") << u"kyo"_qs << u"きょ"_qs;
    QTest::newRow("hyphen") << u"ra-men"_qs << u"らーめん"_qs;
    QTest::newRow("gorira") << u"gorira"_qs << u"ごりら"_qs;
    QTest::newRow("trailing n on Enter") << u"hon"_qs << u"ほん"_qs;
    QTest::newRow("nnn keeps one n for the next kana") << u"konnnichiha"_qs << u"こんにちは"_qs;
    QTest::newRow("nn before a vowel") << u"konnichiha"_qs << u"こんにちは"_qs;
    QTest::newRow("n before a hyphen") << u"n-"_qs << u"んー"_qs;
    QTest::newRow("n' before y") << u"kin'yuu"_qs << u"きんゆう"_qs;
    QTest::newRow("double consonant before ch") << u"maccha"_qs << u"まっちゃ"_qs;
    QTest::newRow("upper case") << u"GoRIRA"_qs << u"ごりら"_qs;
    QTest::newRow("q starts no kana") << u"q"_qs << u"q"_qs;
    QTest::newRow("q before a vowel") << u"qa"_qs << u"qあ"_qs;
    QTest::newRow("unfinished letters kept on Enter") << u"aky"_qs << u"あky"_qs;
    QTest::newRow("letters that continue nothing stay as typed") << u"kyk"_qs << u"kyk"_qs;
    QTest::newRow("digit completes the n first") << u"n1"_qs << u"ん1"_qs;
    QTest::newRow("kana pass") << u"kアa"_qs << u"kアあ"_qs;
    QTest::newRow("backspace over a pending letter") << u"k\ba"_qs << u"あ"_qs;
    QTest::newRow("backspace keeps the completed kana") << u"ky\bo"_qs << u"こ"_qs;
    QTest::newRow("backspace after the doubled consonant") << u"kk\ba"_qs << u"っあ"_qs;
    QTest::newRow("backspace with nothing pending deletes") << u"ka\bi"_qs << u"い"_qs;
}

void TestRomaji::compositionEdgeCases()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QCOMPARE(type(keys), text);
}

void TestRomaji::lettersWaitUntilTheyCompleteAKana_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("done");
    QTest::addColumn<QString>("pending");
    QTest::newRow("k") << u"k"_qs << QString() << u"k"_qs;
    QTest::newRow("kyo") << u"kyo"_qs << u"きょ"_qs << QString();
    QTest::newRow("gor") << u"gor"_qs << u"ご"_qs << u"r"_qs;
    QTest::newRow("kk") << u"kk"_qs << u"っ"_qs << u"k"_qs;
    QTest::newRow("n") << u"n"_qs << QString() << u"n"_qs;
    QTest::newRow("nn waits for a vowel") << u"nn"_qs << QString() << u"nn"_qs;
    QTest::newRow("nk") << u"nk"_qs << u"ん"_qs << u"k"_qs;
}

void TestRomaji::lettersWaitUntilTheyCompleteAKana()
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

void TestRomaji::badTableLinesAreNamedAndSkipped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("rules");
    QTest::newRow("no tab") << u"ka\tか\nki き\n"_qs
                            << u"t.txt line 2: expected input, output and an optional pending part, "
                               "separated by tabs"_qs
                            << 1;
    QTest::newRow("upper-case input") << u"# c\n\nKa\tか"_qs
                                      << u"t.txt line 3: the input \"Ka\" must be lower-case Latin "
                                         "letters, '-' or '''"_qs
                                      << 0;
    QTest::newRow("pending as long as input")
        << u"kk\tっ\tkk"_qs
        << u"t.txt line 1: the pending part \"kk\" must be letters and shorter than \"kk\""_qs << 0;
    QTest::newRow("duplicate") << u"ka\tか\r\nka\tカ\r\n"_qs
                               << u"t.txt line 2: \"ka\" is already mapped on line 1"_qs << 1;
}

void TestRomaji::badTableLinesAreNamedAndSkipped()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    QFETCH(int, rules);
    QStringList errors;
    const auto table = platform::RomajiTable::parse(text, u"t.txt"_qs, &errors);
    QCOMPARE(errors, QStringList{error});
    QCOMPARE(table.rules().size(), rules);
}

QTEST_APPLESS_MAIN(TestRomaji)
#include "test_romaji.moc"
