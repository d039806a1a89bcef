#pragma once

// Size factor of the board and its pictures: 1.0 when a game begins, set by a level's SCALE.
extern float boardScale;
