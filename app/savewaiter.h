#pragma once
// Saving while the music plays: the file work of every save (write, sync, rename) runs on a worker
// thread, and the program waits for it by ticking playback every millisecond or so. The wait never
// pumps window events, so no click or key can start a second save (or anything else) meanwhile.
//
// The program installs the waiter once its wait-loop driver is in place and removes it before the
// objects that driver ticks are destroyed (the stores save on the way out, with nothing to tick).

// Installs the waiter: passes of modalLoop().tick(false) until the file work is done.
void installSaveWaiter();
// Returns to the plain wait (the caller blocks until the file work is done).
void removeSaveWaiter();
