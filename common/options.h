#pragma once

// The command line every installed tool answers: --help and --version.

// The project's version, as the packages and the manual pages give it.
extern const char *const VERSION;

// --help prints usage on standard output, --version "programme VERSION"; either then ends the
// program with status 0. Returns false for any other argument.
bool optioncommune(const char *argument, const char *programme, const char *usage);

// An argument the tool does not take: said on standard error with the usage, status 2.
[[noreturn]] void refuserargument(const char *argument, const char *programme, const char *usage);
// An option the tool takes, given a value it cannot take (pourquoi says why): likewise.
[[noreturn]] void refuservaleur(const char *argument, const char *pourquoi, const char *programme,
                                const char *usage);
