#pragma once

#include "platform/framework/CCmdTarget.h"

#include <QList>
#include <QObject>
#include <QString>

class CMultiDocTemplate;
class CView;

// The data behind one or more views. Deletes itself when its last view goes.
class CDocument : public QObject, public CCmdTarget
{
    Q_OBJECT
public:
    CDocument();
    ~CDocument() override;

    virtual bool OnNewDocument() { return true; }
    virtual bool OnOpenDocument(const QString& strPathName);
    // Closes every window on the document, which then deletes itself.
    virtual void OnCloseDocument();

    QString GetPathName() const { return m_strPathName; }
    // Sets the path and the title (the file name); records it as recently opened.
    virtual void SetPathName(const QString& strPathName, bool bAddToMRU = true);
    QString GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& strTitle);

    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    const QList<CView*>& GetViews() const { return m_viewList; }
    void AddView(CView* pView);
    void RemoveView(CView* pView);

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

signals:
    void TitleChanged();

private:
    friend class CMultiDocTemplate;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
    QString m_strPathName;
    QString m_strTitle;
    QList<CView*> m_viewList;
    bool m_bClosing = false;
};
