#pragma once
// The few widgets the layout needs that Qt has no exact match for.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace ui {

// A command button showing a 32 x 32 picture above its caption.
QToolButton *makePictureButton(QWidget *parent, const QString &name, const QString &caption, const QIcon &icon,
                               const QString &tip);

// A check box drawn as a button with a picture: raised when unchecked, pressed in when
// checked, pressed in with a greyed picture in the third state. The player's click
// gives checked or unchecked, never the third state.
class PictureCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit PictureCheckBox(QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void nextCheckState() override;
    bool hitButton(const QPoint &pos) const override;
};

// A narrow side tag whose caption reads downwards, one character a line, each line as
// tall as the font's size.
class TagLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A frame whose own surface is clickable: the caption line and the margin around what
// it holds. A click on a child (its list) stays with the child.
class ClickFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit ClickFrame(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

// An editable combo box that tells a pick from the list apart from typing: picked() is
// raised when the player chooses an item (from the list, with the arrow keys or the wheel),
// never when the typed text happens to equal an item.
class PickCombo : public QComboBox {
    Q_OBJECT
public:
    explicit PickCombo(QWidget *parent = nullptr);

signals:
    void picked();

private:
    class Edit;
    Edit *edit_;
};

} // namespace ui
