// The program's start, cut into pieces: the browser's other work (a
// touch, a frame of the page, its scripts) waits at most one piece.
#ifndef WEB_YIELD_H
#define WEB_YIELD_H

// Hands control to the browser until it has run the tasks already
// waiting, then goes on where it was (under ASYNCIFY, as the flip does).
// No animation frame is waited for: a start cut in five pieces is later
// by five turns of the browser's task loop, not five frames.
void let_browser_run();

#endif
