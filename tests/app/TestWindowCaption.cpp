#include "AppSession.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "resources/resource.h"

#include <QGuiApplication>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The title the window manager and task bar show: _NET_WM_NAME of the frame's
// X11 window.
QString WindowManagerTitle(QWidget* pWindow)
{
    auto* pX11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (pX11 == nullptr)
        return QStringLiteral("<not on X11>");
    Display* pDisplay = pX11->display();
    XSync(pDisplay, False);
    const Atom atomName = XInternAtom(pDisplay, "_NET_WM_NAME", False);
    const Atom atomUtf8 = XInternAtom(pDisplay, "UTF8_STRING", False);
    Atom actualType = None;
    int nFormat = 0;
    unsigned long nItems = 0;
    unsigned long nAfter = 0;
    unsigned char* pData = nullptr;
    QString strTitle;
    if (XGetWindowProperty(pDisplay, Window(pWindow->winId()), atomName, 0, 1024, False, atomUtf8,
                           &actualType, &nFormat, &nItems, &nAfter, &pData) == Success &&
        pData != nullptr) {
        strTitle = QString::fromUtf8(reinterpret_cast<const char*>(pData), int(nItems));
        XFree(pData);
    }
    return strTitle;
}

} // namespace

// Runs on a real X server (the test is registered under Xvfb), because the
// title the window system shows can differ from the widget's own title.
class TestWindowCaption : public QObject
{
    Q_OBJECT
private slots:
    void captionIsExactlyTheFramesTitle();
};

void TestWindowCaption::captionIsExactlyTheFramesTitle()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    CTestWorkspace ws;
    const QString strPicture = ws.WriteFile(QStringLiteral("img01.jpg"), EncodePicture("JPG"));
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    QVERIFY(QTest::qWaitForWindowExposed(pFrame));
    QTRY_COMPARE(WindowManagerTitle(pFrame), QStringLiteral("Orvala"));

    QVERIFY(session.App().OpenDocumentFile(strPicture));
    QTRY_COMPARE(WindowManagerTitle(pFrame), QStringLiteral("Orvala - img01.jpg"));

    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    QTRY_COMPARE(WindowManagerTitle(pFrame), QStringLiteral("Orvala - PHOTOS TABLE"));
}

QTEST_MAIN(TestWindowCaption)
#include "TestWindowCaption.moc"
