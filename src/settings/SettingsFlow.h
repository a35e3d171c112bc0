#pragma once

#include "kit/ScreenFlow.h"

class QWidget;

// The hand-overs of the settings menu to the two settings screens, and the tool of the
// archive's copies that it opens.
class SettingsFlow : public virtual ScreenFlow {
public:
    virtual void ShowFieldNames() = 0;
    virtual void ShowStartScreenSettings() = 0;
    virtual void OpenBackups(QWidget* opener) = 0;
};
