#pragma once

#include <QtGlobal>

// The work budget of one playback, so that a hostile file ends drawn in part
// rather than late. Work is counted in units of very roughly 50 ns here: a
// record played, a point drawn or clipped, a call into the painter, device
// pixels filled, stroked, blitted or rasterised for a clip, bitmap pixels
// decoded. Playback stops before the first record that finds the budget spent.
namespace MetafileWork {
constexpr qint64 kPerRecord = 1;
constexpr qint64 kPerDraw = 64;
constexpr qint64 kPerPoint = 5;
constexpr qint64 kDevicePixelsPerUnit = 128;
constexpr qint64 kStrokePixelsPerUnit = 4;
constexpr qint64 kDecodedPixelsPerUnit = 4;
// About a second of drawing here; real files use a small part of it.
constexpr qint64 kDefaultBudget = qint64(1) << 24;
} // namespace MetafileWork
