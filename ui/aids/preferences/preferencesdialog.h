#pragma once
// The 「設定」 dialog: a list for the input mode and the kana keyboard, one check box for each
// other preference, the daily goal in minutes.
#include "platform/preferences/preferences.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace ui {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(const platform::Preferences &current, QWidget *parent = nullptr);
    platform::Preferences preferences() const;

private:
    platform::Preferences shown_;
    QList<std::pair<QCheckBox *, bool platform::Preferences::*>> boxes_;
    QComboBox *inputMode_;
    QComboBox *kanaKeyboard_;
    QComboBox *language_;
    QSpinBox *dailyGoal_;
};

} // namespace ui
