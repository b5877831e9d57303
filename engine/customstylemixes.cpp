#include "engine/customstylemixes.h"

#include "foundation/textfile.h"

namespace {
const char* const kMixesHeader = "QuoVelanta Custom Style Mixes";
const char* const kMixKey = "Mix";
} // namespace

CustomStyleMixes::CustomStyleMixes(const std::string& p)
    : path(p.empty() ? exeFolder() + "customStyleMixes.dat" : p) {
    loaded = loadStoreFile(*this, kMixesHeader, path);
    if (loaded != TaggedLoad::Loaded) mixes.clear();
}

CustomStyleMixes::~CustomStyleMixes() {
    if (saveOnDestroy) save();
}

int CustomStyleMixes::indexOf(int style) const {
    for (int i = 0; i < mixes.count(); ++i)
        if (mixes.items[i].forStyle == style) return i;
    return -1;
}

QvSessionMix& CustomStyleMixes::storeCurrentMix(const QvSessionMix& liveMix, int style) {
    int i = indexOf(style);
    if (i < 0) {
        mixes.add(liveMix);
        i = mixes.top;
    } else {
        mixes.items[i] = liveMix;
    }
    QvSessionMix& stored = mixes.items[i];
    stored.writeForStyle = true;
    stored.forStyle = style;
    return stored;
}

bool CustomStyleMixes::applyMix(int style, QvSessionMix& liveMix) const {
    int i = indexOf(style);
    if (i < 0) return false;
    bool keepWriteFlag = liveMix.writeForStyle;
    liveMix = mixes.items[i];
    liveMix.writeForStyle = keepWriteFlag;
    return true;
}

bool CustomStyleMixes::hasMix(int style) const {
    return indexOf(style) >= 0;
}

void CustomStyleMixes::removeMix(int style) {
    int i = indexOf(style);
    if (i >= 0) mixes.remove(i);
}

void CustomStyleMixes::serialize() {
    if (writing) {
        for (int i = 0; i < mixes.count(); ++i) {
            QvSessionMix& m = mixes.items[i];
            m.writeForStyle = true;
            serializeObject(kMixKey, m);
            m.lines.clear();
        }
        return;
    }
    mixes.clear();
    Llist<Text_> blocks;
    extractSections(lines, kMixKey, blocks);
    if (blocks.count() > 0) mixes.setCapacity(blocks.count(), false);
    for (int i = 0; i < blocks.count(); ++i) {
        QvSessionMix m;
        m.lines = blocks.items[i];
        m.writing = false;
        m.serialize();
        m.lines.clear(); // a mix applied to the session would carry its text into every undo step
        mixes.add(m);
    }
}

bool CustomStyleMixes::save() {
    if (loaded == TaggedLoad::Failed) return false;
    if (mixes.count() == 0) return !fileExists(path) || deleteFile(path);
    return saveFile(kMixesHeader, path);
}
