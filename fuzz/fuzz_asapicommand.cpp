// The encoder's front end: whatever arguments it is given, the ffmpeg run it
// builds holds only the options, filters and values the program itself
// writes, and names no file but the inputs, the output and its own list of
// inputs. The input is the argument list, one argument a line.

#include "asapi/encoderrequest.h"
#include "asapi/ffmpegcommand.h"
#include "asapi/inputformats.h"
#include "contract/valueforms.h"
#include "fuzzcheck.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <cstdint>

namespace {

const QString ListPath = QStringLiteral("/tmp/fuzz-list.ffconcat");

bool matches(const char *pattern, const QString &text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern)))
        .match(text)
        .hasMatch();
}

bool isWhole(const QString &text)
{
    return matches("[0-9]+", text);
}

bool isDecimal(const QString &text)
{
    return matches("[0-9]+(\\.[0-9]+)?", text);
}

// A value inside a filter: a number, a fraction, or one of the words and
// expressions the program writes.
bool isFilterValue(const QString &value)
{
    static const QStringList words{"yuv420p", "bicubic",       "black",        "clone",
                                   "mono",    "stereo",        "(ow-iw)/2",    "(oh-ih)/2",
                                   "-1",      "trunc(iw/2)*2", "trunc(ih/2)*2"};
    return matches("[0-9]+(\\.[0-9]+)?(/[0-9]+)?", value) || words.contains(value);
}

// Each filter the program uses, with the option names it gives it ("" for
// a value without a name).
const QHash<QString, QStringList> &filterKeys()
{
    static const QHash<QString, QStringList> keys{
        {"null", {}},
        {"crop", {""}},
        {"format", {""}},
        {"zscale", {"w", "h", "filter"}},
        {"scale", {""}},
        {"pad", {""}},
        {"transpose", {""}},
        {"vflip", {}},
        {"hflip", {}},
        {"setsar", {""}},
        {"fps", {"", "start_time"}},
        {"tpad", {"stop", "stop_mode"}},
        {"trim", {"end_frame"}},
        {"aresample", {"", "async", "min_hard_comp", "first_pts"}},
        {"apad", {}},
        {"anullsrc", {"r", "cl"}},
        {"atrim", {"end"}},
    };
    return keys;
}

void checkFilter(const QString &filter)
{
    const QString name = filter.section(QLatin1Char('='), 0, 0);
    FUZZ_CHECK(filterKeys().contains(name));
    const QStringList &keys = filterKeys().value(name);
    const QString arguments = filter.section(QLatin1Char('='), 1);
    if (arguments.isEmpty()) {
        FUZZ_CHECK(!filter.contains(QLatin1Char('=')));
        return;
    }
    for (const QString &argument : arguments.split(QLatin1Char(':'))) {
        const bool named = argument.contains(QLatin1Char('='));
        FUZZ_CHECK(keys.contains(named ? argument.section(QLatin1Char('='), 0, 0) : QString()));
        FUZZ_CHECK(isFilterValue(named ? argument.section(QLatin1Char('='), 1) : argument));
    }
}

// "[0:N]f1,f2[v]" or "src,f[a]": labels only at the ends.
void checkGraph(const QString &graph)
{
    for (QString chain : graph.split(QLatin1Char(';'))) {
        const QRegularExpressionMatch in =
            QRegularExpression(QStringLiteral("^\\[0:[0-9]+\\]")).match(chain);
        if (in.hasMatch())
            chain.remove(0, in.capturedLength());
        FUZZ_CHECK(chain.endsWith(QLatin1String("[v]")) || chain.endsWith(QLatin1String("[a]")));
        chain.chop(3);
        for (const QString &filter : chain.split(QLatin1Char(',')))
            checkFilter(filter);
    }
}

void checkConcatList(const QString &list, const QStringList &inputs)
{
    QStringList lines = list.split(QLatin1Char('\n'));
    FUZZ_CHECK(lines.takeFirst() == QLatin1String("ffconcat version 1.0"));
    FUZZ_CHECK(lines.takeLast().isEmpty());
    int file = 0;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("duration "))) {
            FUZZ_CHECK(isDecimal(line.mid(9)));
            continue;
        }
        FUZZ_CHECK(line.startsWith(QLatin1String("file '")) && line.endsWith(QLatin1Char('\'')));
        QString path = line.mid(6, line.size() - 7);
        path.replace(QLatin1String("'\\''"), QLatin1String("'"));
        FUZZ_CHECK(file < inputs.size());
        FUZZ_CHECK(path == QFileInfo(inputs.at(file++)).absoluteFilePath());
    }
    FUZZ_CHECK(file == inputs.size());
}

