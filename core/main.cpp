// Lantern Vale: the program takes no options; everything happens in the framework.
#include "core/Startup.h"

int main() { return RunLanternVale(); }
