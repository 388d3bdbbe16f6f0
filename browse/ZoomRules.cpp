#include "browse/ZoomRules.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kStep = 1.25;
// A zoom within this of a step counts as on it, so rounding never skips one.
constexpr double kSameStep = 1e-6;

QPoint Centred(QSize szInner, QSize szOuter)
{
    return QPoint(std::max(0, (szOuter.width() - szInner.width()) / 2),
                  std::max(0, (szOuter.height() - szInner.height()) / 2));
}

QSize Scaled(QSize sz, double dZoom)
{
    return QSize(std::max(1, int(std::lround(sz.width() * dZoom))),
                 std::max(1, int(std::lround(sz.height() * dZoom))));
}

} // namespace

SPictureLayout PictureLayout(EPictureFit eFit, double dZoom, QSize szPicture, QSize szClient)
{
    SPictureLayout layout;
    if (szPicture.isEmpty() || szClient.isEmpty())
        return layout;
    switch (eFit) {
    case EPictureFit::Width:
        layout.dZoom = double(szClient.width()) / szPicture.width();
        layout.rcPicture =
            QRect(0, 0, szClient.width(),
                  int(qint64(szPicture.height()) * szClient.width() / szPicture.width()));
        break;
    case EPictureFit::FullSize:
        layout.rcPicture = QRect(QPoint(0, 0), szPicture);
        layout.szScroll = szPicture;
        break;
    case EPictureFit::Window: {
        layout.dZoom = std::min({1.0, double(szClient.width()) / szPicture.width(),
                                 double(szClient.height()) / szPicture.height()});
        const QSize sz = Scaled(szPicture, layout.dZoom);
        layout.rcPicture = QRect(Centred(sz, szClient), sz);
        break;
    }
    case EPictureFit::Zoom: {
        layout.dZoom = std::clamp(dZoom, kMinZoom, kMaxZoom);
        const QSize sz = Scaled(szPicture, layout.dZoom);
        layout.rcPicture = QRect(Centred(sz, szClient), sz);
        if (sz.width() > szClient.width() || sz.height() > szClient.height())
            layout.szScroll = sz.expandedTo(szClient);
        break;
    }
    }
    return layout;
}

double ZoomInStep(double dZoom)
{
    const double k = std::floor(std::log(dZoom) / std::log(kStep) + kSameStep) + 1;
    return std::min(kMaxZoom, std::pow(kStep, k));
}

double ZoomOutStep(double dZoom)
{
    const double k = std::ceil(std::log(dZoom) / std::log(kStep) - kSameStep) - 1;
    return std::max(kMinZoom, std::pow(kStep, k));
}

QPoint ScrollForZoom(const SPictureLayout& before, const SPictureLayout& after, QPoint ptScroll,
                     QPoint ptAnchor)
{
    const QPointF ptPicture =
        QPointF(ptScroll + ptAnchor - before.rcPicture.topLeft()) / before.dZoom;
    const QPointF ptAfter = QPointF(after.rcPicture.topLeft()) + ptPicture * after.dZoom;
    return (ptAfter - QPointF(ptAnchor)).toPoint();
}

QString ZoomText(double dZoom)
{
    return QStringLiteral("%1%").arg(std::lround(dZoom * 100));
}
