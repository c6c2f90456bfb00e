#pragma once
// The help viewer's window: a compiled help file's pages with their links and pictures,
// its table of contents, and back, forward and home.
#include "platform/chm/chmarchive.h"

#include <QMainWindow>
#include <QTextBrowser>

#include <memory>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

namespace ui {

using platform::ChmArchive;
using platform::chmPathOf;
using platform::chmUrl;
using platform::ContentsEntry;

// Shows pages stored in a help file: every page, style sheet and picture comes from it.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr);
    void setArchive(const ChmArchive *archive) { archive_ = archive; }
    QVariant loadResource(int type, const QUrl &name) override;

private:
    const ChmArchive *archive_ = nullptr;
};

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // `path` is the file's absolute path. A window of its own (Qt::Window) that the owner
    // takes down with it; it deletes itself when closed.
    HelpWindow(const QString &path, QWidget *owner);
    ~HelpWindow() override;

    QString path() const { return path_; }
    // Reads the file again and shows its default topic, or a notice saying why it can't.
    void reload();
    bool isShowingNotice() const { return !archive_ || archive_->defaultTopic().isEmpty(); }

private:
    void showNotice(const QString &message);
    void showTopic(const QUrl &url);
    void followLink(const QUrl &url);
    void fillContents();
    void markInContents(const QUrl &url);

    QString path_;
    std::unique_ptr<ChmArchive> archive_;
    HelpBrowser *browser_;
    QTreeWidget *contents_;
    QAction *back_;
    QAction *forward_;
    QAction *home_;
};

} // namespace ui
