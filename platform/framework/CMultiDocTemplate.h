#pragma once

#include "platform/framework/CCmdTarget.h"

#include <QList>
#include <QString>
#include <functional>

class CDocument;
class CMDIChildWnd;
class CView;

// Joins a document class, a child frame class and a view class under one
// resource id, whose string gives the template's names and whose menu and
// icon its windows use.
class CMultiDocTemplate : public CCmdTarget
{
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    CMultiDocTemplate(int nIDResource, std::function<CDocument*()> createDocument,
                      std::function<CMDIChildWnd*()> createFrame,
                      std::function<CView*()> createView);
    ~CMultiDocTemplate() override;

    int GetResourceID() const { return m_nIDResource; }
    bool GetDocString(QString& rString, DocStringIndex index) const;

    // Opens a new document in a new window: on the file when a path is given
    // (nullptr when the document refuses it), else a new untitled document.
    // The new view is handed to prepareView, when given, before its initial
    // update: how the caller passes what the view is opened for.
    CDocument* OpenDocumentFile(const QString& strPathName, bool bMakeVisible = true,
                                const std::function<void(CView*)>& prepareView = {});
    // Another window on an open document.
    CMDIChildWnd* CreateNewFrame(CDocument* pDoc);
    void InitialUpdateFrame(CMDIChildWnd* pFrame, CDocument* pDoc, bool bMakeVisible = true);

    QList<CDocument*> GetDocuments() const { return m_docList; }
    void SetDefaultTitle(CDocument* pDocument);

private:
    friend class CDocument;
    void RemoveDocument(CDocument* pDoc);

    int m_nIDResource;
    QString m_strDocStrings;
    std::function<CDocument*()> m_createDocument;
    std::function<CMDIChildWnd*()> m_createFrame;
    std::function<CView*()> m_createView;
    QList<CDocument*> m_docList;
    int m_nUntitledCount = 0;
};
