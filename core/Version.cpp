#include "core/Version.h"

const String VERSION_NO = u"1.07";
