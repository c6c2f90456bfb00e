#pragma once
// The answer box: a one-line edit that reports typed characters to the window's key-press
// handler first, which may consume them (code 0). In hiragana mode (on unless switched off)
// it composes romaji into hiragana itself, for machines without a Japanese input method, or
// in kana input takes the kana of each key's place. Whatever typed it, an answer that holds
// anything but kana once made full width and hiragana (letters that made no kana, a kanji an
// input method converted to, a stray ゛) is never judged: Enter marks those characters instead.
#include "kanakeys.h"
#include "platform/kana/romaji.h"

#include <QLineEdit>

class QAction;

namespace ui {

class AnswerBox : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool hiraganaMode READ hiraganaMode WRITE setHiraganaMode NOTIFY hiraganaModeChanged)
public:
    explicit AnswerBox(QWidget *parent = nullptr);

    bool hiraganaMode() const { return keys_.on; }
    void setHiraganaMode(bool on);
    // Hiragana mode types the kana of each key's place on this keyboard; null: romaji.
    void setKanaInput(const platform::KanaLayout *layout);
    // The romaji typed but not yet composed, shown underlined at the cursor.
    QString composition() const { return composer_.pending(); }
    // The text the last answered Enter found in the box.
    QString lastAnswer() const { return lastAnswer_; }
    // Where Enter found characters that are not kana, as (start, length); empty once edited.
    QList<std::pair<int, int>> strayLetters() const { return stray_; }

signals:
    // The character code of a typed key (13 for Enter); a handler sets it to 0 to consume it.
    void keyPress(quint16 &keyAscii);
    void hiraganaModeChanged(bool on);
    // A key that types or erases (Backspace, Delete), composed into kana or not.
    void keyTyped(bool erases);
    // A system input method sent text: the keys behind it never reach the box.
    void inputMethodUsed();
    // Enter found characters that are not kana; the answer stays in the box, unjudged.
    void strayLettersRefused(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void pressEnter(QKeyEvent *event);
    QChar kanaOf(const QKeyEvent *event) const;
    void typeKana(QChar kana, QKeyEvent *event);
    void compose(QChar c);
    void commitComposition();
    void showComposition(const QString &done);
    void dropCompositionIfReplaced();
    bool markStrayLetters();
    void nameMode();
    void layoutIndicator();
    QRect indicatorRect() const;

    KanaKeys keys_;
    platform::RomajiComposer composer_;
    QString lastAnswer_;
    QList<std::pair<int, int>> stray_;
    QAction *modeAction_;
    QFont indicatorFont_;
    bool systemComposing_ = false; // a system input method has text in composition
    bool enterDown_ = false;       // an Enter press was taken and its release not seen yet
    quint64 enterReleasedAt_ = 0;
    bool ownEdit_ = false;
};

} // namespace ui