void checkValue(const QString &option, const QString &value, const EncodeRequest &request)
{
    const bool copy = value == QLatin1String("copy");
    if (option == "-loglevel")
        FUZZ_CHECK(value == "error");
    else if (option == "-format_whitelist")
        FUZZ_CHECK(value == AllowedInputFormats(request.inputs.size() > 1));
    else if (option == "-protocol_whitelist")
        FUZZ_CHECK(value == QLatin1String(InputProtocols));
    else if (option == "-fflags")
        FUZZ_CHECK(value == "+genpts");
    else if (option == "-progress")
        FUZZ_CHECK(value == "pipe:1");
    else if (option == "-stats_period")
        FUZZ_CHECK(value == "0.01");
    else if (option == "-safe" || option == "-abr")
        FUZZ_CHECK(value == "0" || value == "1");
    else if (option == "-f")
        FUZZ_CHECK(value == "concat" || IsKnownMuxer(value));
    else if (option == "-i")
        FUZZ_CHECK(request.inputs.size() > 1 ? value == "file:" + ListPath
                                             : value == "file:" + request.inputs.first());
    else if (option == "-filter_complex")
        checkGraph(value);
    else if (option == "-map")
        FUZZ_CHECK(value == "[v]" || value == "[a]" || matches("0:[0-9]+", value));
    else if (option == "-c:v")
        FUZZ_CHECK(copy || IsKnownVideoEncoder(value));
    else if (option == "-c:a")
        FUZZ_CHECK(copy || IsKnownAudioEncoder(value));
    else if (option == "-b:v" || option == "-b:a")
        FUZZ_CHECK(matches("[0-9]+k?", value));
    else if (option == "-q:v" || option == "-q:a")
        FUZZ_CHECK(isDecimal(value));
    else if (option == "-movflags")
        FUZZ_CHECK(value == "+faststart");
    else if (option == "-aspect")
        FUZZ_CHECK(matches("[0-9]+(\\.[0-9]+)?(:[0-9]+(\\.[0-9]+)?)?", value));
    else
        FUZZ_CHECK(isWhole(value));
}

void checkArguments(const QStringList &arguments, const EncodeRequest &request)
{
    static const QStringList flags{"-nostdin",      "-hide_banner", "-nostats", "-y",
                                   "-noautorotate", "-an",          "-shortest"};
    static const QStringList valued{"-loglevel",
                                    "-progress",
                                    "-fflags",
                                    "-format_whitelist",
                                    "-protocol_whitelist",
                                    "-stats_period",
                                    "-threads",
                                    "-filter_complex_threads",
                                    "-f",
                                    "-safe",
                                    "-i",
                                    "-filter_complex",
                                    "-map",
                                    "-c:v",
                                    "-c:a",
                                    "-b:v",
                                    "-b:a",
                                    "-q:v",
                                    "-q:a",
                                    "-mbd",
                                    "-abr",
                                    "-aspect",
                                    "-ar",
                                    "-ac",
                                    "-max_muxing_queue_size",
                                    "-movflags"};
    FUZZ_CHECK(arguments.last() == "file:" + request.output);
    for (int i = 0; i + 1 < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (flags.contains(option))
            continue;
        FUZZ_CHECK(valued.contains(option) && i + 2 < arguments.size());
        checkValue(option, arguments.at(++i), request);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const ParsedRequest parsed = ParseEncoderArguments(text.split(QLatin1Char('\n')));
    if (!parsed.ok())
        return 0;
    const EncodeRequest &request = parsed.request;
    // Inputs with and without sound, of known and unknown length.
    QList<InputFacts> facts;
    for (int i = 0; i < request.inputs.size(); ++i)
        facts << InputFacts{0, i % 2 == 0 ? 1 : -1, size % 3 == 0 ? -1.0 : 2.0 + i};
    const FfmpegCommand command = BuildFfmpegCommand(request, facts, ListPath);
    checkArguments(command.arguments, request);
    FUZZ_CHECK(command.concatList.isEmpty() == (request.inputs.size() == 1));
    if (!command.concatList.isEmpty())
        checkConcatList(command.concatList, request.inputs);
    return 0;
}
