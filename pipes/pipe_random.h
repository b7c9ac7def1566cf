// The random source of the pipes: a 15-bit linear congruential generator, one state per thread.
#pragma once

// Restarts this thread's sequence; the animation driver passes the time in seconds.
void PipeRandomSeed(unsigned seed);
// The next draw, 0 to 32767.
int PipeRandom();
