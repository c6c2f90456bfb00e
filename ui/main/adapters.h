#pragma once
// The controls' operations on the real widgets.
#include "platform/controls.h"

#include <QPointer>
#include <array>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace ui {

class AnswerBox;

class LabelAdapter : public platform::Label {
public:
    explicit LabelAdapter(QLabel *label) : label_(label) {}
    QString caption() const override;
    void setCaption(const QString &text) override;

private:
    QLabel *label_;
};

class FrameAdapter : public platform::Frame {
public:
    explicit FrameAdapter(QGroupBox *frame) : frame_(frame) {}
    void setCaption(const QString &text) override;
    void setVisible(bool visible) override;

private:
    QGroupBox *frame_;
};

class ButtonAdapter : public platform::Button {
public:
    explicit ButtonAdapter(QAbstractButton *button) : button_(button) {}
    void setEnabled(bool enabled) override;

private:
    QAbstractButton *button_;
};

// A different value changes the box's state, which raises its click handling.
class CheckBoxAdapter : public platform::CheckBox {
public:
    explicit CheckBoxAdapter(QCheckBox *box) : box_(box) {}
    int value() const override;
    void setValue(int value) override;

private:
    QCheckBox *box_;
};

class ComboBoxAdapter : public platform::ComboBox {
public:
    explicit ComboBoxAdapter(QComboBox *combo) : combo_(combo) {}
    QString text() const override;
    void setText(const QString &text) override;
    void addItem(const QString &text) override;

private:
    QComboBox *combo_;
};

class TextBoxAdapter : public platform::TextBox {
public:
    explicit TextBoxAdapter(AnswerBox *box) : box_(box) {}
    QString text() const override;
    void setText(const QString &text) override;
    void setFocus() override;

private:
    AnswerBox *box_;
};

// A rectangle whose width is kept in twips and shown in whole pixels.
class ShapeAdapter : public platform::Shape {
public:
    ShapeAdapter(QWidget *shape, double twips);
    double width() const override { return twips_; }
    void setWidth(int twips) override;

private:
    QWidget *shape_;
    double twips_;
};

// Elements 1..3.
class ImageArrayAdapter : public platform::ImageArray {
public:
    explicit ImageArrayAdapter(std::array<QWidget *, 3> images) : images_(images) {}
    void setVisible(int index, bool visible) override;

private:
    std::array<QWidget *, 3> images_;
};

} // namespace ui
