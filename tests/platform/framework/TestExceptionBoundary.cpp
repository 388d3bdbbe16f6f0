#include "common/MessageBoxRecorder.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/MessageBox.h"

#include <QAction>
#include <QTest>
#include <memory>
#include <stdexcept>

namespace {

enum { ID_FAILS = 41001, ID_WORKS = 41002, ID_ODD_THROW = 41003, ID_STATE_FAILS = 41004 };

// A frame whose handlers fail the ways real ones can.
class CFailingFrame : public CMDIFrameWnd
{
public:
    CFailingFrame()
    {
        OnCommand(ID_FAILS, [] { throw std::runtime_error("Disk I/O error while saving."); });
        OnCommand(ID_WORKS, [this] { ++m_nWorked; });
        OnCommand(ID_ODD_THROW, [] { throw 42; });
        OnCommand(ID_STATE_FAILS, [] {});
        OnUpdateCommandUI(ID_STATE_FAILS, [this](CCmdUI*) {
            if (m_bStateFails)
                throw std::runtime_error("The database file is locked.");
        });
    }
    int m_nWorked = 0;
    bool m_bStateFails = true;
};

} // namespace

// Nothing a command does may end the program: its failure is shown and the
// frame goes on handling commands.
class TestExceptionBoundary : public QObject
{
    Q_OBJECT
private slots:
    void failingCommandIsReported_data();
    void failingCommandIsReported();
    void failingStateIsReportedOnce();
};

void TestExceptionBoundary::failingCommandIsReported_data()
{
    QTest::addColumn<int>("nID");
    QTest::addColumn<QString>("strMessage");
    QTest::newRow("engine error") << int(ID_FAILS) << "Disk I/O error while saving.";
    QTest::newRow("not a std::exception")
        << int(ID_ODD_THROW) << "The operation failed because of an unexpected error.";
}

void TestExceptionBoundary::failingCommandIsReported()
{
    QFETCH(int, nID);
    QFETCH(QString, strMessage);
    CMessageBoxRecorder recorder;
    CFailingFrame frame;
    QAction* pAction = frame.GetCommandAction(nID);
    frame.UpdateCmdUI();
    QVERIFY(pAction->isEnabled());

    // As the user would: through the menu's action.
    pAction->trigger();
    QCOMPARE(recorder.m_arTexts, QStringList{strMessage});
    QCOMPARE(recorder.m_arTypes.value(0) & 0xF0, int(MB_ICONERROR));

    QVERIFY(!frame.SendCommand(nID));
    QCOMPARE(recorder.m_arTexts.size(), 2);
    QVERIFY(frame.SendCommand(ID_WORKS));
    QCOMPARE(frame.m_nWorked, 1);
    QVERIFY(pAction->isEnabled());
}

void TestExceptionBoundary::failingStateIsReportedOnce()
{
    CMessageBoxRecorder recorder;
    CFailingFrame frame;
    QAction* pAction = frame.GetCommandAction(ID_STATE_FAILS);
    frame.GetCommandAction(ID_WORKS);
    for (int i = 0; i < 3; ++i)
        frame.UpdateCmdUI();
    QVERIFY(!pAction->isEnabled());
    QTRY_COMPARE(recorder.m_arTexts, QStringList{QStringLiteral("The database file is locked.")});
    QCOMPARE(recorder.m_arTypes.value(0) & 0xF0, int(MB_ICONERROR));
    // Other commands keep their state, and running the failing one is refused quietly
    // after its report.
    QVERIFY(frame.GetCommandAction(ID_WORKS)->isEnabled());
    QVERIFY(frame.SendCommand(ID_WORKS));
    frame.UpdateCmdUI();
    QCoreApplication::processEvents();
    QCOMPARE(recorder.m_arTexts.size(), 1);

    // Once the cause is gone the command comes back; a new failure is told again.
    frame.m_bStateFails = false;
    frame.UpdateCmdUI();
    QVERIFY(pAction->isEnabled());
    frame.m_bStateFails = true;
    frame.UpdateCmdUI();
    QTRY_COMPARE(recorder.m_arTexts.size(), 2);
}

QTEST_MAIN(TestExceptionBoundary)
#include "TestExceptionBoundary.moc"
