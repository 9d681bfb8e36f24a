#pragma once
#include "platform/String.h"

// The program's version, shown in the window caption and written to the settings file.
extern const String VERSION_NO;
