#include "wordcards.h"

#include "platform/kana/romajiguide.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {
namespace {

// A card fits any screen and lays out at once, whatever the word or the file holds: a word
// keeps its start and its end (the last kana is the one to answer with), a gloss its start.
constexpr qsizetype kWordShown = 16, kRomajiShown = 32, kWrittenShown = 16, kGlossShown = 160;

// No cut falls inside a surrogate pair.
qsizetype headSize(const QString &text, qsizetype size)
{
    return size > 0 && text[size - 1].isHighSurrogate() ? size - 1 : size;
}

QString cutEnd(const QString &text, qsizetype most)
{
    return text.size() <= most ? text : text.first(headSize(text, most - 1)) + u'…';
}

QString cutMiddle(const QString &text, qsizetype most)
{
    if (text.size() <= most)
        return text;
    qsizetype tail = most / 3;
    if (text[text.size() - tail].isLowSurrogate())
        --tail;
    return text.first(headSize(text, most - 1 - tail)) + u'…' + text.last(tail);
}

// A run of letters with no space in it may break anywhere, or it would widen the card.
QString breakable(const QString &text)
{
    constexpr int kLongestRun = 24;
    QString out;
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestRun && !c.isLowSurrogate()) {
            out += QChar(0x200B); // zero-width space
            run = 1;
        }
        out += c;
    }
    return out;
}

QString paragraph(const QString &html)
{
    return QStringLiteral("<p style='margin:0'>") + html + QStringLiteral("</p>");
}

QString edictHint()
{
    return paragraph(QStringLiteral("<small>")
                     + WordCards::tr("edict パッケージを入れると意味が出ます（ヘルプの「言葉の意味」）。")
                     + QStringLiteral("</small>"));
}

} // namespace

QString edictCredit()
{
    return WordCards::tr("意味：EDICT（Electronic Dictionary Research and Development Group、CC BY-SA 3.0）");
}

QString wordCard(const QString &word, const meanings::Meanings &meanings, bool credit)
{
    static const platform::RomajiSpeller speller;
    QString html =
        QStringLiteral("<p style='white-space:pre'><span style='font-size:15pt; font-weight:bold'>%1</span>　%2</p>")
            .arg(cutMiddle(word, kWordShown).toHtmlEscaped(),
                 cutMiddle(speller.spell(word), kRomajiShown).toHtmlEscaped());
    if (!meanings.isReady()) {
        const bool loading = QFile::exists(meanings.fileName());
        return html
            + (loading ? paragraph(WordCards::tr("意味を読み込んでいます…"))
                       : paragraph(WordCards::tr("意味は辞書にありません")) + edictHint());
    }
    const QList<meanings::Meaning> found = meanings.lookup(word);
    if (found.isEmpty()) {
        html += paragraph(WordCards::tr("意味は辞書にありません"));
        if (meanings.state() != meanings::MeaningsIndex::State::Ready)
            html += edictHint();
        return html;
    }
    for (const meanings::Meaning &m : found) {
        QStringList written, glosses;
        for (const QString &w : m.written)
            written.append(cutEnd(w, kWrittenShown));
        for (const QString &g : m.glosses)
            glosses.append(breakable(cutEnd(g, kGlossShown)));
        html += paragraph((written.isEmpty() ? QString() : written.join(u'・').toHtmlEscaped() + u'　')
                          + glosses.join(u"; ").toHtmlEscaped());
    }
    if (credit)
        html += QStringLiteral("<p style='margin-top:4px'><small>") + edictCredit().toHtmlEscaped()
            + QStringLiteral("</small></p>");
    return html;
}

WordCards::WordCards(const meanings::Meanings &meanings, QObject *parent) : QObject(parent), meanings_(meanings) {}

void WordCards::attach(QAbstractItemView *view, std::function<QString(int)> label)
{
    views_.append({view, label});
    view->viewport()->installEventFilter(this);
    // A word chosen by keyboard shows its card too, beside it.
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, view, label](const QModelIndex &current) {
                if (!current.isValid() || !view->hasFocus())
                    return;
                const QRect rect = view->visualRect(current);
                const QString word = current.data().toString();
                const QString head = label ? label(current.row()) : QString();
                QToolTip::showText(view->viewport()->mapToGlobal(rect.topRight()),
                                   (head.isEmpty() ? QString() : head.toHtmlEscaped() + QStringLiteral("<br>"))
                                       + wordCard(word, meanings_),
                                   view->viewport(), rect);
            });
}

void WordCards::attach(QLabel *label, std::function<void(const QString &)> want,
                       std::function<bool(const QString &)> wanted)
{
    labels_.append({label, std::move(want), std::move(wanted)});
    label->installEventFilter(this);
    if (labels_.back().want)
        label->setCursor(Qt::PointingHandCursor);
}

bool WordCards::eventFilter(QObject *watched, QEvent *event)
{
    const bool tip = event->type() == QEvent::ToolTip;
    const bool click =
        event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (!tip && !click)
        return QObject::eventFilter(watched, event);
    for (const auto &[view, label] : std::as_const(views_)) {
        if (watched != view->viewport() || !tip)
            continue;
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = view->indexAt(help->pos());
        if (!index.isValid())
            return false;
        const QString head = label ? label(index.row()) : QString();
        QToolTip::showText(help->globalPos(),
                           (head.isEmpty() ? QString() : head.toHtmlEscaped() + QStringLiteral("<br>"))
                               + wordCard(index.data().toString(), meanings_),
                           view->viewport(), view->visualRect(index));
        return true;
    }
    for (const Label &label : std::as_const(labels_)) {
        if (watched != label.label || label.label->text().isEmpty())
            continue;
        if (tip) {
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), wordCard(label.label->text(), meanings_),
                               label.label);
            return true;
        }
        if (label.want) {
            openCard(label, static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The card as a small window of its own, with 「覚えたい」; it closes on any click outside.
void WordCards::openCard(const Label &label, const QPoint &at)
{
    const QString word = label.label->text();
    auto *card = new QFrame(label.label, Qt::Popup);
    card->setObjectName(QStringLiteral("wordCard"));
    card->setAttribute(Qt::WA_DeleteOnClose);
    card->setFrameShape(QFrame::StyledPanel);
    auto *text = new QLabel(wordCard(word, meanings_), card);
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setMinimumWidth(280);
    auto *want = new QPushButton(card);
    want->setObjectName(QStringLiteral("wantToLearn"));
    const auto mark = [want, wanted = label.wanted, word] {
        const bool listed = wanted && wanted(word);
        want->setText(listed ? WordCards::tr("復習の一覧にあります") : WordCards::tr("覚えたい"));
        want->setEnabled(!listed);
    };
    mark();
    connect(want, &QPushButton::clicked, card, [give = label.want, word, mark] {
        give(word);
        mark();
    });
    auto *layout = new QVBoxLayout(card);
    layout->addWidget(text);
    layout->addWidget(want, 0, Qt::AlignRight);
    // Beside the click, and wholly on its screen.
    const QScreen *screen = QGuiApplication::screenAt(at);
    const QRect room = (screen ? screen : label.label->screen())->availableGeometry();
    card->setMaximumSize(room.size());
    const auto place = [card, room, spot = at + QPoint(8, 8)] {
        card->move(std::clamp(spot.x(), room.left(), std::max(room.left(), room.right() + 1 - card->width())),
                   std::clamp(spot.y(), room.top(), std::max(room.top(), room.bottom() + 1 - card->height())));
    };
    card->adjustSize();
    place();
    card->show();
    place(); // the size is final once shown
}

} // namespace ui
