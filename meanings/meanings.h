#pragma once
// The meanings as the program uses them: the index is built on a worker thread once asked
// for, and lookups find nothing until it is ready. Without the file, or with a damaged one,
// every lookup finds nothing and nobody is bothered.
#include "meaningsindex.h"

#include <QFutureWatcher>
#include <QObject>
#include <memory>

namespace meanings {

class Meanings : public QObject {
    Q_OBJECT
public:
    explicit Meanings(QString fileName = kEdictFile, QObject *parent = nullptr);
    ~Meanings() override; // stops a build still running, and waits only for it to stop

    // Starts building the index off this thread; ready() follows. Once only.
    void load();
    bool isReady() const { return index_ != nullptr; }
    // Missing until ready.
    MeaningsIndex::State state() const;
    const QString &fileName() const { return fileName_; }

    QList<Meaning> lookup(QStringView hiragana) const;
    // How well a word serves as an example: 2 common, 1 with a meaning, 0 none.
    int rank(QStringView hiragana) const;

signals:
    void ready();

private:
    QString fileName_;
    QFutureWatcher<std::shared_ptr<MeaningsIndex>> watcher_;
    std::shared_ptr<MeaningsIndex> index_;
    std::stop_source stop_;
};

} // namespace meanings
