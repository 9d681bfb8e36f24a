#pragma once
// The widget fixture now lives with the shared test support.
#include "support/UiFixture.h"
