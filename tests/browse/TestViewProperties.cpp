#include "PictureViewTest.h"
#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "browse/CDia_Properties.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/MessageBox.h"
#include "resources/resource.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The Properties command of a picture window, the dialog answered by the test.
class TestViewProperties : public CPictureViewTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newWindowsShowTheDefaults();
    void okSetsThisWindowOnly();
    void cancelChangesNothing();
    void newPauseAppliesToTheRunningShow();
    void finishedMosaicIsRebuiltForANewLayout();
    void layoutChangedDuringAShowOverAMosaic();

private:
    COrvalaView* Open(const QString& strName);
    // Runs Properties on the active window; the dialog's edits get the texts
    // given (in the order photos in row, border, pause; null keeps a text)
    // and OK or Cancel is pressed. Returns what the dialog showed first.
    QStringList RunProperties(const QStringList& arTexts, const QString& strButton,
                              bool bToggleChecks = false);
};

void TestViewProperties::init()
{
    QVERIFY(StartSession());
    QVERIFY(!WriteColourFolder(m_pPictures->path(), 12, QSize(8, 8)).isEmpty());
}

void TestViewProperties::cleanup()
{
    CDialog::SetModalHook({});
    EndSession();
}

COrvalaView* TestViewProperties::Open(const QString& strName)
{
    AfxGetFrameServices()->OpenPictureWindow(m_pPictures->filePath(strName), 0);
    return ShowLastView(QSize(420, 280));
}

QStringList TestViewProperties::RunProperties(const QStringList& arTexts, const QString& strButton,
                                              bool bToggleChecks)
{
    QStringList arShown;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        const QList<QLineEdit*> arEdits = pDialog->findChildren<QLineEdit*>();
        const QList<QCheckBox*> arChecks = pDialog->findChildren<QCheckBox*>();
        // Edits in tab order: photos in row, border width, pause.
        QList<QLineEdit*> arOrdered;
        for (const char* szName : {"m_editPhotosInRow", "m_editBorderWidth", "m_editPause"})
            arOrdered << pDialog->findChild<QLineEdit*>(QLatin1String(szName));
        for (QCheckBox* pCheck : arChecks)
            arShown << (pCheck->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]"));
        for (int i = 0; i < arOrdered.size(); ++i) {
            arShown << arOrdered[i]->text();
            if (i < arTexts.size() && !arTexts[i].isNull())
                arOrdered[i]->setText(arTexts[i]);
        }
        if (bToggleChecks) {
            for (QCheckBox* pCheck : arChecks)
                pCheck->toggle();
        }
        for (QPushButton* pButton : pDialog->findChildren<QPushButton*>()) {
            if (pButton->text() == strButton)
                pButton->click();
        }
        return pDialog->result() == QDialog::Accepted ? int(IDOK) : int(IDCANCEL);
    });
    m_pSession->Frame()->SendCommand(ID_VIEW_PROPERTIES);
    CDialog::SetModalHook({});
    return arShown;
}

void TestViewProperties::newWindowsShowTheDefaults()
{
    QVERIFY(Open(QStringLiteral("0.bmp")));
    QCOMPARE(RunProperties({}, QStringLiteral("OK")),
             (QStringList{"[ ]", "[ ]", "10", "2", "1.0"}));
    QCOMPARE(RunProperties({"4", "0", "2.5"}, QStringLiteral("OK"), true),
             (QStringList{"[ ]", "[ ]", "10", "2", "1.0"}));
    // The window shows its own values the next time.
    QCOMPARE(RunProperties({}, QStringLiteral("Cancel")),
             (QStringList{"[x]", "[x]", "4", "0", "2.5"}));

    // A window opened after OK starts from the defaults again.
    QVERIFY(Open(QStringLiteral("1.bmp")));
    QCOMPARE(RunProperties({}, QStringLiteral("Cancel")),
             (QStringList{"[ ]", "[ ]", "10", "2", "1.0"}));
}

void TestViewProperties::okSetsThisWindowOnly()
{
    COrvalaView* pFirst = Open(QStringLiteral("0.bmp"));
    QVERIFY(pFirst);
    COrvalaView* pSecond = Open(QStringLiteral("1.bmp"));
    QVERIFY(pSecond);
    const SViewDefaults defaults = COrvalaView::s_Defaults;

    RunProperties({"12x", "3", "0.0015"}, QStringLiteral("OK"), true);
    QCOMPARE(pSecond->Settings().nPhotosInRow, 12);
    QCOMPARE(pSecond->Settings().nBorderWidth, 3);
    QCOMPARE(pSecond->Settings().nSlidePause, 1);
    QVERIFY(pSecond->Settings().bKeepProportions);
    QVERIFY(pSecond->Settings().bLoop);
    // The red frame is as wide as the new border.
    QCOMPARE(pSecond->State().nSelectPenWidth, 3);
    QCOMPARE(pSecond->State().nErasePenWidth, 3);

    QCOMPARE(pFirst->Settings().nPhotosInRow, 10);
    QCOMPARE(pFirst->Settings().nSlidePause, 1000);
    QCOMPARE(COrvalaView::s_Defaults.nPhotosInRow, defaults.nPhotosInRow);
    QCOMPARE(COrvalaView::s_Defaults.nSlidePause, defaults.nSlidePause);
    QCOMPARE(COrvalaView::s_Defaults.bLoop, defaults.bLoop);

    // Texts without a number read as 0; values the view cannot use are
    // taken at the nearest it can.
    RunProperties({"abc", "-4", "abc"}, QStringLiteral("OK"));
    QCOMPARE(pSecond->Settings().nPhotosInRow, 1);
    QCOMPARE(pSecond->Settings().nBorderWidth, 0);
    QCOMPARE(pSecond->Settings().nSlidePause, 0);
}

