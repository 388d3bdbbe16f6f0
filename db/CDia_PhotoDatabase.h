#pragma once

#include "platform/database/SServerConnection.h"
#include "platform/framework/CDialog.h"

#include <memory>
#include <optional>

class QSettings;

namespace Ui {
class CDia_PhotoDatabase;
}

// Database > Photo Database...: the local file or a PostgreSQL server. Shows
// the stored choice; OK stores the new one, which Orvala opens at its next start.
class CDia_PhotoDatabase : public CDialog
{
    Q_OBJECT
public:
    explicit CDia_PhotoDatabase(QSettings& settings, QWidget* pParent = nullptr);
    ~CDia_PhotoDatabase() override;

private:
    void ShowChoice(const std::optional<SServerConnection>& server);
    void OnOK();

    QSettings& m_settings;
    std::unique_ptr<Ui::CDia_PhotoDatabase> m_pUi;
};
