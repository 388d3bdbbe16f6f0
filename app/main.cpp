#include "app/COrvalaApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    COrvalaApp theApp;
    if (!theApp.InitInstance())
        return 1;
    const int nResult = QApplication::exec();
    theApp.ExitInstance();
    return nResult;
}
