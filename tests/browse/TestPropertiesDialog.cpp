#include "browse/CDia_Properties.h"
#include "platform/framework/MessageBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The Properties dialog of a picture window, driven as a user would.
class TestPropertiesDialog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void layout();
    void tabOrder();
    void okReadsSettings_data();
    void okReadsSettings();
    void cancelWritesNothing(); // after showing the members
};

namespace {

template <typename T> T* WithText(QWidget* pDialog, const QString& strText)
{
    for (T* pWidget : pDialog->findChildren<T*>()) {
        if (pWidget->text() == strText)
            return pWidget;
    }
    return nullptr;
}

QGroupBox* Group(QWidget* pDialog, const QString& strTitle)
{
    for (QGroupBox* pGroup : pDialog->findChildren<QGroupBox*>()) {
        if (pGroup->title() == strTitle)
            return pGroup;
    }
    return nullptr;
}

QRect RectIn(QWidget* pDialog, const QWidget* pWidget)
{
    return QRect(pWidget->mapTo(pDialog, QPoint()), pWidget->size());
}

// What the user reads as a label's edit: on its line, right of it.
QLineEdit* EditBeside(QWidget* pDialog, const char* pszLabel)
{
    const QLabel* pLabel = WithText<QLabel>(pDialog, QLatin1String(pszLabel));
    for (QLineEdit* pEdit : pDialog->findChildren<QLineEdit*>()) {
        const QRect rcEdit = RectIn(pDialog, pEdit);
        if (pLabel && qAbs(rcEdit.center().y() - RectIn(pDialog, pLabel).center().y()) <= 2 &&
            rcEdit.left() >= RectIn(pDialog, pLabel).right())
            return pEdit;
    }
    return nullptr;
}

// Photos in row, border width, pause.
QList<QLineEdit*> Edits(QWidget* pDialog)
{
    return {EditBeside(pDialog, "Photos in row:"), EditBeside(pDialog, "Photos' border width:"),
            EditBeside(pDialog, "Pause between slides:")};
}

QCheckBox* KeepBox(QWidget* pDialog)
{
    return WithText<QCheckBox>(pDialog, QStringLiteral("Keep photos' proportions"));
}

QCheckBox* LoopBox(QWidget* pDialog)
{
    return WithText<QCheckBox>(pDialog, QStringLiteral("Show circled"));
}

// Keys reach the focus widget, and buttons become default, only in the
// active window.
bool Activate(QWidget* pDialog)
{
    pDialog->activateWindow();
    return QTest::qWaitForWindowActive(pDialog);
}

void Retype(QLineEdit* pEdit, const QString& strText)
{
    pEdit->setFocus();
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Backspace);
    QTest::keyClicks(pEdit, strText);
}

// Filled as the view fills it for a new picture window.
void FillWithDefaults(CDia_Properties& dialog)
{
    dialog.m_strPhotosInRow = QStringLiteral("10");
    dialog.m_strBorderWidth = QStringLiteral("2");
    dialog.m_strPause = QStringLiteral("1.0");
}

int Answer(CDialog* pDialog)
{
    return pDialog->result() == QDialog::Accepted ? int(IDOK) : int(IDCANCEL);
}

} // namespace

void TestPropertiesDialog::cleanup()
{
    CDialog::SetModalHook({});
}

void TestPropertiesDialog::layout()
{
    CDia_Properties dialog;
    FillWithDefaults(dialog);
    // OK stays the default button with the focus elsewhere.
    bool bOKDefault = false;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        [&] { QVERIFY(Activate(pDialog)); }();
        Edits(pDialog).constLast()->setFocus();
        QPushButton* pOK = WithText<QPushButton>(pDialog, QStringLiteral("OK"));
        bOKDefault = pOK && pOK->isDefault();
        return int(IDCANCEL);
    });
    dialog.DoModal();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties"));
    QVERIFY(bOKDefault);

    QGroupBox* pMosaic = Group(&dialog, QStringLiteral("Mosaic"));
    QGroupBox* pSlideShow = Group(&dialog, QStringLiteral("Slide Show"));
    QGroupBox* pFrame = Group(&dialog, QString());
    QVERIFY(pMosaic && pSlideShow && pFrame);
    QVERIFY(pFrame->isAncestorOf(pMosaic) && pFrame->isAncestorOf(pSlideShow));
    const QList<QLineEdit*> arEdits = Edits(&dialog);
    QVERIFY(!arEdits.contains(nullptr));
    QVERIFY(pMosaic->isAncestorOf(KeepBox(&dialog)));
    QVERIFY(pMosaic->isAncestorOf(arEdits[0]) && pMosaic->isAncestorOf(arEdits[1]));
    QVERIFY(pSlideShow->isAncestorOf(LoopBox(&dialog)));
    QVERIFY(pSlideShow->isAncestorOf(arEdits[2]));
    // Centred edits in one column behind right-aligned labels.
    for (QLineEdit* pEdit : arEdits) {
        QCOMPARE(pEdit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(RectIn(&dialog, pEdit).left(), RectIn(&dialog, arEdits[0]).left());
    }
    for (const char* pszLabel :
         {"Photos in row:", "Photos' border width:", "Pause between slides:"})
        QCOMPARE(WithText<QLabel>(&dialog, QLatin1String(pszLabel))->alignment() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
    QLabel* pSec = WithText<QLabel>(&dialog, QStringLiteral("sec"));
    QVERIFY(pSec && pSlideShow->isAncestorOf(pSec));
    QVERIFY(RectIn(&dialog, pSec).left() > RectIn(&dialog, arEdits[2]).right());
}

void TestPropertiesDialog::tabOrder()
{
    CDia_Properties dialog;
    FillWithDefaults(dialog);
    // Each control named by what it shows, the edits by their texts.
    QStringList arVisited;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        [&] { QVERIFY(Activate(pDialog)); }();
        for (int i = 0; i < 8; ++i) {
            QWidget* pFocus = QApplication::focusWidget();
            if (auto* pButton = qobject_cast<QAbstractButton*>(pFocus))
                arVisited.append(pButton->text());
            else if (auto* pEdit = qobject_cast<QLineEdit*>(pFocus))
                arVisited.append(pEdit->text());
            else
                arVisited.append(QStringLiteral("?"));
            QTest::keyClick(pFocus, Qt::Key_Tab);
        }
        return int(IDCANCEL);
    });
    dialog.DoModal();
    QCOMPARE(arVisited, QStringList({"OK", "Cancel", "Keep photos' proportions", "10", "2",
                                     "Show circled", "1.0", "OK"}));
}

