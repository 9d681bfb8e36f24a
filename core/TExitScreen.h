#pragma once
// Stands for leaving the program: switching to it ends the run. Never started, drawn or run.
#include "core/TScreen.h"

class TExitScreen : public TScreen {};
