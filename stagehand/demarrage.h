#pragma once

// Start-up: the window and its OpenGL context first, then the console questions of init, then
// the main loop.
void init();
int lancer(int argc, char **argv);
