#pragma once

#include "platform/framework/CScrollView.h"

// The view of a picture window.
class COrvalaView : public CScrollView
{
    Q_OBJECT
public:
    COrvalaView() = default;
};
