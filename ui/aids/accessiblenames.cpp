#include "accessiblenames.h"

#include <QComboBox>
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
    const char16_t *name;
    const char16_t *description;
    Kind kind = Kind::Plain;
} kControls[] = {
    {"Image1", u"カナリンカ", u"タイトル"},
    {"Line1_0", u"区切り線", u""},
    {"Line1_1", u"区切り線", u""},
    {"Frame1", u"プレイエリア", u""},
    {"Frame2", u"成績", u"正答数、誤答数、文字数、正解率、1秒あたりの文字数"},
    {"cboJikan", u"プレイ秒数", u"1 ゲームの秒数。一覧から選ぶと保存されます"},
    {"chkAs", u"自動保存", u""},
    {"imgStart1", u"スタートの信号：赤", u""},
    {"imgStart2", u"スタートの信号：黄", u""},
    {"imgStart3", u"スタートの信号：青", u""},
    {"shpJikanB", u"使った時間", u""},
    {"shpJikanK", u"残り時間", u""},
    {"lblMondai", u"相手の言葉", u"この言葉の最後の文字で始まる言葉を答えます", Kind::Value},
    {"txtKaitou", u"自分の答え", u"答えを入力して Enter キーを押します"},
    {"lstRireki", u"しりとり履歴", u"このゲームの言葉。相手の言葉と自分の答えが交互に並びます"},
    {"lstJisyo", u"覚えた言葉", u"辞書の言葉"},
    {"lstInpRireki", u"答えた言葉", u""},
    {"lstHukusu", u"返事の候補", u""},
    {"msgRireki", u"履歴", u"保存したゲームの結果"},
    {"wordCue", u"次に始める文字", u""},
    {"lblOk", u"正答数", u"しりとりになった答えの数", Kind::Statistic},
    {"lblNg", u"誤答数", u"ルールに合わなかった答えの数", Kind::Statistic},
    {"lblMoji_T", u"文字数", u"しりとりになった答えの文字の数", Kind::Statistic},
    {"lblRitu", u"正解率", u"正答数 ÷（正答数 ＋ 誤答数）", Kind::Statistic},
    {"lblByou", u"1秒あたりの文字数", u"文字数 ÷ プレイ秒数", Kind::Statistic},
};

} // namespace

void describeControls(QWidget *window)
{
    for (const auto &control : kControls) {
        if (auto *widget = window->findChild<QWidget *>(QLatin1String(control.object))) {
            widget->setAccessibleName(QString::fromUtf16(control.name));
            widget->setAccessibleDescription(QString::fromUtf16(control.description));
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
            const QString name = QString::fromUtf16(control.name);
            label->setAccessibleName(label->text().isEmpty() ? name : name + u'：' + label->text());
        }
    }
}

} // namespace ui
