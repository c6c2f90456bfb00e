#include "answerbox.h"
#include "platform/kana/kana.h"
#include "translations/language.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTextCharFormat>

namespace ui {

AnswerBox::AnswerBox(QWidget *parent) : QLineEdit(parent), modeAction_(new QAction(this))
{
    modeAction_->setObjectName(QStringLiteral("hiraganaModeAction"));
    translations::keepTranslated(this, [this] { nameMode(); });
    modeAction_->setCheckable(true);
    modeAction_->setChecked(keys_.on);
    connect(modeAction_, &QAction::toggled, this, &AnswerBox::setHiraganaMode);
    connect(this, &QLineEdit::textChanged, this, &AnswerBox::dropCompositionIfReplaced);
    // The release of an Enter may go to a message box that the press opened.
    QCoreApplication::instance()->installEventFilter(this);
    layoutIndicator();
}

bool AnswerBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) {
            enterDown_ = false;
            enterReleasedAt_ = key->timestamp();
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

void AnswerBox::setHiraganaMode(bool on)
{
    if (on == keys_.on)
        return;
    commitComposition();
    keys_.on = on;
    modeAction_->setChecked(on);
    update();
    emit hiraganaModeChanged(on);
}

void AnswerBox::setKanaInput(const platform::KanaLayout *layout)
{
    commitComposition();
    keys_.layout = layout;
    nameMode();
    update();
}

void AnswerBox::nameMode()
{
    modeAction_->setText(keys_.layout ? tr("かな入力\t半角/全角") : tr("ひらがな入力\t半角/全角"));
}

// While a system input method composes, every key is its to take.
QChar AnswerBox::kanaOf(const QKeyEvent *event) const
{
    return systemComposing_ ? QChar() : keys_.kanaOf(*event);
}

void AnswerBox::typeKana(QChar kana, QKeyEvent *event)
{
    event->accept();
    emit keyTyped(false);
    quint16 code = kana.unicode();
    emit keyPress(code);
    if (code == 0)
        return;
    // ゛ and ゜ change the kana before the cursor; over a selection they replace it as typed.
    const int at = cursorPosition();
    const QChar previous = hasSelectedText() || at == 0 ? QChar() : text().at(at - 1);
    const platform::KanaEdit edit = platform::typeKana(previous, kana);
    if (edit.replacesPrevious)
        cursorBackward(true);
    insert(QString(edit.text));
}

void AnswerBox::keyPressEvent(QKeyEvent *event)
{
    // Before the keys' meanings: on a US board the ` key, 半角/全角 in a jp layout, is ー.
    if (const QChar kana = kanaOf(event); !kana.isNull()) {
        typeKana(kana, event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressEnter(event);
        return;
    case Qt::Key_Zenkaku_Hankaku:
        setHiraganaMode(!keys_.on);
        event->accept();
        return;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
        // Shift held for the next letter must not end the composition.
        QLineEdit::keyPressEvent(event);
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        emit keyTyped(true);
        break;
    default:
        if (!event->text().isEmpty() && event->text().front().isPrint())
            emit keyTyped(false);
        break;
    }

    if (!composer_.pending().isEmpty()) {
        if (event->key() == Qt::Key_Backspace) {
            composer_.backspace();
            showComposition(QString());
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            composer_.clear();
            showComposition(QString());
            event->accept();
            return;
        }
    }

    const QString text = event->text();
    const bool printable = text.size() == 1 && text.front().isPrint();
    if (printable) {
        quint16 code = text.front().unicode();
        emit keyPress(code);
        if (code == 0) {
            event->accept();
            return;
        }
    }
    if (!systemComposing_ && keys_.composes(*event)) {
        compose(text.front());
        event->accept();
        return;
    }
    // Anything else (digits, kana keys, paste, cursor keys) works on completed text.
    commitComposition();
    QLineEdit::keyPressEvent(event);
}

void AnswerBox::pressEnter(QKeyEvent *event)
{
    event->accept();
    // One press gives one answer however long the key is held: a second answer would be
    // judged empty and counted as a rejection. X11 repeats a held key as release/press pairs
    // with one timestamp, which Qt does not always flag as repeats.
    const bool repeat =
        event->isAutoRepeat() || enterDown_ || (event->timestamp() != 0 && event->timestamp() == enterReleasedAt_);
    if (repeat)
        return;
    // This Enter confirms the input method's text; the next one answers.
    if (systemComposing_)
        return;
    commitComposition();
    enterDown_ = true;
    if (markStrayLetters()) {
        emit strayLettersRefused(text());
        return;
    }
    lastAnswer_ = text();
    quint16 code = 13;
    emit keyPress(code);
    if (code != 0)
        QLineEdit::keyPressEvent(event);
}

void AnswerBox::inputMethodEvent(QInputMethodEvent *event)
{
    // A system input method took over: what was typed so far stays as it is.
    commitComposition();
    systemComposing_ = !event->preeditString().isEmpty();
    if (systemComposing_ || !event->commitString().isEmpty())
        emit inputMethodUsed();
    QLineEdit::inputMethodEvent(event);
}

void AnswerBox::focusInEvent(QFocusEvent *event)
{
    // The release of an Enter that opened a message box went to the box.
    enterDown_ = false;
    QLineEdit::focusInEvent(event);
}

void AnswerBox::focusOutEvent(QFocusEvent *event)
{
    commitComposition();
    enterDown_ = false;
    systemComposing_ = false;
    QLineEdit::focusOutEvent(event);
}

void AnswerBox::mousePressEvent(QMouseEvent *event)
{
    commitComposition();
    QLineEdit::mousePressEvent(event);
}

void AnswerBox::contextMenuEvent(QContextMenuEvent *event)
{
    commitComposition();
    QMenu *menu = createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(modeAction_);
    menu->exec(event->globalPos());
    delete menu;
}

void AnswerBox::compose(QChar c)
{
    showComposition(composer_.feed(c));
}

void AnswerBox::commitComposition()
{
    if (!composer_.pending().isEmpty())
        showComposition(composer_.flush());
}

// The line edit already draws an input method's unfinished text at the cursor; the pending
// romaji goes the same way, so it looks and moves like a system composition.
void AnswerBox::showComposition(const QString &done)
{
    const QString pending = composer_.pending();
    QList<QInputMethodEvent::Attribute> attributes;
    if (!pending.isEmpty()) {
        QTextCharFormat underline;
        underline.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, int(pending.size()), underline)
                   << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, int(pending.size()), 1);
    }
    QInputMethodEvent event(pending, attributes);
    event.setCommitString(done);
    const QScopedValueRollback guard(ownEdit_, true);
    QLineEdit::inputMethodEvent(&event);
}

