#pragma once

#include "platform/framework/CDialog.h"
#include "platform/picture/PictureInfo.h"

#include <QSize>
#include <memory>

class QFormLayout;

namespace Ui {
class CDia_PictureInfo;
}

// What is known of one picture: its file, the picture and the camera's data.
// The caller fills the members and runs DoModal.
class CDia_PictureInfo : public CDialog
{
    Q_OBJECT
public:
    explicit CDia_PictureInfo(QWidget* pParent = nullptr);
    ~CDia_PictureInfo() override;

    int DoModal() override;

    SPictureInfo m_info;
    // The upright picture's size; empty while the picture gives none.
    QSize m_szPixels;

private:
    void FillRows();
    // A row only for a value that is known.
    void AddRow(QFormLayout* pLayout, const QString& strLabel, const QString& strValue);

    std::unique_ptr<Ui::CDia_PictureInfo> m_pUi;
};
