// A stand-in for the encoder, steered by the environment:
//
//   FAKE_ENCODER_MODE    what this run does (default "replay"); a comma list
//                        gives one mode per run, counted by the lines of
//                        FAKE_ENCODER_LOG:
//     replay  replays the output, writes the -o file, exits 0
//     nofile  replays the output, writes nothing, exits 0
//     nopos   replays the output with every "Pos:" spelt "pos:", writes the -o
//             file, exits 0
//     silent  prints nothing, writes the -o file, exits 0
//     fail    replays a failure to standard error, writes nothing, exits
//             FAKE_ENCODER_EXIT_CODE (default 1)
//     crash   replays half the output, leaves a partial -o file, aborts
//     hang    replays half the output, leaves a partial -o file, waits to be killed
//     appear  as replay, and first puts a new file holding "appeared\n" at
//             FAKE_ENCODER_APPEAR: a file that turns up while the job runs
//     meet    as replay, once FAKE_ENCODER_MEET_COUNT (default 2) runs have
//             reached this mode: each leaves a file in the folder
//             FAKE_ENCODER_MEET and waits until it holds that many (at
//             most a minute), so that runs of several jobs overlap
//   FAKE_ENCODER_REPLAY  output to replay (default: the captured conversion,
//                        or the captured joining when several inputs are given)
//   FAKE_ENCODER_PACE_MS pause after every status line (default none)
//   FAKE_ENCODER_LOG     file that gets one line per run: its arguments as a
//                        JSON array of strings
//
// The -o file of a run with several inputs is their real join, made by the
// ffmpeg program with the streams copied, so that the job's check of what
// was joined reads a real video; the inputs end to end when they cannot be
// joined. With one input it is a copy of it, and a short text when none
// exists. A crash or hang leaves the first half of the inputs end to end.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Command {
    std::vector<std::string> inputs;
    std::string output;
};

std::string env(const char *name, const std::string &fallback = std::string())
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : fallback;
}

Command parse(int argc, char **argv)
{
    Command command;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc) {
            command.output = argv[++i];
            break;
        }
        // Every other option of the encoder's command lines takes one value.
        if (!arg.empty() && arg[0] == '-') {
            ++i;
            continue;
        }
        command.inputs.push_back(arg);
    }
    return command;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string jsonString(const std::string &text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Which run this is: the runs logged before it.
int runIndex(const std::string &log)
{
    if (log.empty())
        return 0;
    const std::string logged = readFile(log);
    int lines = 0;
    for (const char c : logged)
        lines += c == '\n';
    return lines;
}

void logArguments(const std::string &log, int argc, char **argv)
{
    if (log.empty())
        return;
    std::string line = "[";
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? "," : "") + jsonString(argv[i]);
    std::ofstream(log, std::ios::app) << line << "]\n";
}

std::string modeOfRun(int index)
{
    std::vector<std::string> modes;
    std::stringstream list(env("FAKE_ENCODER_MODE", "replay"));
    for (std::string mode; std::getline(list, mode, ',');)
        modes.push_back(mode);
    if (modes.empty())
        return "replay";
    return modes[std::min<size_t>(index, modes.size() - 1)];
}

// Writes the text piece by piece, a piece ending after each '\r' or '\n',
// the way the encoder writes its status lines.
void replay(const std::string &text, FILE *to = stdout)
{
    const int pace = std::atoi(env("FAKE_ENCODER_PACE_MS", "0").c_str());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::fwrite(text.data() + start, 1, end - start, to);
        std::fflush(to);
        if (pace > 0 &&
            (text.compare(start, 4, "Pos:") == 0 || text.compare(start, 4, "pos:") == 0))
            std::this_thread::sleep_for(std::chrono::milliseconds(pace));
        start = end;
    }
}

std::string firstHalf(const std::string &text)
{
    const size_t cut = text.find('\n', text.size() / 2);
    return cut == std::string::npos ? text : text.substr(0, cut + 1);
}

