// The pieces of the music folder, each with the command id of its "BGM(&M)" menu entry.
#pragma once

#include <string>
#include <vector>

namespace vellmora::audio {

// The MIDI files ("*.mid", extension in any case) of one folder, sorted by file name (byte
// order of the UTF-8 names, the same on every machine), each with a command id counting up
// from the first id. Only as many pieces as there are ids are kept.
class MusicList {
public:
    // Lists the folder. 0 when at least one piece was found; -1 when lastId is below firstId,
    // the folder cannot be listed or holds no piece (the list is then empty).
    [[nodiscard]] int scan(const std::string& folder, int firstId, int lastId);

    // The command id of the piece whose base name (UTF-8, no folder, no extension) is name,
    // or -1.
    int menuIndexOf(const std::string& name) const;
    // The list index of a piece's command id, or -1 for any other id.
    int indexOfCommand(int commandId) const;

    int count() const { return static_cast<int>(pieces_.size()); }
    bool empty() const { return pieces_.empty(); }
    // The first id and the last id actually used (last < first when the list is empty).
    int firstId() const { return firstId_; }
    int lastId() const { return firstId_ + count() - 1; }
    // Full path and base name (UTF-8) of the piece at index; no bounds check beyond an assert.
    const std::string& path(int index) const;
    const std::string& baseName(int index) const;

private:
    struct Piece {
        std::string path;
        std::string baseName;
    };
    std::vector<Piece> pieces_;
    int firstId_ = 0;
};

}  // namespace vellmora::audio
