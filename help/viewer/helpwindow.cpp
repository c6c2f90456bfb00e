#include "helpwindow.h"
#include "translations/language.h"

#include <QAction>
#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace ui {
namespace {

// Pictures are sized up from their headers and decoded only within these; a page gets no
// more pictures once its share is spent. Our own pictures are a few hundred pixels wide.
constexpr int kMaxPictureSide = 4096;
constexpr qint64 kMaxPicturePixels = 8 * 1024 * 1024;
constexpr qint64 kMaxPagePixels = 16 * 1024 * 1024;
constexpr int kPictureAllocationMb = 64;
// An address longer than this is cut short in the question before opening it.
constexpr qsizetype kMaxShownAddress = 300;

// Japanese Gothic faces first, so kanji take their Japanese shapes rather than Chinese ones.
QFont japaneseGothic()
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic"), QStringLiteral("Meiryo UI"),
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
    switch (type) {
    case QTextDocument::HtmlResource:
        picturePixels_ = 0;
        if (!archive_->isPage(path)) {
            return noticePage(tr("ページが見つかりません"), tr("このページはヘルプファイルの中にありません。"), path);
        }
        return archive_->decodePage(archive_->read(path));
    case QTextDocument::ImageResource:
        return loadPicture(archive_->read(path));
    default:
        return archive_->resource(type, name);
    }
}

QVariant HelpBrowser::loadPicture(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    // Formats whose size the header tells and whose decoding is simple; no drawings.
    static const QList<QByteArray> formats{"png", "jpeg", "jpg", "gif", "bmp"};
    const QSize size = reader.size();
    if (bytes.isNull() || !formats.contains(reader.format()) || !size.isValid() || size.width() > kMaxPictureSide
        || size.height() > kMaxPictureSide)
        return {};
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > kMaxPicturePixels || picturePixels_ + pixels > kMaxPagePixels)
        return {};
    picturePixels_ += pixels;
    // A header can lie about the size; the decoder then stops at this.
    const int allocationLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(kPictureAllocationMb);
    const QImage picture = reader.read();
    QImageReader::setAllocationLimit(allocationLimit);
    return picture.isNull() ? QVariant() : QVariant(picture);
}

HelpWindow::HelpWindow(const QString &path, const QString &location, QWidget *owner)
    : QMainWindow(nullptr, Qt::Window), path_(path), location_(location), reader_(new ChmReader(this)),
      browser_(new HelpBrowser), contents_(new QTreeWidget)
{
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open help window must not keep the program running once the game's window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    // Opened on the owner's screen, but not as its child, which the desktop keeps above it.
    if (owner && owner->screen())
        setScreen(owner->screen());
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
    translations::keepTranslated(this, [this, bar] {
        bar->setWindowTitle(tr("移動"));
        back_->setText(tr("戻る"));
        forward_->setText(tr("進む"));
        home_->setText(tr("ホーム"));
    });
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
    connect(reader_, &ChmReader::finished, this, &HelpWindow::showArchive);

    reload();
}

HelpWindow::~HelpWindow()
{
    // The browser may still ask for resources while it goes; it must not reach a closed file.
    browser_->setArchive(nullptr);
}

void HelpWindow::reload()
{
    browser_->setArchive(nullptr);
    archive_.reset();
    browser_->clear();
    browser_->clearHistory();
    fillContents();
    home_->setEnabled(false);
    setWindowTitle(tr("ヘルプ - %1").arg(QFileInfo(path_).fileName()));
    reader_->start(path_);
}

void HelpWindow::showArchive()
{
    archive_ = reader_->takeArchive();
    browser_->setArchive(archive_.get());
    fillContents();

    const QString name = QFileInfo(path_).fileName();
    switch (reader_->error()) {
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
    browser_->setHtml(
        noticePage(tr("ヘルプを表示できません"), message, tr("場所: %1").arg(QDir::toNativeSeparators(location_))));
}

void HelpWindow::showTopic(const QUrl &url)
{
    home_->setEnabled(true);
    browser_->setSource(url, QTextDocument::HtmlResource);
}

void HelpWindow::followLink(const QUrl &url)
{
    if (!chmPathOf(url).isEmpty())
        showTopic(url);
    else if (url.toString().contains(QStringLiteral("::")))
        showTopic(chmUrl(url.toString()));
    else
        openOutside(url);
}

// A page may link anywhere; only web addresses leave the help, and only once the player has
// seen where to. The address is shown encoded, so that no character can disguise it.
void HelpWindow::openOutside(const QUrl &url)
{
    QString address = url.toString(QUrl::FullyEncoded);
    if (address.size() > kMaxShownAddress)
        address = address.left(kMaxShownAddress) + u'…';
    QMessageBox box(this);
    box.setWindowTitle(windowTitle());
    box.setTextFormat(Qt::PlainText);
    const bool web = (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
    if (!web) {
        box.setIcon(QMessageBox::Warning);
        box.setText(
            tr("このリンクは開けません。ヘルプから開けるのは http と https のアドレスだけです。\n\n%1").arg(address));
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return;
    }
    box.setIcon(QMessageBox::Question);
    box.setText(tr("次のアドレスをブラウザで開きますか？\n\n%1").arg(address));
    QPushButton *open = box.addButton(tr("開く"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(tr("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == open)
        QDesktopServices::openUrl(url);
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
