#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary program directory whose asapi.dll links to the fake encoder,
// or to the real one the build's program directory links to.
class EncoderTestDir {
public:
    enum Encoder { Fake, Real };
    explicit EncoderTestDir(Encoder encoder = Fake);

    bool isValid() const { return m_valid; }
    // The folder, with a trailing separator.
    QString path() const;
    QString encoderPath() const { return path() + QStringLiteral("asapi.dll"); }
    QString filePath(const QString &name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};
