#include "platform/framework/CStatusBar.h"

#include "platform/framework/AfxIds.h"
#include "platform/framework/CResources.h"

#include <QLabel>

CStatusBar::CStatusBar(QWidget* pParent)
    : QStatusBar(pParent)
{
    setObjectName(QStringLiteral("StatusBar"));
}

bool CStatusBar::SetIndicators(const QList<int>& arIDs)
{
    for (QLabel* pPane : std::as_const(m_arPanes)) {
        removeWidget(pPane);
        delete pPane;
    }
    m_arPanes.clear();
    m_arIDs = arIDs;
    for (int nID : arIDs) {
        auto* pPane = new QLabel(this);
        if (nID == ID_SEPARATOR) {
            pPane->setText(CResources::Get().LoadString(AFX_IDS_IDLEMESSAGE));
            pPane->setMinimumWidth(1);
            addWidget(pPane, 1);
        } else {
            // Wide enough for the text whether it shows or not, so nothing moves.
            const QString strText = CResources::Get().LoadString(nID);
            pPane->setAlignment(Qt::AlignCenter);
            pPane->setFrameShape(QFrame::Panel);
            pPane->setFrameShadow(QFrame::Sunken);
            pPane->setMinimumWidth(pPane->fontMetrics().horizontalAdvance(strText) + 12);
            addPermanentWidget(pPane);
        }
        m_arPanes.append(pPane);
    }
    return true;
}

void CStatusBar::SetPaneText(int nIndex, const QString& strText, bool bUpdate)
{
    QLabel* pPane = m_arPanes.value(nIndex);
    if (pPane == nullptr)
        return;
    pPane->setText(strText);
    if (bUpdate)
        pPane->repaint();
}

QString CStatusBar::GetPaneText(int nIndex) const
{
    QLabel* pPane = m_arPanes.value(nIndex);
    return pPane ? pPane->text() : QString();
}

QRect CStatusBar::GetItemRect(int nIndex) const
{
    QLabel* pPane = m_arPanes.value(nIndex);
    return pPane ? pPane->geometry() : QRect();
}

void CStatusBar::SetPaneWidth(int nIndex, const QString& strSample)
{
    if (QLabel* pPane = m_arPanes.value(nIndex))
        pPane->setMinimumWidth(pPane->fontMetrics().horizontalAdvance(strSample) + 12);
}

void CStatusBar::SetPaneVisible(int nIndex, bool bVisible)
{
    if (QLabel* pPane = m_arPanes.value(nIndex))
        pPane->setVisible(bVisible);
}

void CStatusBar::SetIndicatorOn(int nID, bool bOn)
{
    const int nIndex = CommandToIndex(nID);
    if (nIndex < 0)
        return;
    const QString strText = bOn ? CResources::Get().LoadString(nID) : QString();
    if (m_arPanes.at(nIndex)->text() != strText)
        m_arPanes.at(nIndex)->setText(strText);
}
