#include "platform/framework/CTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

CTranslations::~CTranslations()
{
    if (m_bInstalled) {
        QCoreApplication::removeTranslator(&m_qt);
        QCoreApplication::removeTranslator(&m_program);
    }
}

void CTranslations::Install(const QLocale& locale)
{
    if (m_bInstalled || !LoadProgram(m_program, locale))
        return;
    QCoreApplication::installTranslator(&m_program);
    // Qt's texts follow the program's language, not the locale's first one: a
    // user whose first language the program lacks would otherwise read two.
    if (m_qt.load(QLocale(m_program.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
    m_bInstalled = true;
}

bool CTranslations::LoadProgram(QTranslator& translator, const QLocale& locale)
{
    return translator.load(locale, QStringLiteral("orvala"), QStringLiteral("_"),
                           QStringLiteral(":/i18n"));
}
