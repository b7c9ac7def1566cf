// The self-pipes that the close signals and the reset signal are handed to, for the signal
// watcher: opened before it starts, written from any thread (async-signal-safe).
#pragma once

void OpenCloseSignalPipe();
void NoteCloseSignal(int signo);
void OpenResetSignalPipe();
void NoteResetSignal();
