#include "meanings.h"

#include <QtConcurrent/QtConcurrentRun>

namespace meanings {

Meanings::Meanings(QString fileName, QObject *parent) : QObject(parent), fileName_(std::move(fileName))
{
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        index_ = watcher_.result();
        emit ready();
    });
}

Meanings::~Meanings()
{
    stop_.request_stop();
    watcher_.waitForFinished();
}

void Meanings::load()
{
    if (watcher_.future().isValid())
        return;
    watcher_.setFuture(QtConcurrent::run(
        [name = fileName_, stop = stop_.get_token()] { return std::make_shared<MeaningsIndex>(name, stop); }));
}

MeaningsIndex::State Meanings::state() const
{
    return index_ ? index_->state() : MeaningsIndex::State::Missing;
}

QList<Meaning> Meanings::lookup(QStringView hiragana) const
{
    return index_ ? index_->lookup(hiragana) : QList<Meaning>();
}

} // namespace meanings

namespace meanings {

int Meanings::rank(QStringView hiragana) const
{
    const QList<Meaning> meanings = lookup(hiragana);
    if (meanings.isEmpty())
        return 0;
    return meanings.front().common ? 2 : 1;
}

} // namespace meanings
