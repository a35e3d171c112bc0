#pragma once

#include "kit/ScreenFlow.h"

// The hand-overs of the login and the change-password screens.
class AccessFlow : public virtual ScreenFlow {
public:
    virtual void ShowLogin() = 0;
    virtual void ShowChangePassword() = 0;
};
