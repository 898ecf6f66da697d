#pragma once
#include <cstdarg>
#include <cstddef>
#include <cstdio>

// The printf format the compiler checks the messages against: mingw-w64's own (%zu and the
// like) on Windows, where the C++ library prints through it.
#ifdef __MINGW32__
#define FORMATMESSAGE __MINGW_PRINTF_FORMAT
#else
#define FORMATMESSAGE printf
#endif

// What the programs say on standard error, beside the transcript on standard output, which
// stays as it is.

// The system's reason for a failed call (an errno value): in French for the usual ones, the same
// words on every system; the C library's words for the others.
const char *raisonsysteme(int erreur);

// A word of a file as a console can show it: its first 40 characters, those other than printable
// ASCII as '?', "..." when it goes on. Valid until the next call.
const char *montrer(const char *texte, size_t longueur);

// fprintf(flux, format, ...), the text written by afficher: the names in it read on a Windows
// console as they were typed.
void imprimer(FILE *flux, const char *format, ...) __attribute__((format(FORMATMESSAGE, 2, 3)));
void vimprimer(FILE *flux, const char *format, va_list arguments)
    __attribute__((format(FORMATMESSAGE, 2, 0)));

// One line on standard error: "programme : " and the text, ending with a line end. With
// apresligne, it starts on a line of its own, for standard output has just printed text that
// ends no line ("erreur" or a word) and both may go to the same console.
void signaler(const char *programme, bool apresligne, const char *format, ...)
    __attribute__((format(FORMATMESSAGE, 3, 4)));

// A failure: "erreur" on standard output, then on standard error, on a line of its own, what
// could not be done and why; at the end of the run, a console the program opened itself waits
// for a key (garderconsole).
void echec(const char *programme, const char *format, ...) __attribute__((format(FORMATMESSAGE, 2, 3)));

// The exit status: 1 once a failure has been said, so that a script, a batch file or a build
// tells a failed run from a good one; 0 otherwise.
int statutfinal();
