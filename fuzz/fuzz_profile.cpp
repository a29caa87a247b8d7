// The profile loader: whatever a profile file holds, the loaded options
// (read in one pass per section) agree with what reading each key on its
// own gives, and the first choices made of them stay within the captions.

#include "fuzzcheck.h"
#include "settings/inifile.h"
#include "settings/profiles.h"

#include <algorithm>
#include <cstdint>

namespace {

// Enough captions to compare; the rest were read the same way.
constexpr int ComparedCaptions = 8;

void checkOption(const IniDocument &doc, const ProfileOption &option)
{
    FUZZ_CHECK(option.captions.size() <= 10000);
    const int compared = std::min<int>(option.captions.size(), ComparedCaptions);
    for (int k = 0; k < compared; ++k)
        FUZZ_CHECK(option.captions.at(k) ==
                   doc.readString(option.section, QStringLiteral("Caption%1").arg(k), QString()));
    FUZZ_CHECK(option.index == doc.readInt(option.section, QStringLiteral("Index"), -1));
    FUZZ_CHECK(option.description ==
               doc.readString(option.section, QStringLiteral("Description"), QString()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const IniDocument doc = IniDocument::fromBytes(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    const OutputProfile profile = ProfileFromDocument(doc, QStringLiteral("fuzz.bpf"));
    for (const ProfileOption &option : profile.options)
        checkOption(doc, option);
    const WorkingSelection selection = InitialSelection(profile);
    FUZZ_CHECK(selection.videoCodec >= -1);
    return 0;
}
