// The page's events and pads as the game's input takes them in.
#pragma once

// After each turn of the page's event loop: what the page sent meanwhile
// passes the game's event filter, and the pads' changes join it as SDL's
// pad events.
void events_arrived();
