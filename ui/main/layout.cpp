#include "layout.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <cstring>

namespace ui {
namespace {

// Every placed control: name, container, and left, top, width, height in twips inside it; then
// its name and description for a screen reader. The etched rules are a pixel high.
constexpr LayoutPlace kPlaces[] = {
    {"cmdStart", "frmMain", 5175, 150, 840, 915},
    {"cmdHozon", "frmMain", 6000, 150, 840, 915},
    {"cmdClear", "frmMain", 6825, 150, 840, 915},
    {"cmdHelp", "frmMain", 7650, 150, 840, 915},
    {"cmdEnd", "frmMain", 8475, 150, 840, 915},
    {"Image1", "frmMain", 225, 150, 4620, 930, QT_TRANSLATE_NOOP("AccessibleNames", "カナリンカ"),
     QT_TRANSLATE_NOOP("AccessibleNames", "タイトル")},
    {"Line1_1", "frmMain", 150, 1260, 9150, 15, QT_TRANSLATE_NOOP("AccessibleNames", "区切り線")},
    {"Line1_0", "frmMain", 150, 1275, 9150, 15, QT_TRANSLATE_NOOP("AccessibleNames", "区切り線")},
    {"Frame1", "frmMain", 130, 1300, 9240, 5370, QT_TRANSLATE_NOOP("AccessibleNames", "プレイエリア")},
    {"Label1_1", "Frame1", 900, 195, 1155, 330},
    {"cboJikan", "Frame1", 900, 450, 1065, 405, QT_TRANSLATE_NOOP("AccessibleNames", "プレイ秒数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "1 ゲームの秒数。一覧から選ぶと保存されます")},
    {"chkAs", "Frame1", 2100, 450, 420, 420, QT_TRANSLATE_NOOP("AccessibleNames", "自動保存")},
    {"imgStart1", "Frame1", 180, 270, 480, 480, QT_TRANSLATE_NOOP("AccessibleNames", "スタートの信号：赤")},
    {"imgStart2", "Frame1", 180, 270, 480, 480, QT_TRANSLATE_NOOP("AccessibleNames", "スタートの信号：黄")},
    {"imgStart3", "Frame1", 180, 270, 480, 480, QT_TRANSLATE_NOOP("AccessibleNames", "スタートの信号：青")},
    {"Frame2", "Frame1", 2670, 135, 6330, 735, QT_TRANSLATE_NOOP("AccessibleNames", "成績"),
     QT_TRANSLATE_NOOP("AccessibleNames", "正答数、誤答数、文字数、正解率、1秒あたりの文字数")},
    {"shpJikanB", "Frame1", 225, 945, 8745, 75, QT_TRANSLATE_NOOP("AccessibleNames", "使った時間")},
    {"shpJikanK", "Frame1", 225, 945, 8745, 75, QT_TRANSLATE_NOOP("AccessibleNames", "残り時間")},
    {"Label2_0", "Frame1", 225, 1080, 390, 975},
    {"Label2_1", "Frame1", 225, 2100, 390, 1005},
    {"lblMondai", "Frame1", 600, 1080, 5805, 975, QT_TRANSLATE_NOOP("AccessibleNames", "相手の言葉"),
     QT_TRANSLATE_NOOP("AccessibleNames", "この言葉の最後の文字で始まる言葉を答えます"), Spoken::Value},
    {"txtKaitou", "Frame1", 600, 2100, 5790, 1005, QT_TRANSLATE_NOOP("AccessibleNames", "自分の答え"),
     QT_TRANSLATE_NOOP("AccessibleNames", "答えを入力して Enter キーを押します")},
    {"fraJisyo", "Frame1", 6525, 1125, 2490, 1965},
    {"fraRireki", "Frame1", 6525, 1125, 2490, 1965},
    {"lstInpRireki", "Frame1", 0, 2100, 165, 780, QT_TRANSLATE_NOOP("AccessibleNames", "答えた言葉")},
    {"lstHukusu", "Frame1", 0, 1050, 165, 600, QT_TRANSLATE_NOOP("AccessibleNames", "返事の候補")},
    {"msgRireki", "Frame1", 225, 3225, 8790, 1965, QT_TRANSLATE_NOOP("AccessibleNames", "履歴"),
     QT_TRANSLATE_NOOP("AccessibleNames", "保存したゲームの結果")},
    {"lstJisyo", "fraJisyo", 150, 300, 2190, 1500, QT_TRANSLATE_NOOP("AccessibleNames", "覚えた言葉"),
     QT_TRANSLATE_NOOP("AccessibleNames", "辞書の言葉")},
    {"lstRireki", "fraRireki", 150, 300, 2190, 1500, QT_TRANSLATE_NOOP("AccessibleNames", "しりとり履歴"),
     QT_TRANSLATE_NOOP("AccessibleNames", "このゲームの言葉。相手の言葉と自分の答えが交互に並びます")},
    {"lblOk", "Frame2", 150, 180, 810, 465, QT_TRANSLATE_NOOP("AccessibleNames", "正答数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "しりとりになった答えの数"), Spoken::Statistic},
    {"lblNg", "Frame2", 1050, 180, 810, 465, QT_TRANSLATE_NOOP("AccessibleNames", "誤答数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "ルールに合わなかった答えの数"), Spoken::Statistic},
    {"lblMoji_T", "Frame2", 1950, 180, 930, 465, QT_TRANSLATE_NOOP("AccessibleNames", "文字数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "しりとりになった答えの文字の数"), Spoken::Statistic},
    {"lblRitu", "Frame2", 3000, 180, 1455, 465, QT_TRANSLATE_NOOP("AccessibleNames", "正解率"),
     QT_TRANSLATE_NOOP("AccessibleNames", "正答数 ÷（正答数 ＋ 誤答数）"), Spoken::Statistic},
    {"lblByou", "Frame2", 4500, 180, 1680, 465, QT_TRANSLATE_NOOP("AccessibleNames", "1秒あたりの文字数"),
     QT_TRANSLATE_NOOP("AccessibleNames", "文字数 ÷ プレイ秒数"), Spoken::Statistic},
};

// An empty text stays empty: translating it would give the translation file's header.
QString spoken(const char *text)
{
    return *text ? QCoreApplication::translate("AccessibleNames", text) : QString();
}

} // namespace

int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

QRect LayoutPlace::pixels() const
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

std::span<const LayoutPlace> layoutPlaces()
{
    return kPlaces;
}

int layoutRow(const char *name)
{
    for (int row = 0; row < int(std::size(kPlaces)); ++row)
        if (std::strcmp(kPlaces[row].name, name) == 0)
            return row;
    Q_ASSERT_X(false, "layoutRow", name);
    return -1;
}

void describeControls(std::span<QWidget *const> placed)
{
    for (size_t row = 0; row < std::size(kPlaces); ++row) {
        const LayoutPlace &place = kPlaces[row];
        QWidget *widget = placed[row];
        if (!place.spokenName)
            continue;
        widget->setAccessibleName(spoken(place.spokenName));
        widget->setAccessibleDescription(spoken(place.description));
        // An editable combo is reached through its edit field.
        if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(widget->accessibleName());
        if (place.spoken == Spoken::Statistic)
            widget->setToolTip(widget->accessibleName() + u'\n' + widget->accessibleDescription());
    }
    nameValues(placed);
}

void nameValues(std::span<QWidget *const> placed)
{
    for (size_t row = 0; row < std::size(kPlaces); ++row) {
        if (kPlaces[row].spoken == Spoken::Plain)
            continue;
        auto *label = static_cast<QLabel *>(placed[row]);
        const QString name = spoken(kPlaces[row].spokenName);
        label->setAccessibleName(label->text().isEmpty()
                                     ? name
                                     : QCoreApplication::translate("AccessibleNames", "%1：%2").arg(name, label->text()));
    }
}

} // namespace ui
