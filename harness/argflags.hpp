// SPDX-License-Identifier: Zlib
// The command-line kit: a table of 128 one-byte flags that option arguments raise, and a
// yes-answer test. The table is static, zero at program start, and the program never lowers
// a flag.
#ifndef QUORVANTEL_HARNESS_ARGFLAGS_HPP
#define QUORVANTEL_HARNESS_ARGFLAGS_HPP

// Index of the help flag: the code of '?'.
inline constexpr int help_flag = '?';

// Raises one flag per character of arg (its leading '-' or '?' included): ASCII lower-case
// letters fold to upper case, then the low seven bits give the index.
void setargflags(const char* arg);

// 1 when the first character of answer is j, J, y or Y (a German or English yes), else 0.
int istja(const char* answer);

// Whether the flag at index (0 to 127) is raised; false for any other index.
bool argflag_raised(int index);

// Lowers every flag. The program never calls it; tests and fuzzers that scan many command
// lines in one process do.
void clear_argflags();

// Scans argv[1] to argv[argc - 1]: arguments starting with '-' or '?' are options and raise
// flags, all others (an empty one too) are positional. Returns the number of positionals.
int scan_arguments(int argc, const char* const* argv);

// The usage text is due when the help flag is raised or more than one positional was given.
bool usage_requested(int positional_count);

#endif
