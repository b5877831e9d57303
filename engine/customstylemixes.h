#pragma once
// Mixer settings the user stored per music style, shared by all sessions, kept in
// customStyleMixes.dat beside the executable.
#include <string>

#include "engine/qvsessionmix.h"
#include "foundation/llist.h"
#include "foundation/storefile.h"
#include "foundation/textstream.h"

class CustomStyleMixes : public TextStream {
  public:
    Llist<QvSessionMix> mixes{0, 1, true}; // each mix's forStyle is its style number

    // Loads the file (header "QuoVelanta Custom Style Mixes"); a missing, foreign or damaged file
    // leaves the list empty. An empty path means the executable's folder + "customStyleMixes.dat".
    explicit CustomStyleMixes(const std::string& path = "");
    // Saves (see save).
    ~CustomStyleMixes() override;
    CustomStyleMixes(const CustomStyleMixes&) = delete;
    CustomStyleMixes& operator=(const CustomStyleMixes&) = delete;

    // Stores a copy of the live mix for the style: overwrites the first mix of that style or appends
    // one; returns the stored mix.
    QvSessionMix& storeCurrentMix(const QvSessionMix& liveMix, int style);
    // Copies the first mix of the style into the live mix (all fields); false (and nothing changed)
    // when the style has none.
    bool applyMix(int style, QvSessionMix& liveMix) const;
    bool hasMix(int style) const;
    // Removes the first mix of the style, if any.
    void removeMix(int style);

    // One block "Mix" per mix, each with the 14 keys of the mix.
    void serialize() override;
    // Writes the file, or deletes it when no mix is left. A file that was there but failed to load
    // is never overwritten nor deleted (false then, and when the write or delete fails).
    bool save();
    bool saveOnDestroy = true; // cleared once the program has saved the store itself at exit

    TaggedLoad loadResult() const { return loaded; }
    const std::string& filePath() const { return path; }

  private:
    std::string path;
    TaggedLoad loaded = TaggedLoad::Missing;
    int indexOf(int style) const;
};
