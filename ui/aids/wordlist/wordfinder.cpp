#include "wordfinder.h"

#include "platform/kana/kana.h"
#include "ui/main/views/wordlist.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QToolTip>
#include <utility>

namespace ui {
namespace {

// Long enough for romaji typed slowly, letter by letter.
constexpr int kPauseMs = 1500;

} // namespace

WordFinder::WordFinder(WordList &list) : QObject(&list), list_(list)
{
    list.installEventFilter(this);
}

bool WordFinder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethod) {
        const QString text = static_cast<QInputMethodEvent *>(event)->commitString();
        if (text.isEmpty())
            return false;
        type(text);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool typing = !typed().isEmpty() && sinceKey_.isValid() && sinceKey_.elapsed() <= kPauseMs;
    if (typing && key->key() == Qt::Key_Backspace) {
        backspace();
        return true;
    }
    if (typing && key->key() == Qt::Key_Escape) {
        kana_.clear();
        composer_.clear();
        QToolTip::hideText();
        return true;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (const QChar kana = keys_.kanaOf(*key); !kana.isNull()) {
        restartAfterAPause();
        platform::appendKana(kana_, kana);
        find();
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint() || text.front().isSpace())
        return false;
    type(text);
    return true;
}

void WordFinder::restartAfterAPause()
{
    if (!sinceKey_.isValid() || sinceKey_.elapsed() > kPauseMs) {
        kana_.clear();
        composer_.clear();
    }
    sinceKey_.start();
}

void WordFinder::type(const QString &text)
{
    restartAfterAPause();
    QString plain;
    for (const QChar c : text) {
        if (keys_.composes(c)) {
            kana_ += platform::toWideHiragana(std::exchange(plain, QString()));
            kana_ += composer_.feed(c);
        } else {
            kana_ += composer_.flush();
            plain += c;
        }
    }
    kana_ += platform::toWideHiragana(plain);
    find();
}

void WordFinder::backspace()
{
    sinceKey_.start();
    if (!composer_.backspace())
        kana_.chop(1);
    find();
}

void WordFinder::find()
{
    const int row = kana_.isEmpty() ? -1 : list_.wordModel()->firstStartingWith(kana_);
    if (row >= 0) {
        const QModelIndex index = list_.model()->index(row, 0);
        list_.setCurrentIndex(index);
        list_.scrollTo(index, QAbstractItemView::PositionAtTop);
    }
    // The beginning shows under the list, so letters not yet kana are seen too.
    const QString shown = row >= 0 || kana_.isEmpty() ? typed() : typed() + tr("（ありません）");
    QToolTip::showText(list_.mapToGlobal(QPoint(0, list_.height())), shown, &list_, QRect(), kPauseMs);
}

} // namespace ui
