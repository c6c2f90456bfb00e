#pragma once
// The 「設定」 dialog: one check box for each preference.
#include "platform/preferences/preferences.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;

namespace ui {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(const platform::Preferences &current, QWidget *parent = nullptr);
    platform::Preferences preferences() const;

private:
    platform::Preferences shown_;
    QList<std::pair<QCheckBox *, bool platform::Preferences::*>> boxes_;
    QComboBox *language_;
};

} // namespace ui
