#pragma once

// The end-of-run wait: on a terminal, asks for one key and waits for it; otherwise
// (a script, a pipe) nobody can answer, so it returns at once without printing anything.
void attendretouche();
