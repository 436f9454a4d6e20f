// The sound device in a page: the emulation's Web Audio buffers, at the
// mixer's own rate and with a short queue.
#include "platform/platform.h"

#include <cstring>

#include "platform/web/page.h"
#include "sound/mixer.h"

// The emulation takes only powers of two. Buffers of 512 samples, 64 ms at
// 8000 Hz, with two of them queued ahead, keep 0.18 to 0.25 s waiting
// before the speaker, about the desktop's one 2000-sample buffer; the page
// queues more in every frame, so a frame's 16 ms never starves it.
constexpr Uint16 DEVICE_SAMPLES = 512;
constexpr int32_t QUEUED_BUFFERS = 2;

Uint16 platform_audio_samples() {
    return DEVICE_SAMPLES;
}

// The emulation opens its device at 22050 Hz at the least, which would play
// the 8000 Hz samples 2.76 times too fast; Web Audio plays buffers of 8000 Hz
// as they are, so the rate is put back. Its queue of five buffers would hold
// more than a second of sound ahead of the speaker.
void platform_audio_opened() {
    page_audio_opened(AUDIO_RATE, QUEUED_BUFFERS);
}

// The emulation hands the callback its own buffer as it was left, not
// silence, and has no SDL_MixAudio: mixing into silence is a copy.
void platform_audio_mix(Uint8* stream, const Uint8* mixed, Uint32 bytes) {
    memcpy(stream, mixed, bytes);
}
