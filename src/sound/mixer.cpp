// Four voices summed into 2000-sample buffers, one buffer ahead of playback.
// The game writes a voice under SDL's audio lock; everything else here runs
// on the audio thread inside the callback.
#include "sound/mixer.h"

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

Voice voices[VOICES];
uint8_t mix_buffers[2][MIX_SAMPLES];
uint32_t mix_toggle;
int32_t mix_handed;
const uint8_t* sound_table[SOUND_COUNT];

// ---- set-up ----

// Xlib ends the program with exit(1) when the X server goes away, from
// wherever the game happens to be. The audio thread must be stopped before
// the libraries unload behind it: over SDL 2 the compatibility layer's own
// unloading leaves the thread calling through emptied pointers.
static void stop_audio_at_exit() {
    if (SDL_WasInit(SDL_INIT_AUDIO))
        SDL_CloseAudio();
}

int audio_init() {
    SDL_AudioSpec wanted{};
    wanted.freq = AUDIO_RATE;
    wanted.format = AUDIO_U8;
    wanted.channels = 1;
    // the platform may ask for another size, which the callback cuts from
    // the 2000-sample buffers like any other
    wanted.samples = platform_audio_samples();
    wanted.callback = audio_callback;
    wanted.userdata = nullptr;
    // No obtained spec: SDL converts for the device, so the callback always
    // sees 8-bit mono at 8000 Hz.
    if (SDL_OpenAudio(&wanted, nullptr) < 0)
        return 1;
    platform_audio_opened();
    static bool stop_registered = false;
    if (!stop_registered)
        stop_registered = atexit(stop_audio_at_exit) == 0;
    mix_start();
    for (int i = 0; i < SOUND_COUNT; i++)
        sound_table[i] = sound_blocks[i];
    return 0;
}

// The device is still paused here: both buffers become silence before the
// first callback can take one.
int mix_start() {
    for (Voice& voice : voices)
        voice.remaining = 0;
    mix_toggle = 1;
    mix_into_buffer();
    mix_toggle = 0;
    mix_into_buffer();
    mix_handed = MIX_SAMPLES; // A counts as played out: the first callback takes B
    SDL_PauseAudio(0);
    return 0;
}

// ---- the game's side ----

void play_sound(int32_t voice, int32_t id) {
    if (id < 0 || id > SOUND_COUNT)
        return;
    // Only four voices exist; a stray index must not land in the buffers.
    if (voice < 0 || voice >= VOICES)
        return;
    SDL_LockAudio();
    Voice& v = voices[voice];
    if (id == 0) {
        v.remaining = 0;
    } else {
        v.data = sound_table[id - 1];
        v.length = played_length(id);
        v.remaining = v.length;
    }
    SDL_UnlockAudio();
}

// ---- the audio thread ----

// Hands SDL the mixed bytes in order, whatever `len` it asks for: a buffer
// played out is swapped for the other one, and refilled at once so that it is
// ready when that one is used up. With `len` 2000 every call plays exactly one
// buffer. SDL has silenced the stream, so mixing in copies the bytes.
void audio_callback(void*, Uint8* stream, int len) {
    int done = 0;
    while (done < len) {
        if (mix_handed == MIX_SAMPLES) {
            mix_toggle = mix_toggle == 0 ? 1 : 0;
            mix_handed = 0;
        }
        const uint8_t* taken = mix_buffers[mix_toggle];
        int bytes = len - done < MIX_SAMPLES - mix_handed ? len - done : MIX_SAMPLES - mix_handed;
        platform_audio_mix(stream + done, taken + mix_handed, Uint32(bytes));
        done += bytes;
        mix_handed += bytes;
        if (mix_handed == MIX_SAMPLES)
            mix_into_buffer();
    }
}

// Refills the buffer that was not played last: B after A, A after B.
void mix_into_buffer() {
    uint8_t* out = mix_buffers[mix_toggle == 0 ? 1 : 0];
    int32_t sums[MIX_SAMPLES] = {};
    bool any_voice = false;
    for (Voice& voice : voices) {
        if (voice.remaining <= 0)
            continue;
        any_voice = true;
        // A new sound starts at the top of the buffer, whenever it was played.
        for (int i = 0; i < MIX_SAMPLES && voice.remaining > 0; i++) {
            sums[i] += voice.data[voice.length - voice.remaining] - 128;
            voice.remaining -= 1;
        }
    }
    if (!any_voice) {
        memset(out, 128, MIX_SAMPLES);
        return;
    }
    for (int i = 0; i < MIX_SAMPLES; i++) {
        int32_t level = sums[i] + 128;
        out[i] = uint8_t(level < 0 ? 0 : level > 255 ? 255 : level);
    }
}

// ---- shut-down ----

// The callback has stopped once SDL_CloseAudio returns, so the voices are
// ours alone.
int audio_shutdown() {
    SDL_CloseAudio();
    for (Voice& voice : voices)
        voice.remaining = 0;
    return 0;
}
