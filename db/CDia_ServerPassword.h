#pragma once

#include "platform/database/SServerConnection.h"
#include "platform/framework/CDialog.h"

class QLineEdit;

// Asks at start for the password a server wants and ~/.pgpass does not
// give. What is typed stays in memory for the run.
class CDia_ServerPassword : public CDialog
{
    Q_OBJECT
public:
    // strRefusal: the server's words on the password tried before, if any.
    CDia_ServerPassword(const SServerConnection& server, const QString& strRefusal,
                        QWidget* pParent = nullptr);

    QString Password() const;
    QLineEdit* m_editPassword;
};
