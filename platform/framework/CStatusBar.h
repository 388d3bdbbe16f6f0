#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;

// A status bar of panes: pane 0 is the message pane that takes the remaining
// width; the others are indicators that show their text only while on.
class CStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* pParent = nullptr);

    // Ids of the panes in order; ID_SEPARATOR (0) is the message pane.
    bool SetIndicators(const QList<int>& arIDs);
    int GetCount() const { return int(m_arPanes.size()); }
    int CommandToIndex(int nID) const { return int(m_arIDs.indexOf(nID)); }

    void SetPaneText(int nIndex, const QString& strText, bool bUpdate = true);
    QString GetPaneText(int nIndex) const;
    // The pane's rectangle in the status bar's coordinates.
    QRect GetItemRect(int nIndex) const;
    // Keeps the pane at least as wide as the sample text, so that the texts
    // it is given neither get cut nor move the panes beside it.
    void SetPaneWidth(int nIndex, const QString& strSample);
    // A hidden pane leaves its room to the message pane.
    void SetPaneVisible(int nIndex, bool bVisible);
    // Shows or blanks an indicator pane's text.
    void SetIndicatorOn(int nID, bool bOn);

private:
    QList<int> m_arIDs;
    QList<QLabel*> m_arPanes;
};
