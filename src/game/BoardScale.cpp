#include "game/BoardScale.h"

float boardScale = 1.0f;
