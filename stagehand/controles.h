#pragma once

// The mouse look (passive motion) and the keyboard of the window.
void motion(int x, int y);
void Clavier(unsigned char key, int x, int y);
// The arrows and Page Up / Page Down: the letters z, s, q, d, x and w.
void Clavierspecial(int key, int x, int y);
