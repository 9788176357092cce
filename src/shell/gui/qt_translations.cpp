// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

#include "shell/interface_locale.h"
#include "ui/text.h"

namespace radioprog {

bool LoadQtTranslations(int languageIndex) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QString locale = Q(InterfaceLocale(languageIndex));
    QLocale::setDefault(locale.isEmpty() ? QLocale(QLocale::English, QLocale::UnitedStates) : QLocale(locale));
    if (locale.isEmpty()) return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

}  // namespace radioprog
