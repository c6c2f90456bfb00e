#include "platform/kana/kana.h"

#include <QTest>

class TestKana : public QObject {
    Q_OBJECT
private slots:
    void convertsTypedTextToWideHiragana_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::newRow("katakana, ァ to ヶ")
            << u"ァアィガッヅパポャヮヰヱヲンヴヵヶ"_qs << u"ぁあぃがっづぱぽゃゎゐゑをんゔゕゖ"_qs;
        QTest::newRow("long mark stays") << u"コーヒー"_qs << u"こーひー"_qs;
        QTest::newRow("half-width a..o") << u"ｱｲｳｴｵｧｨｩｪｫ"_qs << u"あいうえおぁぃぅぇぉ"_qs;
        QTest::newRow("half-width voiced")
            << u"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ"_qs << u"がぎぐげござじずぜぞだぢづでど"_qs;
        QTest::newRow("half-width ha row both marks") << u"ﾊﾞﾊﾟﾋﾞﾋﾟﾌﾞﾌﾟﾍﾞﾍﾟﾎﾞﾎﾟ"_qs << u"ばぱびぴぶぷべぺぼぽ"_qs;
        QTest::newRow("half-width vu") << u"ｳﾞ"_qs << u"ゔ"_qs;
        QTest::newRow("half-width rest") << u"ﾅﾆﾇﾈﾉﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｬｭｮｯ"_qs
                                         << u"なにぬねのまみむめもやゆよらりるれろわをんゃゅょっ"_qs;
        QTest::newRow("half-width mark that composes nothing") << u"ｱﾞﾏﾟﾞ"_qs << u"あ゛ま゜゛"_qs;
        QTest::newRow("half-width punctuation and long mark") << u"｡｢｣､･ｰ"_qs << u"。「」、・ー"_qs;
        QTest::newRow("ascii letters and digits") << u"abcXYZ019"_qs << u"ａｂｃＸＹＺ０１９"_qs;
        QTest::newRow("ascii symbols") << u"!\"#~\\,"_qs << u"！＂＃～＼，"_qs;
        QTest::newRow("space to ideographic space, not trimmed") << u" ね こ "_qs << u"　ね　こ　"_qs;
        QTest::newRow("kanji and hiragana pass") << u"猫ねこ①"_qs << u"猫ねこ①"_qs;
        QTest::newRow("empty") << QString() << QString();
    }

    void convertsTypedTextToWideHiragana()
    {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QCOMPARE(platform::toWideHiragana(typed), answer);
    }

    void normalisesOnlyTheEightSmallKana_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("the eight") << u"ぁぃぅぇぉゃゅょ"_qs << u"あいうえおやゆよ"_qs;
        QTest::newRow("left alone") << u"っゎァャあやん"_qs << u"っゎァャあやん"_qs;
    }

    void normalisesOnlyTheEightSmallKana()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QString mapped;
        for (QChar c : in)
            mapped += platform::normaliseSmallKana(c);
        QCOMPARE(mapped, out);
    }
};

QTEST_APPLESS_MAIN(TestKana)
#include "test_kana.moc"
