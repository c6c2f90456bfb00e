#include "preferencesdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {
namespace {

const struct {
    bool platform::Preferences::*member;
    const char *name;
    const char *text; // untranslated
    const char *description;
} kOptions[] = {
    {&platform::Preferences::nextKanaCue, "nextKanaCue",
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "次に始める文字を目立たせる"),
     QT_TRANSLATE_NOOP("ui::PreferencesDialog",
                       "相手の言葉の最後の文字に色をつけ、小さい字で終わるときは「つぎ：や」のように示します。")},
    {&platform::Preferences::romajiGuide, "romajiGuide",
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "相手の言葉にローマ字の読みをつける"),
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "入力欄にそのまま打てるつづりを、相手の言葉の下に小さく出します。")},
    {&platform::Preferences::mistakesInWindow, "mistakesInWindow",
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "間違いをメッセージボックスでなく画面に出す"),
     QT_TRANSLATE_NOOP("ui::PreferencesDialog",
                       "ルールに合わない答えの理由を画面に赤く出し、答えを入力欄に残します。数え方は同じです。")},
    {&platform::Preferences::clearEnd, "clearEnd",
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "時間切れを「終了！」で示す"),
     QT_TRANSLATE_NOOP("ui::PreferencesDialog",
                       "時間切れのあと少しのあいだ Enter キーを受け付けないので、メッセージを読まずに閉じてしまいません。")},
    {&platform::Preferences::sounds, "sounds", QT_TRANSLATE_NOOP("ui::PreferencesDialog", "音を鳴らす"),
     QT_TRANSLATE_NOOP("ui::PreferencesDialog",
                       "信号、答え、時間切れで短い音を鳴らします。音の出ないパソコンでは何も起きません。")},
    {&platform::Preferences::weakKanaPractice, "weakKanaPractice",
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "苦手な文字で終わる言葉を相手が多く出す"),
     QT_TRANSLATE_NOOP("ui::PreferencesDialog",
                       "答えの記録で苦手と分かった文字で終わる言葉が出やすくなります。どの言葉も出ることはあります。")},
    {&platform::Preferences::reviewAfterGame, "reviewAfterGame",
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "ゲームのあとにふりかえりを開く"),
     QT_TRANSLATE_NOOP("ui::PreferencesDialog",
                       "時間切れのメッセージを閉じると、間違えたところと使えた言葉を見せる「ふりかえり」が開きます。")},
    {&platform::Preferences::reviewPractice, "reviewPractice",
     QT_TRANSLATE_NOOP("ui::PreferencesDialog", "復習の言葉を相手が多く出す"),
     QT_TRANSLATE_NOOP(
         "ui::PreferencesDialog",
         "ふりかえりに出た言葉と「覚えたい」言葉が相手の言葉に出やすくなります。どの言葉も出ることはあります。")},
};

} // namespace

PreferencesDialog::PreferencesDialog(const platform::Preferences &current, QWidget *parent)
    : QDialog(parent), shown_(current)
{
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(tr("設定"));
    // The rows scroll, the buttons stay: on a screen lower than the dialog the rows would
    // otherwise push its title or its buttons off the screen.
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    // In the order of InputMode, and JIS before US.
    inputMode_ = new QComboBox(this);
    inputMode_->setObjectName(QStringLiteral("inputMode"));
    inputMode_->addItems({tr("ローマ字入力（打ったローマ字をひらがなにする）"),
                          tr("かな入力（キーのかなをそのまま入れる）"), tr("日本語入力システムだけ")});
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
    auto *inputNote =
        new QLabel(tr("ゲームの途中でも 半角/全角 キーで、選んだ入力と日本語入力システムを切り替えられます。"), this);
    inputNote->setWordWrap(true);
    inputNote->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(inputNote);
    for (const auto &option : kOptions) {
        auto *box = new QCheckBox(tr(option.text), this);
        box->setObjectName(QLatin1String(option.name));
        box->setChecked(current.*option.member);
        box->setToolTip(tr(option.description));
        box->setAccessibleDescription(tr(option.description));
        auto *note = new QLabel(tr(option.description), this);
        note->setWordWrap(true);
        note->setIndent(20);
        note->setForegroundRole(QPalette::PlaceholderText);
        layout->addWidget(box);
        layout->addWidget(note);
        boxes_.append({box, option.member});
    }
    auto *goalRow = new QHBoxLayout;
    auto *goalLabel = new QLabel(tr("1 日の練習の目標"), this);
    dailyGoal_ = new QSpinBox(this);
    dailyGoal_->setObjectName(QStringLiteral("dailyGoal"));
    dailyGoal_->setRange(platform::kMinDailyGoal, platform::kMaxDailyGoal);
    dailyGoal_->setSuffix(tr(" 分"));
    dailyGoal_->setValue(current.dailyGoalMinutes);
    goalLabel->setBuddy(dailyGoal_);
    goalRow->addWidget(goalLabel);
    goalRow->addWidget(dailyGoal_);
    goalRow->addStretch(1);
    layout->addLayout(goalRow);
    auto *goalNote = new QLabel(
        tr("成績のカレンダーに、今日遊んだ分数と、目標に届いた日が何日続いているかを出します。ゲームは変わりません。"),
        this);
    goalNote->setWordWrap(true);
    goalNote->setIndent(20);
    goalNote->setForegroundRole(QPalette::PlaceholderText);
    dailyGoal_->setAccessibleDescription(goalNote->text());
    layout->addWidget(goalNote);
    // Each language by its own name, so that a player who can't read the other finds theirs.
    auto *languageRow = new QHBoxLayout;
    auto *languageLabel = new QLabel(tr("表示言語"), this);
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("language"));
    language_->addItem(QStringLiteral("日本語"), int(platform::Language::Japanese));
    language_->addItem(QStringLiteral("English"), int(platform::Language::English));
    language_->setCurrentIndex(language_->findData(int(current.language)));
    language_->setToolTip(tr("ゲームの途中で変えたときは、そのゲームが終わってから切り替わります。"));
    languageLabel->setBuddy(language_);
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(language_);
    languageRow->addStretch(1);
    layout->addLayout(languageRow);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(scroll);
    outer->addSpacing(6);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
    setMinimumWidth(420);
    // The rows' whole height at the dialog's width (wrapped notes claim less than they take
    // until they know it), as far as the screen has room.
    const QMargins margins = outer->contentsMargins();
    const int width = std::max(420, page->sizeHint().width() + margins.left() + margins.right());
    const int pageWidth = width - margins.left() - margins.right();
    const int rows = page->hasHeightForWidth() ? page->heightForWidth(pageWidth) : page->sizeHint().height();
    const int wanted = margins.top() + rows + outer->spacing() * 2 + 6 + buttons->sizeHint().height() + margins.bottom();
    const QScreen *screen = parent ? parent->screen() : nullptr;
    resize(width, screen ? std::min(wanted, screen->availableGeometry().height() - 40) : wanted);
}

platform::Preferences PreferencesDialog::preferences() const
{
    platform::Preferences chosen = shown_;
    for (const auto &[box, member] : boxes_)
        chosen.*member = box->isChecked();
    chosen.inputMode = platform::InputMode(inputMode_->currentIndex());
    chosen.usKanaKeyboard = kanaKeyboard_->currentIndex() == 1;
    chosen.language = platform::Language(language_->currentData().toInt());
    chosen.dailyGoalMinutes = dailyGoal_->value();
    return chosen;
}

} // namespace ui
