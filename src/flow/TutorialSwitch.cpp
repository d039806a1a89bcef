#include "flow/TutorialSwitch.h"

bool tutorialsOn = true;
