#pragma once

#include "kit/ScreenFlow.h"

// The hand-overs of the settings menu to the two settings screens.
class SettingsFlow : public virtual ScreenFlow {
public:
    virtual void ShowFieldNames() = 0;
    virtual void ShowStartScreenSettings() = 0;
};
