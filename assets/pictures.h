// The two screen pictures: the splash and the title.
#pragma once

#include "assets/art.h"

extern const Picture<162, 58> splash_picture; // grays 0, 150, 255
extern const Picture<320, 240> title_picture; // grays 0, 153, 255
