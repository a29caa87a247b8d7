// The INI reader: a document loaded and written unchanged gives back the
// same bytes, and a value set in it (letters no single-byte encoding holds)
// reads back after a write and a fresh load, whatever the file held.

#include "fuzzcheck.h"
#include "settings/inifile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniDocument doc = IniDocument::fromBytes(bytes);
    FUZZ_CHECK(doc.toBytes() == bytes);

    doc.readInt(QStringLiteral("Main"), QStringLiteral("Index"), -1);
    const QString value = QStringLiteral("/home/\u0410\u043d\u044f/\u00e9t\u00e9 clip.avi");
    doc.setString(QStringLiteral("Preferences"), QStringLiteral("OutputFile"), value);
    const IniDocument reloaded = IniDocument::fromBytes(doc.toBytes());
    FUZZ_CHECK(reloaded.readString(QStringLiteral("Preferences"), QStringLiteral("OutputFile"),
                                   QString()) == value);
    return 0;
}
