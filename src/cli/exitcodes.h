#pragma once

// What brelvane-cli tells the shell that started it.
namespace ExitCode {

// The output file was written and found non-empty.
constexpr int Joined = 0;
// The command line itself is wrong: an unknown option or profile, a missing
// value, no input at all.
constexpr int BadArguments = 2;
// An input was refused (missing, of a type the program does not take, no
// play time, an unanswered duplicate question) or Start refused the job
// (fewer than two videos, no output folder or name, an existing output the
// user would not overwrite, no temporary folder), or, under --ask, a file
// appeared at the output path while the job ran (the output was then kept
// under a free name, which the message gives).
constexpr int Refused = 3;
// The encoder could not be started, or failed on an input or the joining.
constexpr int EncoderFailed = 4;
// Stopped by a signal: 128 + its number, as shells report it (130 for
// Ctrl+C, 143 for SIGTERM).
constexpr int ByInterruptBase = 128;

} // namespace ExitCode
