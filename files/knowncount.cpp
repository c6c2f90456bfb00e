#include "knowncount.h"

#include "platform/text/textfile.h"

#include <QFileInfo>

namespace files {

KnownCount::KnownCount(QString fileName, Counter counter) : fileName_(std::move(fileName)), counter_(counter) {}

KnownCount::Stamp KnownCount::stamp() const
{
    const QFileInfo info(platform::resolveFileName(fileName_));
    return info.exists() ? Stamp{info.size(), info.lastModified()} : Stamp{};
}

bool KnownCount::get(int &count, QString &error)
{
    // Stamped before the count: a change made while counting makes the next call count again.
    const Stamp now = stamp();
    if (!known_ || now != counted_) {
        known_ = false;
        int counted = 0;
        if (now.size >= 0 && !counter_(fileName_, counted, error))
            return false;
        count_ = counted;
        counted_ = now;
        known_ = true;
    }
    count = count_;
    return true;
}

bool KnownCount::recount(int &count, QString &error)
{
    known_ = false;
    return get(count, error);
}

void KnownCount::changed(int by)
{
    if (!known_)
        return;
    count_ += by;
    counted_ = stamp();
}

} // namespace files
