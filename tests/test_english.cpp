// The window in English: its texts, that each fits its control, and the switch between languages.
#include "aidedwindow.h"
#include "ui/aids/preferences/languageswitch.h"
#include "ui/base/fonts.h"
#include "ui/main/widgets.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScopeGuard>
#include <QTableView>

using platform::Language;

namespace {

QString text(AidedWindow &w, const char *name)
{
    QWidget *widget = w.find(name);
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    return QString();
}

QString heading(AidedWindow &w, int col)
{
    return w.find<QTableView>("msgRireki")->model()->headerData(col, Qt::Horizontal).toString();
}

} // namespace

class TestEnglish : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }
    void cleanup() { switchTo(Language::Japanese); }

    void windowStartsInEnglishAndNoTextIsCut()
    {
        switchTo(Language::English);
        AidedWindow w;
        w.load();
        for (const QString &shown : {w.window.windowTitle(), w.find("txtKaitou")->accessibleName()}) // the layout table's
            QVERIFY2(fakes::inEnglish(shown), qPrintable(shown));

        QStringList cut;
        for (QWidget *widget : w.window.findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(&w.window))
                continue;
            const QString name = widget->objectName();
            // A side tag reads downwards, a character a line as tall as its font.
            if (auto *tag = qobject_cast<ui::TagLabel *>(widget)) {
                const int step = tag->font().pixelSize() > 0 ? tag->font().pixelSize() : tag->fontMetrics().height();
                if (tag->text().size() * step > tag->contentsRect().height())
                    cut << name + u": "_qs + tag->text();
                continue;
            }
            if (auto *label = qobject_cast<QLabel *>(widget);
                label && !label->text().isEmpty() && !label->wordWrap() && label->sizeHint().width() > label->width())
                cut << name + u": "_qs + label->text();
            if (auto *button = qobject_cast<QAbstractButton *>(widget);
                button && !button->text().isEmpty() && button->sizeHint().width() > button->width())
                cut << name + u": "_qs + button->text();
            // The caption and the frame's margins on both sides.
            if (auto *frame = qobject_cast<QGroupBox *>(widget); frame && !frame->title().isEmpty()
                && frame->fontMetrics().horizontalAdvance(frame->title()) + 16 > frame->width())
                cut << name + u": "_qs + frame->title();
        }
        auto *grid = w.find<QTableView>("msgRireki");
        for (int col = 0; col < 10; ++col) {
            const QString title = heading(w, col);
            if (grid->horizontalHeader()->fontMetrics().horizontalAdvance(title) + 4 > grid->columnWidth(col))
                cut << u"heading: "_qs + title;
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }

    // An open window follows the language at once: its captions, the figures' units and the
    // grid's headings; the saved values stay as the file has them.
    void anOpenWindowFollowsTheLanguage()
    {
        AidedWindow w;
        fakes::writeBytes(u"履歴.txt"_qs,
                          fakes::cp932(u"\"2010/04/01\",\"13:05:09\",812,25,3,98,\"89.3%\",\"1.63/秒\",\"60秒\"\r\n"_qs));
        w.load();
        w.start();
        w.answer(u"ごりら"_qs);
        w.playOut();
        const QStringList japanese{text(w, "cmdStart"), text(w, "lblByou"), text(w, "fraJisyo"), heading(w, 1)};
        QCOMPARE(japanese, (QStringList{u"スタート"_qs, u"0.05/秒"_qs, u"覚えた言葉 3個"_qs, u"日付"_qs}));

        switchTo(Language::English);
        const QStringList english{text(w, "cmdStart"), text(w, "lblByou"), text(w, "fraJisyo"), heading(w, 1)};
        for (const QString &shown : english)
            QVERIFY2(fakes::inEnglish(shown), qPrintable(shown));
        QVERIFY(english[1].startsWith(u"0.05/"_qs) && english[2].endsWith(u'3'));
        QTRY_VERIFY(fakes::inEnglish(w.find("lblByou")->accessibleName())
                    && w.find("lblByou")->accessibleName().endsWith(english[1]));
        const QModelIndex saved = w.find<QTableView>("msgRireki")->model()->index(0, 8);
        QCOMPARE(saved.data().toString(), u"1.63/秒"_qs);

        switchTo(Language::Japanese);
        QCOMPARE((QStringList{text(w, "cmdStart"), text(w, "lblByou"), text(w, "fraJisyo"), heading(w, 1)}), japanese);
    }

    void aChangeDuringAGameWaitsForItsEnd()
    {
        AidedWindow w;
        w.aids = std::make_unique<ui::PlayAids>(w.window, w.messages, w.store, w.sounds, w.clock);
        ui::LanguageSwitch language(*w.aids);
        w.load();
        w.start();
        w.aids->apply({.language = Language::English});
        QCOMPARE(translations::current(), Language::Japanese);
        w.playOut();
        QCOMPARE(translations::current(), Language::English);
        QCoreApplication::processEvents();
        QCOMPARE(text(w, "cmdStart"), u"Start"_qs);
    }
};

QTEST_MAIN(TestEnglish)
#include "test_english.moc"
