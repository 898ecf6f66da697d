#pragma once

// The mouse look (passive motion, or motion with a button held under --glisser) and the
// keyboard of the window.
extern bool glisser;
void motion(int x, int y);
void Clavier(unsigned char key, int x, int y);
// The arrows and Page Up / Page Down: the letters z, s, q, d, x and w.
void Clavierspecial(int key, int x, int y);
// Notes the camera as the window takes over, the start view that 'o' and Home bring back, and
// where the pointer is then, which the first report of a move must leave to be one.
void retenirdepart();
