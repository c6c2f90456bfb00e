#pragma once
// For a moment after a game ends, Enter does nothing anywhere in the program: an Enter typed
// as the time ran out must not judge a half-typed answer or close the 「辞書追加」 message
// before it is read.
#include "platform/services.h"

#include <QObject>

namespace ui {

class EnterGuard : public QObject {
    Q_OBJECT
public:
    explicit EnterGuard(const platform::Clock &clock, QObject *parent = nullptr);
    ~EnterGuard() override;
    void arm(int milliseconds);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const platform::Clock &clock_;
    qint64 until_ = 0;
    bool armed_ = false;
};

} // namespace ui
