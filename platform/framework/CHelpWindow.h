#pragma once

#include <QTextBrowser>

// The window that shows the program's own user guide.
class CHelpWindow : public QTextBrowser
{
    Q_OBJECT
public:
    // Shows the guide (at a section when an anchor is given), making the
    // window on first use and raising it afterwards.
    static CHelpWindow* Show(const QString& strAnchor = QString());

private:
    explicit CHelpWindow(QWidget* pParent);
};
