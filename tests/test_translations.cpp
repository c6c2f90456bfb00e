// The English file covers every text the program shows, and no shown text bypasses it.
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Entry {
    QString context, source, translation;
    bool finished = false;
};

QList<Entry> readTs(const QString &path)
{
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            entries.append({context});
        else if (xml.name() == u"source" && !entries.isEmpty())
            entries.last().source = xml.readElementText();
        else if (xml.name() == u"translation" && !entries.isEmpty()) {
            entries.last().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            entries.last().translation = xml.readElementText();
        }
    }
    return entries;
}

QStringList placeholders(const QString &text)
{
    QStringList found;
    for (const QRegularExpressionMatch &m : QRegularExpression(u"%\\d"_qs).globalMatch(text))
        found.append(m.captured());
    found.sort();
    found.removeDuplicates();
    return found;
}

// What the sources are scanned for: the player-visible folders, as lupdate is run on them.
QStringList sourceFiles()
{
    QStringList files;
    for (const QString &part : QStringLiteral(KANARINKA_TRANSLATED_SOURCES).split(u'|')) {
        if (QFileInfo(part).isFile()) {
            files.append(part);
            continue;
        }
        QDirIterator it(part, {u"*.cpp"_qs, u"*.h"_qs}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
    }
    return files;
}

// Texts that are data, not words to the player: file names and formats, the kana tables and
// key caps, the font's name, each language's own name, and markup around a word.
bool isData(const QString &literal)
{
    static const QSet<QString> data{
        u"設定.txt"_qs,
        u"辞書.txt"_qs,
        u"履歴.txt"_qs,
        u"回答記録.txt"_qs,
        u"復習.txt"_qs,
        u"/秒"_qs,
        u"2.63/秒"_qs,
        u"⇧"_qs,
        u"¥"_qs,
        u"<p style='white-space:pre'><span style='font-size:15pt; font-weight:bold'>%1</span>　%2</p>"_qs,
        u"ＭＳ Ｐゴシック"_qs,
        u"日本語"_qs,
        u"。「」、・ヲァィゥェォャュョッー"_qs,
        u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"_qs,
        u"゛゜"_qs,
        u"ぁぃぅぇぉゃゅょっゎゕゖァィゥェォャュョッヮヵヶ"_qs};
    // Words in hiragana stay hiragana in every language (the layout's sample word, the kana map).
    static const QRegularExpression hiragana(u"^[\\x{3040}-\\x{309F}\\x{3000}ー]+$"_qs);
    return data.contains(literal) || hiragana.match(literal).hasMatch();
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void everyEntryIsTranslatedWithItsPlaceholders()
    {
        const QList<Entry> entries = readTs(QStringLiteral(KANARINKA_TS_FILE));
        QVERIFY(entries.size() > 100);
        for (const Entry &e : entries) {
            const QString where = e.context + u": "_qs + e.source;
            QVERIFY2(e.finished && !e.translation.isEmpty(), qPrintable(u"unfinished: "_qs + where));
            QVERIFY2(placeholders(e.source) == placeholders(e.translation), qPrintable(u"placeholders: "_qs + where));
        }
    }

    // lupdate neither adds an entry (a new text) nor drops one (whose translation would be orphaned).
    void lupdateFindsTheSameTexts()
    {
        QTemporaryDir dir;
        const QString ts = dir.filePath(u"check.ts"_qs);
        QVERIFY(QFile::copy(QStringLiteral(KANARINKA_TS_FILE), ts));
        QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.start(QStringLiteral(KANARINKA_LUPDATE),
                      QStringList{u"-locations"_qs, u"none"_qs, u"-no-obsolete"_qs, u"-extensions"_qs, u"cpp,h"_qs}
                          + QStringLiteral(KANARINKA_TRANSLATED_SOURCES).split(u'|') + QStringList{u"-ts"_qs, ts});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);

        QSet<QString> before, after;
        for (const Entry &e : readTs(QStringLiteral(KANARINKA_TS_FILE)))
            before.insert(e.context + u'\x1f' + e.source);
        for (const Entry &e : readTs(ts))
            after.insert(e.context + u'\x1f' + e.source);
        const QStringList added = (after - before).values(), dropped = (before - after).values();
        QVERIFY2(added.isEmpty(), qPrintable(u"new texts, run lupdate and translate: "_qs + added.join(u", ")));
        QVERIFY2(dropped.isEmpty(), qPrintable(u"texts no longer in the sources: "_qs + dropped.join(u", ")));
    }

    // lupdate files a tr() outside a Q_OBJECT class under a context no lookup uses: untranslated.
    void everyTextIsFiledUnderTheContextItIsLookedUpIn()
    {
        static const QRegularExpression named(u"\\b(?:translate|QT_TRANSLATE_NOOP3?)\\(\\s*\"([^\"]+)\""_qs);
        static const QRegularExpression object(u"\\bclass\\s+(\\w+)[^;{]*\\{\\s*Q_OBJECT\\b"_qs);
        static const QRegularExpression space(u"^namespace\\s+([\\w:]+)\\s*\\{"_qs, QRegularExpression::MultilineOption);
        QSet<QString> looked, classes;
        for (const QString &path : sourceFiles()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch &m : named.globalMatch(text))
                looked.insert(m.captured(1));
            for (const QRegularExpressionMatch &c : object.globalMatch(text)) {
                classes.insert(c.captured(1));
                for (const QRegularExpressionMatch &n : space.globalMatch(text))
                    classes.insert(n.captured(1) + u"::"_qs + c.captured(1));
            }
        }
        QSet<QString> filed;
        for (const Entry &e : readTs(QStringLiteral(KANARINKA_TS_FILE)))
            filed.insert(e.context);
        const QStringList unused = (filed - looked - classes).values(), missing = (looked - filed).values();
        QVERIFY2(unused.isEmpty(), qPrintable(u"texts filed where no lookup finds them: "_qs + unused.join(u", ")));
        QVERIFY2(missing.isEmpty(), qPrintable(u"contexts looked up but not in the file: "_qs + missing.join(u", ")));
    }

    // A Japanese literal outside tr() must be (part of) a source text in the file, or data.
    void noJapaneseTextBypassesTranslation()
    {
        QStringList sources;
        for (const Entry &e : readTs(QStringLiteral(KANARINKA_TS_FILE)))
            sources.append(e.source);
        const QString all = sources.join(u'\x1f');
        static const QRegularExpression literal(u"(?<![A-Za-z0-9_'])(?:u8|u|L)?\"((?:[^\"\\\\]|\\\\.)*)\""_qs);
        QStringList bypassing;
        for (const QString &path : sourceFiles()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            int number = 0;
            for (const QByteArray &bytes : file.readAll().split('\n')) {
                ++number;
                QString line = QString::fromUtf8(bytes);
                if (line.trimmed().startsWith(u"//"))
                    continue;
                const qsizetype comment = line.indexOf(u" // "); // a comment after code
                for (const QRegularExpressionMatch &m : literal.globalMatch(line)) {
                    if (comment >= 0 && m.capturedStart() > comment)
                        break;
                    QString text = m.captured(1);
                    text.replace(u"\\n"_qs, u"\n"_qs).replace(u"\\t"_qs, u"\t"_qs).replace(u"\\\""_qs, u"\""_qs);
                    const bool ascii =
                        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
                    if (!ascii && !isData(text) && !all.contains(text))
                        bypassing.append(
                            QStringLiteral("%1:%2: %3").arg(QFileInfo(path).fileName()).arg(number).arg(text));
                }
            }
        }
        QVERIFY2(bypassing.isEmpty(), qPrintable(bypassing.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
