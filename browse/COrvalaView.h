#pragma once

#include "platform/CScrollView.h"

// The view of a picture window.
class COrvalaView : public CScrollView
{
    Q_OBJECT
public:
    COrvalaView() = default;
};
