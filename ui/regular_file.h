// Resource files live in a folder anyone can write to. A FIFO, a device or a huge file named like a
// picture, cue or piece of music must neither block the game nor make it read without end, so every
// resource is read through here: regular files only, and never more than the caller's cap.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tessaly {

enum class FileReadError {
    None,
    CannotOpen,  // missing, no permission, ...
    NotRegular,  // a directory, a FIFO, a device, a socket
    TooLarge,    // more bytes than the cap
    ReadFailed,  // an I/O error while reading
};

struct FileReadResult {
    std::string bytes;  // the whole file when error is None, empty otherwise
    FileReadError error = FileReadError::None;
    std::string reason;  // for the player: the system's reason, or what was wrong with the file

    bool Ok() const { return error == FileReadError::None; }
};

// Reads the whole of `path` when it is a regular file (links followed) of at most `maxBytes`.
// Never blocks on a FIFO and never reads more than maxBytes + 1 bytes.
FileReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes);

// The same, for `name` inside an open folder (a descriptor opened with O_DIRECTORY or O_PATH),
// read into the front of `buffer`, which keeps its size from file to file so that a run of
// files costs no allocation. On success the result's `bytes` is empty and `size` says how many
// bytes of `buffer` the file holds: as many as its size at opening, or fewer if it shrank.
struct FileReadInto {
    std::size_t size = 0;
    FileReadError error = FileReadError::None;
    std::string reason;

    bool Ok() const { return error == FileReadError::None; }
};
FileReadInto ReadRegularFileAt(int folder, const char* name, std::size_t maxBytes,
                               std::vector<unsigned char>& buffer);

}  // namespace tessaly
