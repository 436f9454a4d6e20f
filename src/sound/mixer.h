// Four-voice mixer behind the SDL audio callback.
#pragma once

#include <SDL.h>
#include <cstdint>

#include "assets/sounds.h"

struct Voice {
    const uint8_t* data;
    int32_t remaining; // samples still to play; 0 or less: silent
    int32_t length;    // played length; next sample is data[length - remaining]
};

constexpr int VOICES = 4;
constexpr int MIX_SAMPLES = 2000;
constexpr int AUDIO_RATE = 8000;

// What each voice carries: a sound started on a voice cuts short the one
// that was playing there.
enum : int32_t {
    VOICE_CANNON = 0,   // the shot and the cannon's end
    VOICE_INVADERS = 1, // a hit invader, and the tune that opens a game
    VOICE_MARCH = 2,    // the march, the title's start and the game-over tune
    VOICE_SHIP = 3,     // the mystery ship flying and hit
};

enum : int32_t {
    SND_STOP = 0, // silences the voice
    SND_GAME_OVER = 1,
    SND_INVADER_HIT = 2,
    SND_CANNON_DESTROYED = 3,
    SND_SHIP_FLYING = 4,
    SND_SHIP_HIT = 5,
    SND_START = 6,
    SND_SHOT = 7,
    SND_GAME_START = 8,
    SND_MARCH_1 = 9,
    SND_MARCH_2 = 10,
    SND_MARCH_3 = 11,
    SND_MARCH_4 = 12,
};

extern Voice voices[VOICES];
extern uint8_t mix_buffers[2][MIX_SAMPLES]; // A and B
extern uint32_t mix_toggle;                 // 0: A played last, 1: B played last
extern int32_t mix_handed;                  // bytes of that buffer handed to SDL so far
extern const uint8_t* sound_table[SOUND_COUNT];

int audio_init();
int audio_shutdown();
void play_sound(int32_t voice, int32_t id);
int mix_start();
void audio_callback(void* userdata, Uint8* stream, int len);
void mix_into_buffer();
