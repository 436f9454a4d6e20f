// Windows: the desktop's scaling, shared by the settings and the window's fit.
#pragma once

#include <cstdint>

// Rows a fitted window leaves to a title bar and the task bar on a screen of
// `dpi` dots an inch (96 at 100 %).
int32_t room_rows_at(int dpi);
// Dots an inch of the desktop, as Windows tells a program that declares it
// handles the scaling; 96 where it tells none.
int desktop_dpi();