void TestPropertiesDialog::okReadsSettings_data()
{
    QTest::addColumn<bool>("keep");
    QTest::addColumn<bool>("loop");
    QTest::addColumn<QStringList>("typed"); // photos in row, border width, pause
    QTest::addColumn<bool>("enter");        // in the pause edit, instead of clicking OK
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("unchanged") << false << false << QStringList{"10", "2", "1.0"} << false
                               << QList<int>{10, 2, 1000};
    QTest::newRow("keep") << true << false << QStringList{"4", "5", "2.5"} << false
                          << QList<int>{4, 5, 2500};
    QTest::newRow("loop, Enter") << false << true << QStringList{"12x", "0", "0.0015"} << true
                                 << QList<int>{12, 0, 1};
    QTest::newRow("letters and zero")
        << true << true << QStringList{"0", "abc", "abc"} << false << QList<int>{1, 0, 0};
    QTest::newRow("empty, Enter") << false << false << QStringList{"", "", ""} << true
                                  << QList<int>{1, 0, 0};
}

void TestPropertiesDialog::okReadsSettings()
{
    QFETCH(bool, keep);
    QFETCH(bool, loop);
    QFETCH(QStringList, typed);
    QFETCH(bool, enter);
    QFETCH(QList<int>, values);
    CDia_Properties dialog;
    FillWithDefaults(dialog);
    CDialog::SetModalHook([&](CDialog* pDialog) {
        [&] { QVERIFY(Activate(pDialog)); }();
        if (keep)
            QTest::mouseClick(KeepBox(pDialog), Qt::LeftButton);
        if (loop)
            QTest::mouseClick(LoopBox(pDialog), Qt::LeftButton);
        const QList<QLineEdit*> arEdits = Edits(pDialog);
        for (int i = 0; i < 3; ++i)
            Retype(arEdits[i], typed[i]);
        if (enter)
            QTest::keyClick(arEdits[2], Qt::Key_Return);
        else
            WithText<QPushButton>(pDialog, QStringLiteral("OK"))->click();
        return Answer(pDialog);
    });
    QCOMPARE(dialog.DoModal(), int(IDOK));
    // The members keep the texts as typed.
    QCOMPARE(dialog.m_bKeep, keep);
    QCOMPARE(dialog.m_bLoop, loop);
    QCOMPARE(QStringList({dialog.m_strPhotosInRow, dialog.m_strBorderWidth, dialog.m_strPause}),
             typed);
    const SViewSettings& s = dialog.m_settings;
    QCOMPARE(s.bKeepProportions, keep);
    QCOMPARE(s.bLoop, loop);
    QCOMPARE(QList<int>({s.nPhotosInRow, s.nBorderWidth, s.nSlidePause}), values);
}

void TestPropertiesDialog::cancelWritesNothing()
{
    CDia_Properties dialog;
    dialog.m_bKeep = true;
    dialog.m_strPhotosInRow = QStringLiteral("3");
    dialog.m_strBorderWidth = QStringLiteral("0");
    dialog.m_strPause = QStringLiteral("2.5");
    QStringList arShown;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        [&] { QVERIFY(Activate(pDialog)); }();
        arShown << QString::number(KeepBox(pDialog)->isChecked())
                << QString::number(LoopBox(pDialog)->isChecked());
        for (QLineEdit* pEdit : Edits(pDialog)) {
            arShown << pEdit->text();
            Retype(pEdit, QStringLiteral("5"));
        }
        QTest::mouseClick(KeepBox(pDialog), Qt::LeftButton);
        QTest::mouseClick(LoopBox(pDialog), Qt::LeftButton);
        WithText<QPushButton>(pDialog, QStringLiteral("Cancel"))->click();
        return Answer(pDialog);
    });
    QCOMPARE(dialog.DoModal(), int(IDCANCEL));
    QCOMPARE(arShown, QStringList({"1", "0", "3", "0", "2.5"}));
    QVERIFY(dialog.m_bKeep && !dialog.m_bLoop);
    QCOMPARE(QStringList({dialog.m_strPhotosInRow, dialog.m_strBorderWidth, dialog.m_strPause}),
             QStringList({"3", "0", "2.5"}));
}

QTEST_MAIN(TestPropertiesDialog)
#include "TestPropertiesDialog.moc"
