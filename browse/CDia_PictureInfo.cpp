#include "browse/CDia_PictureInfo.h"

#include "ui_PictureInfoDlg.h"

#include <QDesktopServices>
#include <QLabel>

CDia_PictureInfo::CDia_PictureInfo(QWidget* pParent)
    : CDialog(pParent)
    , m_pUi(std::make_unique<Ui::CDia_PictureInfo>())
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

CDia_PictureInfo::~CDia_PictureInfo() = default;

int CDia_PictureInfo::DoModal()
{
    // The members are set after construction.
    FillRows();
    m_pUi->m_btnClose->setFocus();
    return CDialog::DoModal();
}

void CDia_PictureInfo::FillRows()
{
    AddRow(m_pUi->fileLayout, tr("Path:"), m_info.strPath);
    AddRow(m_pUi->fileLayout, tr("Size:"), FileSizeText(m_info.nFileSize));
    AddRow(m_pUi->fileLayout, tr("Modified:"), DateTimeText(m_info.dtModified));

    AddRow(m_pUi->pictureLayout, tr("Pixels:"), PixelSizeText(m_szPixels));
    AddRow(m_pUi->pictureLayout, tr("Format:"), m_info.strFormat);
    AddRow(m_pUi->pictureLayout, tr("Colours:"), m_info.strColour);

    QFormLayout* pCamera = m_pUi->cameraLayout;
    if (!m_info.HasCameraData()) {
        pCamera->addRow(new QLabel(tr("The file holds no camera data."), this));
        return;
    }
    AddRow(pCamera, tr("Make:"), m_info.strMake);
    AddRow(pCamera, tr("Model:"), m_info.strModel);
    AddRow(pCamera, tr("Lens:"), m_info.strLens);
    AddRow(pCamera, tr("Taken:"), DateTimeText(m_info.dtCaptured));
    AddRow(pCamera, tr("Exposure:"), m_info.strExposure);
    AddRow(pCamera, tr("Aperture:"), m_info.strAperture);
    AddRow(pCamera, tr("ISO:"), m_info.strIso);
    AddRow(pCamera, tr("Focal length:"), m_info.strFocalLength);
    AddRow(pCamera, tr("Flash:"), m_info.strFlash);
    AddRow(pCamera, tr("Orientation:"), m_info.strOrientation);
    if (m_info.dLatitude && m_info.dLongitude) {
        const QUrl url = PositionMapUrl(*m_info.dLatitude, *m_info.dLongitude);
        auto* pLink = new QLabel(this);
        pLink->setObjectName(QStringLiteral("m_wndPosition"));
        pLink->setTextFormat(Qt::RichText);
        pLink->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                           .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                PositionText(*m_info.dLatitude, *m_info.dLongitude)));
        pLink->setToolTip(tr("Show the place on a map"));
        pLink->setTextInteractionFlags(Qt::TextBrowserInteraction);
        // Through the desktop, so the user's own browser and map site open.
        connect(pLink, &QLabel::linkActivated, this,
                [](const QString& strLink) { QDesktopServices::openUrl(QUrl(strLink)); });
        pCamera->addRow(tr("Position:"), pLink);
    }
}

void CDia_PictureInfo::AddRow(QFormLayout* pLayout, const QString& strLabel,
                              const QString& strValue)
{
    if (strValue.isEmpty())
        return;
    auto* pValue = new QLabel(strValue, this);
    pValue->setTextFormat(Qt::PlainText);
    pValue->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pLayout->addRow(strLabel, pValue);
}
