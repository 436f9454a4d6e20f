// The event filter and the pads in a page. The emulation has no event
// filter, and it reads only the pads that were there at start-up, by the
// browser's places: here a pad counts from its first button press on, as a
// browser shows it, and its changes become the events SDL 1.2 sends.
#include "platform/web/events.h"

#include "frame/input.h"
#include "platform/platform.h"
#include "platform/web/page.h"

// ---- events ----

// What one frame keeps of the page's events, no more than SDL 1.2's queue
// of 127 holds; they wait in the emulation's queue until a poll takes them.
constexpr int KEPT_EVENTS = 127;
static EventKeeper event_keeper;

// The page's events reach SDL's queue while the game gives the thread back,
// and only then; each frame takes everything that waits out, drops what the
// filter refuses and puts the rest back in its order, before anything polls.
static void filter_waiting() {
    static SDL_Event kept[KEPT_EVENTS];
    int count = 0;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (event_keeper(&event) && count < KEPT_EVENTS)
            kept[count++] = event;
    for (int i = 0; i < count; i++)
        SDL_PushEvent(&kept[i]);
}

void platform_filter_events(EventKeeper keep) {
    event_keeper = keep;
    filter_waiting();
}

// ---- pads ----

// Bits of the pads' buttons that the page reads; the filter decides which
// of them the game hears.
constexpr int PAD_BUTTON_BITS = 32;
constexpr int STICK_AXES = 2;
static PagePad pads_seen[PADS];

// Queued as a pad of SDL would have queued it, through the same filter.
static void pad_event(SDL_Event& event) {
    if (event_keeper(&event))
        SDL_PushEvent(&event);
}

// A pad that goes away lets go of everything: the page reads it as released
// and centred.
static void pads_changed() {
    PagePad now[PADS] = {};
    page_read_pads(now, PADS);
    for (int pad = 0; pad < PADS; pad++) {
        PagePad& was = pads_seen[pad];
        for (int axis = 0; axis < STICK_AXES; axis++) {
            if (now[pad].axes[axis] == was.axes[axis])
                continue;
            SDL_Event event{};
            event.jaxis.type = SDL_JOYAXISMOTION;
            event.jaxis.which = Uint8(pad);
            event.jaxis.axis = Uint8(axis);
            event.jaxis.value = now[pad].axes[axis];
            pad_event(event);
        }
        for (int button = 0; button < PAD_BUTTON_BITS; button++) {
            uint32_t bit = uint32_t(1) << button;
            if ((now[pad].buttons & bit) == (was.buttons & bit))
                continue;
            bool down = (now[pad].buttons & bit) != 0;
            SDL_Event event{};
            event.jbutton.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
            event.jbutton.which = Uint8(pad);
            event.jbutton.button = Uint8(button);
            event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
            pad_event(event);
        }
        was = now[pad];
    }
}

void events_arrived() {
    filter_waiting();
    pads_changed();
}