// The text was set from outside (the answer was taken, a game started): letters typed for
// the old text have no place in the new one. Any edit takes the marks off stray letters.
void AnswerBox::dropCompositionIfReplaced()
{
    if (ownEdit_)
        return;
    const bool marked = !stray_.isEmpty();
    stray_.clear();
    if (composer_.pending().isEmpty() && !marked)
        return;
    composer_.clear();
    showComposition(QString());
}

// What is judged must be kana once converted, whatever typed it: letters left once all romaji
// is composed started no kana ("kxusuri" gives 「kぅすり」), an input method may commit a kanji
// (お茶) or a letter left in its composition (らっｐ), kana input a ゛ that no kana took. Judged,
// such an answer would count a misread kana as a mistake, or teach the dictionary a word no
// kana continues. The characters are drawn red with a wavy underline, through the same text
// formats that show a composition.
bool AnswerBox::markStrayLetters()
{
    stray_ = platform::notKana(text());
    if (stray_.isEmpty())
        return false;
    QTextCharFormat mark;
    mark.setForeground(QColor(204, 0, 0));
    mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.setUnderlineColor(QColor(204, 0, 0));
    QList<QInputMethodEvent::Attribute> attributes;
    for (const auto &[start, length] : std::as_const(stray_))
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, start - cursorPosition(), length, mark);
    QInputMethodEvent event(QString(), attributes);
    const QScopedValueRollback guard(ownEdit_, true);
    QLineEdit::inputMethodEvent(&event);
    return true;
}

void AnswerBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        layoutIndicator();
    QLineEdit::changeEvent(event);
}

void AnswerBox::layoutIndicator()
{
    // Small beside the answer, whether the box's font is set in points or pixels.
    indicatorFont_ = font();
    indicatorFont_.setPixelSize(qBound(11, QFontInfo(font()).pixelSize() * 3 / 10, 18));
    setTextMargins(0, 0, indicatorRect().width() + 4, 0);
    update();
}

QRect AnswerBox::indicatorRect() const
{
    const QFontMetrics fm(indicatorFont_);
    const int h = fm.height() + 2;
    const int w = qMax(h, fm.horizontalAdvance(QStringLiteral("あ")) + 6);
    return QRect(width() - w - 5, height() - h - 5, w, h);
}

void AnswerBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(indicatorFont_);
    const QRectF r = QRectF(indicatorRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (keys_.on) {
        const QColor ink(176, 48, 48);
        p.setPen(ink);
        p.setBrush(ink);
        p.drawRoundedRect(r, 3, 3);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, keys_.layout ? QStringLiteral("か") : QStringLiteral("あ"));
    } else {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 3, 3);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("A"));
    }
}

} // namespace ui
