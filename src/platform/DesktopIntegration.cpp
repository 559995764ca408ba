#include "platform/DesktopIntegration.h"
