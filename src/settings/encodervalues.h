#pragma once

#include <QString>

#include <optional>

// The forms of the values a profile or the Output Settings dialog hands to
// the encoder are the encoder's own (asapi/valueforms.h): profiles are files
// people download and share, so a value that is not entirely of its form is
// refused before a job starts, rather than handed on. The frame size is the
// one value the program itself reads, to fit every picture into it.

// A frame size: two whole numbers from 16 to 8192.
struct FrameSize {
    int width = 0;
    int height = 0;

    QString text() const; // "W:H"
    friend bool operator==(const FrameSize &a, const FrameSize &b)
    {
        return a.width == b.width && a.height == b.height;
    }
};

// "W:H" with each side decimal digits only, from 16 to 8192.
std::optional<FrameSize> ReadFrameSize(const QString &text);
