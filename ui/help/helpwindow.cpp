#include "helpwindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace ui {
namespace {

// Japanese Gothic faces first, so kanji take their Japanese shapes rather than Chinese ones.
QFont japaneseGothic()
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("VL PGothic"),
                      QStringLiteral("TakaoPGothic"), QStringLiteral("Meiryo UI"),
                      QStringLiteral("MS PGothic"), QStringLiteral("Hiragino Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10.5);
    return font;
}

QString noticePage(const QString &heading, const QString &message, const QString &detail)
{
    return QStringLiteral("<html><body><h2>%1</h2><p>%2</p><p style=\"color:#555555\">%3</p>"
                          "</body></html>")
        .arg(heading.toHtmlEscaped(), message.toHtmlEscaped(), detail.toHtmlEscaped());
}

QString quoted(const QString &name)
{
    return u'「' + name + u'」';
}

bool sameTopic(const QUrl &a, const QUrl &b)
{
    return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

} // namespace

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("helpBrowser"));
    // Links are followed by the window, which knows which ones leave the help file.
    setOpenLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    const QString path = chmPathOf(name);
    if (!archive_ || path.isEmpty())
        return {};
    const QByteArray bytes = archive_->read(path);
    switch (type) {
    case QTextDocument::HtmlResource:
        if (bytes.isNull()) {
            return noticePage(tr("ページが見つかりません"),
                              tr("このページはヘルプファイルの中にありません。"), path);
        }
        return archive_->decodePage(bytes);
    case QTextDocument::StyleSheetResource:
        return bytes.isNull() ? QVariant() : QVariant(archive_->decodePage(bytes));
    default:
        return bytes.isNull() ? QVariant() : QVariant(bytes);
    }
}

HelpWindow::HelpWindow(const QString &path, QWidget *owner)
    : QMainWindow(owner, Qt::Window), path_(path), browser_(new HelpBrowser),
      contents_(new QTreeWidget)
{
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open help window must not keep the program running once the game's window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(japaneseGothic());
    resize(820, 620);

    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setHeaderHidden(true);
    contents_->setColumnCount(1);
    contents_->header()->setStretchLastSection(true);
    auto *split = new QSplitter;
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({210, 610});
    setCentralWidget(split);

    auto *bar = addToolBar(tr("移動"));
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("戻る"));
    forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("進む"));
    home_ = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("ホーム"));
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, this, [this] {
        if (archive_ && !archive_->defaultTopic().isEmpty())
            showTopic(chmUrl(archive_->defaultTopic()));
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::markInContents);
    connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const QUrl url = item->data(0, Qt::UserRole).toUrl();
        if (url.isValid())
            showTopic(url);
    });
    connect(contents_, &QTreeWidget::itemActivated, contents_, &QTreeWidget::itemClicked);

    reload();
}

HelpWindow::~HelpWindow()
{
    // The browser may still ask for resources while it goes; it must not reach a closed file.
    browser_->setArchive(nullptr);
}

void HelpWindow::reload()
{
    ChmArchive::OpenError error = ChmArchive::OpenError::None;
    browser_->setArchive(nullptr);
    archive_ = ChmArchive::open(path_, error);
    browser_->setArchive(archive_.get());
    browser_->clearHistory();
    fillContents();

    const QString name = QFileInfo(path_).fileName();
    switch (error) {
    case ChmArchive::OpenError::None:
        break;
    case ChmArchive::OpenError::Missing:
        showNotice(tr("ヘルプファイル%1が見つかりません。").arg(quoted(name)));
        return;
    case ChmArchive::OpenError::Unreadable:
        showNotice(tr("ヘルプファイル%1を開けません。読み取りが許可されていません。").arg(quoted(name)));
        return;
    case ChmArchive::OpenError::NotHelpFile:
        showNotice(tr("ヘルプファイル%1を読み込めません。"
                      "コンパイル済み HTML ヘルプ (.chm) の形式ではないか、壊れています。")
                       .arg(quoted(name)));
        return;
    }
    if (archive_->defaultTopic().isEmpty()) {
        showNotice(tr("ヘルプファイル%1には表示できるページがありません。").arg(quoted(name)));
        return;
    }
    setWindowTitle(archive_->title().isEmpty() ? tr("ヘルプ - %1").arg(name) : archive_->title());
    showTopic(chmUrl(archive_->defaultTopic()));
}

void HelpWindow::showNotice(const QString &message)
{
    setWindowTitle(tr("ヘルプ - %1").arg(QFileInfo(path_).fileName()));
    home_->setEnabled(false);
    browser_->setHtml(noticePage(tr("ヘルプを表示できません"), message,
                                 tr("場所: %1").arg(QDir::toNativeSeparators(path_))));
}

void HelpWindow::showTopic(const QUrl &url)
{
    home_->setEnabled(true);
    browser_->setSource(url, QTextDocument::HtmlResource);
}

void HelpWindow::followLink(const QUrl &url)
{
    if (!chmPathOf(url).isEmpty()) {
        showTopic(url);
    } else if (url.toString().contains(QStringLiteral("::"))) {
        showTopic(chmUrl(url.toString()));
    } else if (!url.scheme().isEmpty()) {
        // The web and mail links of a page open where the desktop opens them.
        QDesktopServices::openUrl(url);
    }
}

void HelpWindow::fillContents()
{
    contents_->clear();
    const QList<ContentsEntry> entries = archive_ ? archive_->contents() : QList<ContentsEntry>();
    const auto add = [](const auto &self, const QList<ContentsEntry> &list, QTreeWidgetItem *parent,
                        QTreeWidget *tree) -> void {
        for (const ContentsEntry &e : list) {
            auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
            item->setText(0, e.name);
            if (!e.local.isEmpty())
                item->setData(0, Qt::UserRole, chmUrl(e.local));
            self(self, e.children, item, tree);
        }
    };
    add(add, entries, nullptr, contents_);
    contents_->expandAll();
    contents_->setVisible(!entries.isEmpty());
}

void HelpWindow::markInContents(const QUrl &url)
{
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if (sameTopic((*it)->data(0, Qt::UserRole).toUrl(), url)) {
            const QSignalBlocker quiet(contents_);
            contents_->setCurrentItem(*it);
            return;
        }
    }
}

} // namespace ui
