#include "app/COrvalaApp.h"
#include "platform/framework/CTranslations.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CTranslations translations;
    translations.Install(QLocale::system());
    COrvalaApp theApp;
    if (!theApp.InitInstance())
        return 1;
    const int nResult = QApplication::exec();
    theApp.ExitInstance();
    return nResult;
}
