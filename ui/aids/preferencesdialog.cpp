#include "preferencesdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {
namespace {

const struct {
    bool platform::Preferences::*member;
    const char16_t *name;
    const char16_t *text;
    const char16_t *description;
} kOptions[] = {
    {&platform::Preferences::nextKanaCue, u"nextKanaCue", u"次に始める文字を目立たせる",
     u"相手の言葉の最後の文字に色をつけ、小さい字で終わるときは「つぎ：や」のように示します。"},
    {&platform::Preferences::romajiGuide, u"romajiGuide", u"相手の言葉にローマ字の読みをつける",
     u"入力欄にそのまま打てるつづりを、相手の言葉の下に小さく出します。"},
    {&platform::Preferences::mistakesInWindow, u"mistakesInWindow",
     u"間違いをメッセージボックスでなく画面に出す",
     u"ルールに合わない答えの理由を画面に赤く出し、答えを入力欄に残します。数え方は同じです。"},
    {&platform::Preferences::clearEnd, u"clearEnd", u"時間切れを「終了！」で示す",
     u"時間切れのあと少しのあいだ Enter キーを受け付けないので、メッセージを読まずに閉じてしまいません。"},
    {&platform::Preferences::sounds, u"sounds", u"音を鳴らす",
     u"信号、答え、時間切れで短い音を鳴らします。音の出ないパソコンでは何も起きません。"},
    {&platform::Preferences::weakKanaPractice, u"weakKanaPractice", u"苦手な文字で終わる言葉を相手が多く出す",
     u"答えの記録で苦手と分かった文字で終わる言葉が出やすくなります。どの言葉も出ることはあります。"},
    {&platform::Preferences::reviewAfterGame, u"reviewAfterGame", u"ゲームのあとにふりかえりを開く",
     u"時間切れのメッセージを閉じると、間違えたところと使えた言葉を見せる「ふりかえり」が開きます。"},
    {&platform::Preferences::reviewPractice, u"reviewPractice", u"復習の言葉を相手が多く出す",
     u"ふりかえりに出た言葉と「覚えたい」言葉が相手の言葉に出やすくなります。どの言葉も出ることはあります。"},
};

} // namespace

PreferencesDialog::PreferencesDialog(const platform::Preferences &current, QWidget *parent)
    : QDialog(parent), shown_(current)
{
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(QStringLiteral("設定"));
    auto *layout = new QVBoxLayout(this);
    // In the order of InputMode, and JIS before US.
    inputMode_ = new QComboBox(this);
    inputMode_->setObjectName(QStringLiteral("inputMode"));
    inputMode_->addItems({tr("ローマ字入力（打ったローマ字をひらがなにする）"), tr("かな入力（キーのかなをそのまま入れる）"),
                          tr("日本語入力システムだけ")});
    inputMode_->setCurrentIndex(int(current.inputMode));
    kanaKeyboard_ = new QComboBox(this);
    kanaKeyboard_->setObjectName(QStringLiteral("kanaKeyboard"));
    kanaKeyboard_->addItems({tr("JIS（106/109 キー）"), tr("US（` キーが ー、Shift+` が ろ）")});
    kanaKeyboard_->setCurrentIndex(current.usKanaKeyboard ? 1 : 0);
    auto *input = new QGridLayout;
    input->addWidget(new QLabel(tr("入力のしかた"), this), 0, 0);
    input->addWidget(inputMode_, 0, 1);
    input->addWidget(new QLabel(tr("かな入力のキーボード"), this), 1, 0);
    input->addWidget(kanaKeyboard_, 1, 1);
    input->setColumnStretch(1, 1);
    layout->addLayout(input);
    auto *inputNote = new QLabel(tr("ゲームの途中でも 半角/全角 キーで、選んだ入力と日本語入力システムを切り替えられます。"), this);
    inputNote->setWordWrap(true);
    inputNote->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(inputNote);
    for (const auto &option : kOptions) {
        auto *box = new QCheckBox(QString::fromUtf16(option.text), this);
        box->setObjectName(QString::fromUtf16(option.name));
        box->setChecked(current.*option.member);
        box->setToolTip(QString::fromUtf16(option.description));
        box->setAccessibleDescription(QString::fromUtf16(option.description));
        auto *note = new QLabel(QString::fromUtf16(option.description), this);
        note->setWordWrap(true);
        note->setIndent(20);
        note->setForegroundRole(QPalette::PlaceholderText);
        layout->addWidget(box);
        layout->addWidget(note);
        boxes_.append({box, option.member});
    }
    layout->addSpacing(6);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    // The wrapped notes claim less height than they take once laid out, which squeezed the lists.
    setMinimumHeight(sizeHint().height());
}

platform::Preferences PreferencesDialog::preferences() const
{
    platform::Preferences chosen = shown_;
    for (const auto &[box, member] : boxes_)
        chosen.*member = box->isChecked();
    chosen.inputMode = platform::InputMode(inputMode_->currentIndex());
    chosen.usKanaKeyboard = kanaKeyboard_->currentIndex() == 1;
    return chosen;
}

} // namespace ui
