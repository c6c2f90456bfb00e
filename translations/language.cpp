#include "language.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace translations {
namespace {

struct Installed {
    platform::Language language = platform::Language::Japanese;
    std::unique_ptr<QTranslator> ours;
    std::unique_ptr<QTranslator> qt;
};

Installed &installed()
{
    static Installed state;
    return state;
}

std::unique_ptr<QTranslator> load(const QString &name, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder))
        return nullptr;
    return translator;
}

class Retranslator : public QObject {
public:
    Retranslator(QObject *object, std::function<void()> retranslate)
        : QObject(object), retranslate_(std::move(retranslate))
    {
        object->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            retranslate_();
        return false;
    }

private:
    std::function<void()> retranslate_;
};

} // namespace

void apply(platform::Language language)
{
    Installed &state = installed();
    const bool english = language == platform::Language::English;
    // Qt's texts (OK, Cancel, the edit boxes' menus) match ours; missing files leave Qt's own.
    auto qt = load(english ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ja"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    auto ours = english ? load(QStringLiteral("kanarinka_en"), QStringLiteral(":/translations")) : nullptr;
    for (const auto &old : {state.ours.get(), state.qt.get()})
        if (old)
            QCoreApplication::removeTranslator(old);
    state = {language, std::move(ours), std::move(qt)};
    for (const auto &now : {state.qt.get(), state.ours.get()})
        if (now)
            QCoreApplication::installTranslator(now);
}

platform::Language current()
{
    return installed().language;
}

QString helpFileFor(const QString &file)
{
    if (current() != platform::Language::English)
        return file;
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot < 0 ? file + QStringLiteral("_en") : file.left(dot) + QStringLiteral("_en") + file.mid(dot);
}

void keepTranslated(QObject *object, std::function<void()> retranslate)
{
    retranslate();
    followLanguage(object, std::move(retranslate));
}

void followLanguage(QObject *object, std::function<void()> retranslate)
{
    new Retranslator(object, std::move(retranslate));
}

} // namespace translations
