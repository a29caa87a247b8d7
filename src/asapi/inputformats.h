#pragma once

#include <QString>

// What an input may be read as. A file's contents, not its name, choose the
// demuxer, and some demuxers (playlists, concat lists, image sequences) open
// further files or addresses named inside the file: a "video" that is a
// playlist could read any file of the user's into the output. So inputs
// are read only as the containers of the videos the program takes, and
// only from files; the join's own list of parts adds "concat".
inline constexpr const char *InputFormats = "avi,mov,matroska,mpeg,mpegts,mpegvideo,asf,flv,ogg";
inline constexpr const char *InputProtocols = "file";

// The demuxers allowed for an ffmpeg run: the join's list of parts is read
// as "concat", and the parts it names as the inputs are.
inline QString AllowedInputFormats(bool throughList)
{
    return (throughList ? QStringLiteral("concat,") : QString()) + QLatin1String(InputFormats);
}
