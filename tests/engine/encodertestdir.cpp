#include "encodertestdir.h"

#include "testclips.h"

#include <QFile>

EncoderTestDir::EncoderTestDir(Encoder encoder)
{
    const QString target = encoder == Fake ? QStringLiteral(FAKE_ENCODER_PATH)
                                           : buildProgramDir() + QStringLiteral("asapi.dll");
    m_valid = m_dir.isValid() && QFile::link(target, encoderPath());
}

QString EncoderTestDir::path() const
{
    return m_dir.path() + QLatin1Char('/');
}
