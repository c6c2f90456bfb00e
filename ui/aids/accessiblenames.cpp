#include "accessiblenames.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace ui {
namespace {

// How a control is named: by the table alone; by the table and then what the label shows (the
// word to answer); or so, with the name and the description as its tip too (the statistics
// boxes, which show bare numbers).
enum class Kind { Plain, Value, Statistic };

// Object name, accessible name, description. An empty description leaves the control's tip
// to describe it.
const struct {
    const char *object;
    const char *name; // untranslated
    const char *description;
    Kind kind = Kind::Plain;
} kControls[] = {
    {"Image1", QT_TRANSLATE_NOOP("AccessibleNames", "カナリンカ"), QT_TRANSLATE_NOOP("AccessibleNames", "タイトル")},
    {"Line1_0", QT_TRANSLATE_NOOP("AccessibleNames", "区切り線"), ""},
    {"Line1_1", QT_TRANSLATE_NOOP("AccessibleNames", "区切り線"), ""},
    {"Frame1", QT_TRANSLATE_NOOP("AccessibleNames", "プレイエリア"), ""},
    {"Frame2", QT_TRANSLATE_NOOP("AccessibleNames", "成績"),
     QT_TRANSLATE_NOOP("AccessibleNames", "正答数、誤答数、文字数、正解率、1秒あたりの文字数")},
    {"cboJikan", QT_TRANSLATE_NOOP("AccessibleNames", "プレイ秒数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "1 ゲームの秒数。一覧から選ぶと保存されます")},
    {"chkAs", QT_TRANSLATE_NOOP("AccessibleNames", "自動保存"), ""},
    {"imgStart1", QT_TRANSLATE_NOOP("AccessibleNames", "スタートの信号：赤"), ""},
    {"imgStart2", QT_TRANSLATE_NOOP("AccessibleNames", "スタートの信号：黄"), ""},
    {"imgStart3", QT_TRANSLATE_NOOP("AccessibleNames", "スタートの信号：青"), ""},
    {"shpJikanB", QT_TRANSLATE_NOOP("AccessibleNames", "使った時間"), ""},
    {"shpJikanK", QT_TRANSLATE_NOOP("AccessibleNames", "残り時間"), ""},
    {"lblMondai", QT_TRANSLATE_NOOP("AccessibleNames", "相手の言葉"),
     QT_TRANSLATE_NOOP("AccessibleNames", "この言葉の最後の文字で始まる言葉を答えます"), Kind::Value},
    {"txtKaitou", QT_TRANSLATE_NOOP("AccessibleNames", "自分の答え"),
     QT_TRANSLATE_NOOP("AccessibleNames", "答えを入力して Enter キーを押します")},
    {"lstRireki", QT_TRANSLATE_NOOP("AccessibleNames", "しりとり履歴"),
     QT_TRANSLATE_NOOP("AccessibleNames", "このゲームの言葉。相手の言葉と自分の答えが交互に並びます")},
    {"lstJisyo", QT_TRANSLATE_NOOP("AccessibleNames", "覚えた言葉"), QT_TRANSLATE_NOOP("AccessibleNames", "辞書の言葉")},
    {"lstInpRireki", QT_TRANSLATE_NOOP("AccessibleNames", "答えた言葉"), ""},
    {"lstHukusu", QT_TRANSLATE_NOOP("AccessibleNames", "返事の候補"), ""},
    {"msgRireki", QT_TRANSLATE_NOOP("AccessibleNames", "履歴"),
     QT_TRANSLATE_NOOP("AccessibleNames", "保存したゲームの結果")},
    {"wordCue", QT_TRANSLATE_NOOP("AccessibleNames", "次に始める文字"), ""},
    {"lblOk", QT_TRANSLATE_NOOP("AccessibleNames", "正答数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "しりとりになった答えの数"), Kind::Statistic},
    {"lblNg", QT_TRANSLATE_NOOP("AccessibleNames", "誤答数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "ルールに合わなかった答えの数"), Kind::Statistic},
    {"lblMoji_T", QT_TRANSLATE_NOOP("AccessibleNames", "文字数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "しりとりになった答えの文字の数"), Kind::Statistic},
    {"lblRitu", QT_TRANSLATE_NOOP("AccessibleNames", "正解率"),
     QT_TRANSLATE_NOOP("AccessibleNames", "正答数 ÷（正答数 ＋ 誤答数）"), Kind::Statistic},
    {"lblByou", QT_TRANSLATE_NOOP("AccessibleNames", "1秒あたりの文字数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "文字数 ÷ プレイ秒数"), Kind::Statistic},
};

// An empty text stays empty: translating it would give the translation file's header.
QString translated(const char *text)
{
    return *text ? QCoreApplication::translate("AccessibleNames", text) : QString();
}

} // namespace

void describeControls(QWidget *window)
{
    for (const auto &control : kControls) {
        if (auto *widget = window->findChild<QWidget *>(QLatin1String(control.object))) {
            widget->setAccessibleName(translated(control.name));
            widget->setAccessibleDescription(translated(control.description));
            // An editable combo is reached through its edit field.
            if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
                combo->lineEdit()->setAccessibleName(widget->accessibleName());
            if (control.kind == Kind::Statistic)
                widget->setToolTip(widget->accessibleName() + u'\n' + widget->accessibleDescription());
        }
    }
    nameValues(window);
}

void nameValues(QWidget *window)
{
    for (const auto &control : kControls) {
        if (control.kind == Kind::Plain)
            continue;
        if (auto *label = window->findChild<QLabel *>(QLatin1String(control.object))) {
            const QString name = translated(control.name);
            label->setAccessibleName(
                label->text().isEmpty()
                    ? name
                    : QCoreApplication::translate("AccessibleNames", "%1：%2").arg(name, label->text()));
        }
    }
}

} // namespace ui
