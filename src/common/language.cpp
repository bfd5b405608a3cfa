// Choosing the interface language and installing its translations.
#include "common/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace lumora {

namespace {
UiLanguage languageInForce = UiLanguage::French;
std::unique_ptr<QTranslator> installed;
} // namespace

UiLanguage desktopLanguage(const QProcessEnvironment &environment)
{
    QString chosen = environment.value(QStringLiteral("LANGUAGE")).section(u':', 0, 0);
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (!chosen.isEmpty())
            break;
        chosen = environment.value(QString::fromLatin1(name));
    }
    return chosen.startsWith(QStringLiteral("en")) ? UiLanguage::English : UiLanguage::French;
}

UiLanguage uiLanguage() { return languageInForce; }

bool setUiLanguage(UiLanguage language)
{
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    languageInForce = language;
    auto translator = std::make_unique<QTranslator>();
    const bool loaded = language == UiLanguage::English
        ? translator->load(QStringLiteral(":/i18n/lumora_en.qm"))
        : translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded)
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

QString languageCode(UiLanguage language)
{
    return language == UiLanguage::English ? QStringLiteral("en") : QStringLiteral("fr");
}

} // namespace lumora
