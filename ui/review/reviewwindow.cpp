#include "reviewwindow.h"

#include "meanings/meanings.h"
#include "translations/language.h"
#include "wordcards.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ui {

ReviewWindow::ReviewWindow(const meanings::Meanings &meanings, QWidget *parent)
    : QWidget(parent, Qt::Window), meanings_(meanings)
{
    setObjectName(QStringLiteral("reviewWindow"));
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("reviewText"));
    text_->setOpenLinks(false);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    resize(560, 600);
    translations::keepTranslated(this, [this, close = buttons->button(QDialogButtonBox::Close)] {
        setWindowTitle(tr("ふりかえり - カナリンカ"));
        close->setText(tr("閉じる"));
        render();
    });
}

void ReviewWindow::showReview(const QList<review::ReviewEntry> &entries, bool played)
{
    entries_ = entries;
    played_ = played;
    render();
}

void ReviewWindow::render()
{
    const QList<review::ReviewEntry> &entries = entries_;
    const bool played = played_;
    QString html;
    if (!played) {
        html = tr("ゲームを終えると、ここで間違えたところと長く考えたところを、使えた言葉といっしょに見られます。");
    } else if (entries.isEmpty()) {
        html = tr("このゲームには、間違いも長く考えこんだところもありませんでした。");
    }
    for (const review::ReviewEntry &entry : entries) {
        const review::ReviewMoment &m = entry.moment;
        const QString needed = QString(m.needed()).toHtmlEscaped();
        const QString what = m.kind == review::ReviewMoment::Kind::Mistake
            ? tr("「%1」のあとに「%2」と答えて、間違いになりました。").arg(m.current, m.answer)
            : tr("「%1」のあと、「%2」を思いつくまで %3 秒かかりました。")
                  .arg(m.current, m.answer)
                  .arg(double(m.stallMs) / 1000, 0, 'f', 1);
        html += QStringLiteral("<h3>%1</h3><p>%2</p>").arg(tr("「%1」で始まる言葉").arg(needed), what.toHtmlEscaped());
        if (entry.words.isEmpty())
            html += QStringLiteral("<p>%1</p>").arg(tr("辞書には、使える言葉がありませんでした。"));
        else
            html += QStringLiteral("<p>%1</p>").arg(tr("使えた言葉："));
        for (const QString &word : entry.words)
            html += QStringLiteral("<blockquote>%1</blockquote>").arg(wordCard(word, meanings_, false));
    }
    if (played && !entries.isEmpty())
        html += QStringLiteral("<hr><p><small>%1<br>%2</small></p>")
                    .arg(tr("ここに出た言葉は復習の一覧に入り、「復習の言葉を多めに出す」を選ぶと相手がよく使います。")
                             .toHtmlEscaped(),
                         edictCredit().toHtmlEscaped());
    text_->setHtml(html);
}

} // namespace ui
