#pragma once

#include <QtGlobal>

// The work budget of one playback, so that a hostile file ends drawn in part
// rather than late. Work is counted in units of roughly a tenth of a
// microsecond: a record played, a point drawn or clipped, 64 device pixels
// filled, blitted or rasterised for a clip, or 4 pixels of a bitmap decoded.
// Playback stops before the first record that finds the budget spent.
namespace MetafileWork {
constexpr qint64 kPerRecord = 1;
constexpr qint64 kPerPoint = 1;
constexpr qint64 kDevicePixelsPerUnit = 64;
constexpr qint64 kDecodedPixelsPerUnit = 4;
// About two seconds of drawing here; real files use a small part of it.
constexpr qint64 kDefaultBudget = qint64(1) << 25;
} // namespace MetafileWork
