#pragma once
// A short note laid over the playing area, in the window's red on its ivory: a broken rule
// for a moment, or the end of a game until the next start. It never takes a click.
#include <QLabel>
#include <QTimer>

namespace ui {

class NoteLabel : public QLabel {
    Q_OBJECT
public:
    NoteLabel(QWidget *parent, const QString &name, const QRect &geometry, int pixelSize);
    // Shows the text: for this long when given, else until hidden.
    void showNote(const QString &text, int milliseconds = 0);

private:
    QTimer timer_;
};

} // namespace ui
