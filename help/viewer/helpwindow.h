#pragma once
// The help viewer's window: a compiled help file's pages with their links and pictures,
// its table of contents, and back, forward and home.
#include "help/reader/chmarchive.h"
#include "help/reader/chmreader.h"

#include <QMainWindow>
#include <QTextBrowser>

#include <memory>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

namespace ui {

using platform::ChmArchive;
using platform::chmPathOf;
using platform::ChmReader;
using platform::chmUrl;
using platform::ContentsEntry;

// Shows pages stored in a help file: every page, style sheet and picture comes from it.
// Only pages the reader checked are shown; pictures are sized up from their headers first.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr);
    void setArchive(const ChmArchive *archive) { archive_ = archive; }
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QVariant loadPicture(const QByteArray &bytes);

    const ChmArchive *archive_ = nullptr;
    qint64 picturePixels_ = 0; // decoded for the page shown
};

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // `path` is how the file is opened; `location` its absolute path, shown in notices. A
    // window of its own, on the owner's screen, that the viewer takes down with the owner; it
    // deletes itself when closed.
    HelpWindow(const QString &path, const QString &location, QWidget *owner);
    ~HelpWindow() override;

    QString location() const { return location_; }
    // Reads the file again and then shows its default topic, or a notice saying why it can't.
    void reload();
    bool isShowingNotice() const { return !reader_->isReading() && (!archive_ || archive_->defaultTopic().isEmpty()); }

private:
    void showArchive();
    void showNotice(const QString &message);
    void openOutside(const QUrl &url);
    void showTopic(const QUrl &url);
    void followLink(const QUrl &url);
    void fillContents();
    void markInContents(const QUrl &url);

    QString path_;
    QString location_;
    ChmReader *reader_;
    std::unique_ptr<ChmArchive> archive_;
    HelpBrowser *browser_;
    QTreeWidget *contents_;
    QAction *back_;
    QAction *forward_;
    QAction *home_;
};

} // namespace ui
