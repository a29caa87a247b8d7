// The command-line splitter: arguments split from any text hold no double
// quote, so quoting each and joining them with blanks gives a command line
// that splits into the same arguments, and so does the text the program
// shows for them.

#include "engine/commandline.h"
#include "fuzzcheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList arguments = SplitCommandLine(text);
    QStringList quoted;
    for (const QString &argument : arguments) {
        FUZZ_CHECK(IsQuotable(argument));
        quoted << QuoteArgument(argument);
    }
    FUZZ_CHECK(SplitCommandLine(quoted.join(QLatin1Char(' '))) == arguments);
    FUZZ_CHECK(SplitCommandLine(CommandText(arguments)) == arguments);
    return 0;
}
