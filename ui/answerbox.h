#pragma once
// The answer box: a one-line edit that reports every typed character to the window's
// key-press handler first, which may consume it (code 0).
#include <QLineEdit>

namespace ui {

class AnswerBox : public QLineEdit {
    Q_OBJECT
public:
    explicit AnswerBox(QWidget *parent = nullptr);

signals:
    // The character code of a typed key (13 for Enter); a handler sets it to 0 to consume it.
    void keyPress(quint16 &keyAscii);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace ui
