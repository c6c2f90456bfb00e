#include "adapters.h"

#include "answerbox.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace ui {

QString LabelAdapter::caption() const
{
    return label_->text();
}

void LabelAdapter::setCaption(const QString &text)
{
    label_->setText(text);
}

void FrameAdapter::setCaption(const QString &text)
{
    frame_->setTitle(text);
}

void FrameAdapter::setVisible(bool visible)
{
    frame_->setVisible(visible);
}

void ButtonAdapter::setEnabled(bool enabled)
{
    button_->setEnabled(enabled);
}

int CheckBoxAdapter::value() const
{
    switch (box_->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    default:
        return 2;
    }
}

void CheckBoxAdapter::setValue(int value)
{
    static constexpr Qt::CheckState states[3] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    if (value < 0 || value > 2)
        return; // the settings reader refuses such values before they get here
    box_->setCheckState(states[value]);
}

QString ComboBoxAdapter::text() const
{
    return combo_->currentText();
}

void ComboBoxAdapter::setText(const QString &text)
{
    // A text equal to an item selects it, so the arrow keys go on from there.
    combo_->setCurrentIndex(combo_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    combo_->setEditText(text);
    if (QLineEdit *edit = combo_->lineEdit())
        edit->setCursorPosition(0); // show the start of a text wider than the box
}

void ComboBoxAdapter::addItem(const QString &text)
{
    // Adding the first item would make it current and replace the shown text.
    const QString shown = combo_->currentText();
    combo_->addItem(text);
    combo_->setEditText(shown);
}

QString TextBoxAdapter::text() const
{
    return box_->text();
}

void TextBoxAdapter::setText(const QString &text)
{
    box_->setText(text);
}

void TextBoxAdapter::setFocus()
{
    box_->setFocus(Qt::OtherFocusReason);
}

ShapeAdapter::ShapeAdapter(QWidget *shape, double twips) : shape_(shape), twips_(twips)
{
    setWidth(int(twips));
}

void ShapeAdapter::setWidth(int twips)
{
    twips_ = twips;
    shape_->resize(std::max(0, int(std::lround(twips / 15.0))), shape_->height());
}

void ImageArrayAdapter::setVisible(int index, bool visible)
{
    if (index >= 1 && index <= int(images_.size()))
        images_[index - 1]->setVisible(visible);
}

} // namespace ui