void TestViewProperties::cancelChangesNothing()
{
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    RunProperties({"3", "7", "9"}, QStringLiteral("Cancel"), true);
    QCOMPARE(pView->Settings().nPhotosInRow, 10);
    QCOMPARE(pView->Settings().nBorderWidth, 2);
    QCOMPARE(pView->Settings().nSlidePause, 1000);
    QVERIFY(!pView->Settings().bKeepProportions);
    QVERIFY(!pView->Settings().bLoop);
    QCOMPARE(pView->State().nSelectPenWidth, 2);
}

void TestViewProperties::newPauseAppliesToTheRunningShow()
{
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    SViewSettings settings = pView->Settings();
    settings.nSlidePause = 3600000;
    pView->ApplySettings(settings);
    pView->OnSlideShow();
    // Only the new, short pause lets the show reach its end in time.
    RunProperties({QString(), QString(), "0.01"}, QStringLiteral("OK"));
    QCOMPARE(pView->Settings().nSlidePause, 10);
    QTRY_VERIFY_WITH_TIMEOUT(!pView->State().bBusy, 5000);
    QCOMPARE(pView->State().nCurrent, 0);

    // Paused, the new pause waits for the resume: the timer runs, its ticks
    // show nothing.
    pView->OnSlideShow();
    pView->OnPause();
    RunProperties({QString(), QString(), "0.02"}, QStringLiteral("OK"));
    QVERIFY(pView->State().bSlideTimer);
    pView->OnTimer(1);
    QCOMPARE(pView->State().nCurrent, 0);
    pView->OnPause();
    pView->OnTimer(1);
    QCOMPARE(pView->State().nCurrent, 1);
}

void TestViewProperties::finishedMosaicIsRebuiltForANewLayout()
{
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    pView->OnMosaic();
    for (int i = 0; i <= 12; ++i)
        pView->OnTimer(2);
    QVERIFY(pView->State().bMosaic && !pView->State().bBusy);
    // The client is 420 wide.
    QCOMPARE(pView->State().nCellWidth, 38);

    // A new pause leaves the mosaic as it is.
    RunProperties({QString(), QString(), "2"}, QStringLiteral("OK"));
    QVERIFY(!pView->State().bBusy);

    RunProperties({"4"}, QStringLiteral("OK"));
    QVERIFY(pView->State().bBusy);
    QCOMPARE(pView->State().nTimerId, 2);
    for (int i = 0; i <= 12; ++i)
        pView->OnTimer(2);
    QVERIFY(!pView->State().bBusy);
    QCOMPARE(pView->State().nCellWidth, 101);
    const int nPitch = 103;
    QCOMPARE(pView->GetTotalSize(), QSize(4 * nPitch, 4 * nPitch));
    // A click in the third row selects picture 9 of the new layout.
    QTest::mouseClick(pView->viewport(), Qt::LeftButton, {},
                      QPoint(nPitch + 5, 2 * nPitch + 5) - pView->GetScrollPosition());
    QCOMPARE(m_pSession->Frame()->GetStatusBar()->GetPaneText(0),
             m_pPictures->filePath(QStringLiteral("9.bmp")));
}

void TestViewProperties::layoutChangedDuringAShowOverAMosaic()
{
    COrvalaView* pView = Open(QStringLiteral("0.bmp"));
    QVERIFY(pView);
    pView->OnMosaic();
    for (int i = 0; i <= 12; ++i)
        pView->OnTimer(2);
    pView->OnSlideShow();
    pView->OnTimer(1);
    RunProperties({"3"}, QStringLiteral("OK"));
    // Not while the show covers the mosaic.
    QCOMPARE(pView->State().nTimerId, 1);
    pView->OnSlideShow();
    pView->OnTimer(1);
    QVERIFY(pView->State().bBusy);
    QCOMPARE(pView->State().nTimerId, 2);
    for (int i = 0; i <= 12; ++i)
        pView->OnTimer(2);
    const int nPitch = 138; // three cells of 136 a row in a client 420 wide
    QCOMPARE(pView->GetTotalSize(), QSize(3 * nPitch, 5 * nPitch));
}

QTEST_MAIN(TestViewProperties)
#include "TestViewProperties.moc"
#include "platform/framework/CFrameServices.h"
