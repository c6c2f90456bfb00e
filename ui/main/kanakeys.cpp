#include "kanakeys.h"

#include "platform/kana/romaji.h"

#include <QKeyEvent>

namespace ui {
namespace {

bool isShortcut(const QKeyEvent &event)
{
    return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

QChar KanaKeys::kanaOf(const QKeyEvent &event) const
{
    if (!on || !layout || isShortcut(event))
        return {};
    return layout->kana(event.nativeScanCode(), event.modifiers() & Qt::ShiftModifier);
}

bool KanaKeys::composes(QChar c) const
{
    return on && !layout && platform::RomajiComposer::composes(c);
}

bool KanaKeys::composes(const QKeyEvent &event) const
{
    return event.text().size() == 1 && !isShortcut(event) && composes(event.text().front());
}

} // namespace ui
