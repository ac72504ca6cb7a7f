// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FSOUND_H
#define VORNA_FSOUND_H

// The game's sound interface: samples with a default volume each, played on
// free channels, looping music streams and a global volume, in the shape of
// the classic FSOUND calls. It runs over SDL_mixer (see audio.h).
//
// Rules the game relies on:
// - volumes run from 0 to 255; a sample starts with the default volume 255;
// - the global volume scales every sample and the music;
// - a file that cannot be read gives a null handle (and one line on standard
//   error naming it), and every call made with a null handle does nothing and
//   does not fail;
// - when no audio device can be opened the calls still work and stay silent.

#define FSOUND_FREE -1          // any free channel
#define FSOUND_UNMANAGED -2
#define FSOUND_ALL -3           // every channel (volume, pause)

#define FSOUND_LOOP_OFF 0x00000001
#define FSOUND_LOOP_NORMAL 0x00000002

struct FSOUND_SAMPLE;
struct FSOUND_STREAM;

signed char FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int flags);
void FSOUND_Close();

// With FSOUND_ALL: the global volume (0..255). With a channel: that channel.
signed char FSOUND_SetVolume(int channel, int vol);
int FSOUND_GetVolume(int channel);

// `index` is FSOUND_FREE; mode, offset and length are accepted and ignored.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned int mode,
                                  int offset, int length);
void FSOUND_Sample_Free(FSOUND_SAMPLE* sptr);
// −1 leaves a setting as it is.
signed char FSOUND_Sample_SetDefaults(FSOUND_SAMPLE* sptr, int deffreq, int defvol,
                                      int defpan, int defpri);
signed char FSOUND_Sample_GetDefaults(FSOUND_SAMPLE* sptr, int* deffreq, int* defvol,
                                      int* defpan, int* defpri);

// Plays the sample at its default volume; returns the channel, or −1.
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sptr);

// Channel FSOUND_ALL pauses or resumes everything, the music included; the
// channel a stream was started on pauses or resumes that stream.
signed char FSOUND_SetPaused(int channel, signed char paused);
signed char FSOUND_GetPaused(int channel);

FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned int mode, int offset,
                                  int length);
// −1 loops for ever; n plays the stream n + 1 times.
signed char FSOUND_Stream_SetLoopCount(FSOUND_STREAM* stream, int count);
// Starts the stream on `channel` (FSOUND_FREE or a channel number) and
// returns the channel, or −1.
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);
signed char FSOUND_Stream_Stop(FSOUND_STREAM* stream);
signed char FSOUND_Stream_Close(FSOUND_STREAM* stream);

// The player's volumes, 0 to 10 each (10, the start value, leaves every
// volume as the game sets it): the music and the samples are scaled by
// them on top of everything else, the music playing at once.
void volumesJoueur(int musique, int effets);

#endif
