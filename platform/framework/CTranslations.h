#pragma once

#include <QTranslator>

class QLocale;

// The program's texts, and Qt's own (standard buttons, file dialogs), in the
// user's language for as long as this object lives. English needs nothing:
// it is the language of the sources.
class CTranslations
{
public:
    CTranslations() = default;
    ~CTranslations();
    CTranslations(const CTranslations&) = delete;
    CTranslations& operator=(const CTranslations&) = delete;

    // The first of the locale's languages the program is translated into,
    // with Qt's texts in that same language.
    void Install(const QLocale& locale);

    // Loads the program's translation for the locale's languages from the
    // program's resources; false when none of them has one.
    static bool LoadProgram(QTranslator& translator, const QLocale& locale);

private:
    QTranslator m_program;
    QTranslator m_qt;
    bool m_bInstalled = false;
};
