// The meta-object code of the screen tests' helpers that are QObjects (OpenedUrls), built once
// for every test.
#include "support/ScreenTest.h"
