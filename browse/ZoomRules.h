#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// How the single picture is fitted into its window: the classic two (the
// window's width, the picture's own pixels), the whole picture inside the
// window, or a zoom chosen by the user.
enum class EPictureFit { Width, FullSize, Window, Zoom };

constexpr double kMinZoom = 1.0 / 16;
constexpr double kMaxZoom = 16.0;

// Where the picture lies in the document (what the view scrolls over) and
// how far it can be scrolled: an empty scroll size scrolls nothing.
struct SPictureLayout
{
    QRect rcPicture;
    QSize szScroll;
    double dZoom = 1.0; // picture pixels to window pixels, for the status
};

// The layout of a picture of szPicture pixels in a client area of szClient.
// Width fills the width (the rest is cut, as the classic view does); Window
// shows it whole and centred, never enlarged; Zoom uses dZoom, centred where
// it is smaller than the client.
SPictureLayout PictureLayout(EPictureFit eFit, double dZoom, QSize szPicture, QSize szClient);

// The zoom after a step in or out from dZoom: the next power of 1.25 beyond it
// (so 100% is always met on the way), within 1/16 and 16.
double ZoomInStep(double dZoom);
double ZoomOutStep(double dZoom);

// The scroll position that keeps the picture point under ptAnchor (client
// coordinates) under it from one layout of a picture to another. The view
// clamps the result to its range.
QPoint ScrollForZoom(const SPictureLayout& before, const SPictureLayout& after, QPoint ptScroll,
                     QPoint ptAnchor);

// "25%", "133%", "1600%": the zoom as the status bar shows it.
QString ZoomText(double dZoom);