std::string outputBytes(const Command &command)
{
    std::string bytes;
    for (const std::string &input : command.inputs)
        bytes += readFile(input);
    return bytes.empty() ? std::string("fake encoder output\n") : bytes;
}

void writeOutput(const Command &command, const std::string &bytes)
{
    if (!command.output.empty())
        std::ofstream(command.output, std::ios::binary | std::ios::trunc) << bytes;
}

bool runProgram(std::vector<std::string> args)
{
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Matroska takes whatever streams the inputs hold.
bool writeRealJoin(const Command &command)
{
    if (command.inputs.size() < 2 || command.output.empty())
        return false;
    // The list lives apart from the output: beside it, a long output name
    // would leave no room for the list's.
    std::string list = env("TMPDIR", "/tmp") + "/fake-encoder-join-XXXXXX";
    const int fd = mkstemp(list.data());
    if (fd < 0)
        return false;
    close(fd);
    {
        std::ofstream out(list);
        for (const std::string &input : command.inputs)
            out << "file '" << input << "'\n";
    }
    const bool joined =
        runProgram({"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-f", "concat", "-safe", "0",
                    "-i", list, "-c", "copy", "-f", "matroska", command.output});
    std::remove(list.c_str());
    return joined;
}

void writeFinishedOutput(const Command &command)
{
    if (!writeRealJoin(command))
        writeOutput(command, outputBytes(command));
}

std::string replayText(const Command &command, const std::string &mode)
{
    const std::string dir = FAKE_ENCODER_DATA_DIR;
    std::string fallback = dir + "/mencoder_convert.txt";
    if (mode == "fail")
        fallback = dir + "/mencoder_fail.txt";
    else if (command.inputs.size() > 1)
        fallback = dir + "/mencoder_join.txt";
    return readFile(env("FAKE_ENCODER_REPLAY", fallback));
}

std::string withoutPositions(std::string text)
{
    for (size_t at = text.find("Pos:"); at != std::string::npos; at = text.find("Pos:", at))
        text[at] = 'p';
    return text;
}

// A new file, not the old one rewritten: what a download or another
// program's save leaves.
void putNewFile(const std::string &path, const std::string &text)
{
    const std::string fresh = path + ".fake-new";
    std::ofstream(fresh, std::ios::binary) << text;
    std::rename(fresh.c_str(), path.c_str());
}

int filesIn(const std::string &folder)
{
    int count = 0;
    if (DIR *dir = opendir(folder.c_str())) {
        while (const dirent *entry = readdir(dir))
            count += entry->d_name[0] != '.';
        closedir(dir);
    }
    return count;
}

void meetTheOthers()
{
    const std::string folder = env("FAKE_ENCODER_MEET");
    const int count = std::atoi(env("FAKE_ENCODER_MEET_COUNT", "2").c_str());
    std::ofstream(folder + "/" + std::to_string(getpid())) << "here\n";
    for (int waited = 0; waited < 6000 && filesIn(folder) < count; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace

int main(int argc, char **argv)
{
    const std::string log = env("FAKE_ENCODER_LOG");
    const std::string mode = modeOfRun(runIndex(log));
    logArguments(log, argc, argv);
    const Command command = parse(argc, argv);

    if (mode == "silent") {
        writeFinishedOutput(command);
        return 0;
    }
    const std::string text = replayText(command, mode);
    if (mode == "fail") {
        replay(text, stderr);
        return std::atoi(env("FAKE_ENCODER_EXIT_CODE", "1").c_str());
    }
    if (mode == "crash" || mode == "hang") {
        const std::string bytes = outputBytes(command);
        writeOutput(command, bytes.substr(0, bytes.size() / 2));
        replay(firstHalf(text));
        if (mode == "hang") {
            for (;;)
                std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        std::abort();
    }
    if (mode == "appear")
        putNewFile(env("FAKE_ENCODER_APPEAR"), "appeared\n");
    if (mode == "meet")
        meetTheOthers();
    replay(mode == "nopos" ? withoutPositions(text) : text);
    if (mode != "nofile")
        writeFinishedOutput(command);
    return 0;
}
